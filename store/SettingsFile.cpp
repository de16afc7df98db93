#include "store/SettingsFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kDigitsPerUnit = 4;
// Longest first line read; four fields of the longest length a prefix can state take about 256 KiB.
constexpr qint64 kMaxLineBytes = 1 << 20;

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The value of 4 hexadecimal digits starting at \a from; -1 when any of them is not one.
int HexNumber(const QString& text, qsizetype from)
{
    int value = 0;
    for (qsizetype i = from; i < from + kDigitsPerUnit; ++i) {
        const int digit = HexValue(text.at(i));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

QString Reversed(const QString& text)
{
    QString result = text;
    std::reverse(result.begin(), result.end());
    return result;
}

void Fail(bool* ok)
{
    if (ok)
        *ok = false;
}

} // namespace

namespace InstallMode {

QString Keyword(int mode)
{
    switch (mode) {
    case AllUsers:
        return QStringLiteral("ALLUSERS");
    case FilePath:
        return QStringLiteral("FILEPATH");
    case Flash:
        return QStringLiteral("FLASH");
    case Server:
        return QStringLiteral("SERVER");
    default:
        return QString();
    }
}

QString DisplayName(int mode)
{
    switch (mode) {
    case AllUsers:
        return QStringLiteral("Общая БД пользователей Windows");
    case FilePath:
        return QStringLiteral("БД по указанному пути");
    case Flash:
        return QStringLiteral("ПО и БД на флешке");
    case Server:
        return QStringLiteral("БД - SQL Сервер");
    default:
        return QString();
    }
}

int FromKeyword(const QString& keyword)
{
    const QString upper = keyword.toUpper();
    for (int mode : {AllUsers, FilePath, Flash, Server}) {
        if (upper == Keyword(mode))
            return mode;
    }
    return None;
}

} // namespace InstallMode

namespace SettingsFile {

QString EncodeText(const QString& text)
{
    const QString trimmed = text.trimmed();
    QString digits;
    digits.reserve(trimmed.size() * kDigitsPerUnit);
    for (QChar c : trimmed)
        digits += QStringLiteral("%1").arg(c.unicode(), kDigitsPerUnit, 16, QLatin1Char('0')).toUpper();
    return Reversed(digits);
}

QString DecodeText(const QString& encoded, bool* ok)
{
    if (ok)
        *ok = true;
    const QString digits = Reversed(encoded);
    QString text;
    text.reserve(digits.size() / kDigitsPerUnit);
    qsizetype i = 0;
    for (; i + kDigitsPerUnit <= digits.size(); i += kDigitsPerUnit) {
        const int unit = HexNumber(digits, i);
        if (unit < 0) {
            Fail(ok);
            return QString();
        }
        text += QChar(static_cast<char16_t>(unit));
    }
    // A rest shorter than one code unit carries no character, but it must still be digits.
    for (; i < digits.size(); ++i) {
        if (HexValue(digits.at(i)) < 0) {
            Fail(ok);
            return QString();
        }
    }
    return text.trimmed();
}

QString EncodeField(const QString& text)
{
    // The prefix can state at most FFFF digits: a longer text is cut to the code units that fit.
    const QString digits = EncodeText(text.trimmed().left(MaxFieldLength));
    return QStringLiteral("%1").arg(digits.size(), kDigitsPerUnit, 16, QLatin1Char('0')).toUpper() + digits;
}

QString DecodeField(QString& payload, bool* ok)
{
    if (ok)
        *ok = true;
    if (payload.size() < kDigitsPerUnit) {
        payload.clear();
        return QString();
    }
    const int length = HexNumber(payload, 0);
    if (length < 0 || length > payload.size() - kDigitsPerUnit) {
        Fail(ok);
        return QString();
    }
    bool decoded = false;
    const QString text = DecodeText(payload.mid(kDigitsPerUnit, length), &decoded);
    if (!decoded) {
        Fail(ok);
        return QString();
    }
    payload.remove(0, kDigitsPerUnit + length);
    return text;
}

TSettings ParseLine(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype bar = trimmed.indexOf(QLatin1Char('|'));
    TSettings settings;
    settings.Mode = InstallMode::FromKeyword((bar < 0 ? trimmed : trimmed.left(bar)).trimmed());
    if (settings.Mode == InstallMode::None)
        return TSettings();

    QString payload = bar < 0 ? QString() : trimmed.mid(bar + 1);
    bool ok = true;
    auto next = [&payload, &ok]() {
        bool fieldOk = false;
        const QString text = DecodeField(payload, &fieldOk);
        ok = ok && fieldOk;
        return text;
    };
    if (settings.Mode == InstallMode::Server) {
        settings.Server = next();
        settings.EncodedUser = next();
        settings.EncodedPassword = next();
        settings.Catalog = next();
        // The connection decodes user and password once more: a text that cannot be decoded is no login.
        for (const QString* login : {&settings.EncodedUser, &settings.EncodedPassword}) {
            bool decodable = false;
            DecodeText(*login, &decodable);
            ok = ok && decodable;
        }
    } else {
        settings.Path = next();
    }
    return ok ? settings : TSettings();
}

QString FormatLine(const TSettings& settings)
{
    const QString keyword = InstallMode::Keyword(settings.Mode);
    if (keyword.isEmpty())
        return QString();
    if (settings.Mode == InstallMode::Server) {
        return keyword + QLatin1Char('|') + EncodeField(settings.Server) + EncodeField(settings.EncodedUser)
            + EncodeField(settings.EncodedPassword) + EncodeField(settings.Catalog);
    }
    return keyword + QLatin1Char('|') + EncodeField(settings.Path);
}

TSettings Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TSettings();
    const QByteArray bytes = file.readLine(kMaxLineBytes);
    if (bytes.isEmpty())
        return TSettings();
    // The decoder drops a leading byte-order mark.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString line = decoder.decode(bytes);
    if (decoder.hasError())
        return TSettings();
    // The line ends at a line feed (read up to it) or at a lone carriage return.
    const qsizetype end = line.indexOf(QLatin1Char('\r'));
    if (end >= 0)
        line.truncate(end);
    return ParseLine(line);
}

bool Write(const QString& path, const TSettings& settings, QString* error)
{
    auto refuse = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (!settings.IsValid())
        return refuse(QStringLiteral("Не указан режим установки"));
    const bool server = settings.Mode == InstallMode::Server;
    const QStringList fields = server
        ? QStringList {settings.Server, settings.EncodedUser, settings.EncodedPassword, settings.Catalog}
        : QStringList {settings.Path};
    for (const QString& field : fields) {
        if (field.trimmed().size() > MaxFieldLength)
            return refuse(QStringLiteral("Слишком длинное значение для файла настроек"));
    }

    const QByteArray bytes = FormatLine(settings).toUtf8() + '\n';
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return refuse(QStringLiteral("Не удалось записать файл настроек %1: %2").arg(path, reason));
    }
    if (error)
        error->clear();
    return true;
}

} // namespace SettingsFile
