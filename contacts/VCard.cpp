#include "contacts/VCard.h"

#include <QStringDecoder>

#include <optional>

using namespace Qt::StringLiterals;

namespace VCard {

namespace {

// A line of the file after unfolding, with the number of the physical line it began on.
struct TLogicalLine
{
    QByteArray Text;
    int Line = 0;
};

// Whether the property begun by \a text says ENCODING=QUOTED-PRINTABLE (or the bare 2.1 word).
bool IsQuotedPrintableHead(const QByteArray& text)
{
    const qsizetype colon = text.indexOf(':');
    const QList<QByteArray> params = (colon < 0 ? text : text.left(colon)).split(';');
    for (qsizetype i = 1; i < params.size(); ++i) {
        const QByteArray param = params.at(i).trimmed().toUpper();
        if (param == "QUOTED-PRINTABLE" || param == "ENCODING=QUOTED-PRINTABLE")
            return true;
    }
    return false;
}

// The bytes as UTF-8 without a byte-order mark (a UTF-16 file is converted).
QByteArray WithoutMark(const QByteArray& data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        return data.mid(3);
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = decoder(data.mid(2));
        return text.toUtf8();
    }
    return data;
}

QList<TLogicalLine> LogicalLines(const QByteArray& data)
{
    QList<TLogicalLine> lines;
    int number = 0;
    bool softBreak = false; // the last line ended in a quoted-printable soft line break
    qsizetype at = 0;
    while (at < data.size()) {
        qsizetype end = at;
        while (end < data.size() && data.at(end) != '\n' && data.at(end) != '\r')
            ++end;
        const QByteArray physical = data.mid(at, end - at);
        ++number;
        if (end < data.size() && data.at(end) == '\r' && end + 1 < data.size() && data.at(end + 1) == '\n')
            ++end;
        at = end + 1;

        if (softBreak && !lines.isEmpty()) {
            lines.last().Text += physical;
        } else if (!physical.isEmpty() && (physical.at(0) == ' ' || physical.at(0) == '\t') && !lines.isEmpty()) {
            lines.last().Text += physical.mid(1);
        } else if (physical.trimmed().isEmpty()) {
            softBreak = false;
            continue;
        } else {
            lines.append({physical, number});
        }
        TLogicalLine& last = lines.last();
        softBreak = last.Text.endsWith('=') && IsQuotedPrintableHead(last.Text);
        if (softBreak)
            last.Text.chop(1);
    }
    return lines;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray QuotedPrintable(const QByteArray& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '=' && i + 2 < text.size() && HexDigit(text.at(i + 1)) >= 0 && HexDigit(text.at(i + 2)) >= 0) {
            bytes += static_cast<char>(HexDigit(text.at(i + 1)) * 16 + HexDigit(text.at(i + 2)));
            i += 2;
        } else if (c == '=' && i + 1 == text.size()) {
            break; // a soft break left at the very end
        } else {
            bytes += c;
        }
    }
    return bytes;
}

QString Decoded(const QByteArray& bytes, const QString& charset)
{
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid()) {
            const QString text = decoder(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Old phones wrote Russian in the Windows code page and said nothing about it.
    QStringDecoder cp1251("windows-1251");
    if (cp1251.isValid()) {
        const QString russian = cp1251(bytes);
        if (!cp1251.hasError())
            return russian;
    }
    return text;
}

// Splits \a text at \a separator outside double quotes.
QList<QByteArray> SplitOutsideQuotes(const QByteArray& text, char separator)
{
    QList<QByteArray> parts;
    bool quoted = false;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == '"')
            quoted = !quoted;
        else if (text.at(i) == separator && !quoted) {
            parts.append(text.mid(from, i - from));
            from = i + 1;
        }
    }
    parts.append(text.mid(from));
    return parts;
}

QString ParamText(const QByteArray& value)
{
    QByteArray v = value.trimmed();
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
        v = v.mid(1, v.size() - 2);
    return QString::fromUtf8(v);
}

bool ReadProperty(const TLogicalLine& line, TProperty& property)
{
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.Text.size(); ++i) {
        const char c = line.Text.at(i);
        if (c == '"')
            quoted = !quoted;
        else if (c == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return false;
    const QList<QByteArray> head = SplitOutsideQuotes(line.Text.left(colon), ';');
    QByteArray name = head.first().trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        property.Group = QString::fromUtf8(name.left(dot));
        name = name.mid(dot + 1);
    }
    if (name.isEmpty())
        return false;
    property.Name = QString::fromUtf8(name).toUpper();
    property.Line = line.Line;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray& param = head.at(i);
        if (param.trimmed().isEmpty())
            continue;
        const qsizetype equals = param.indexOf('=');
        QString paramName;
        QStringList values;
        if (equals < 0) {
            paramName = u"TYPE"_s; // a 2.1 bare word: TEL;CELL;HOME
            values << ParamText(param);
            const QString word = values.first().toUpper();
            if (word == u"QUOTED-PRINTABLE"_s || word == u"BASE64"_s || word == u"8BIT"_s || word == u"7BIT"_s)
                paramName = u"ENCODING"_s;
        } else {
            paramName = QString::fromUtf8(param.left(equals).trimmed()).toUpper();
            for (const QByteArray& v : SplitOutsideQuotes(param.mid(equals + 1), ',')) {
                // 4.0 quotes a list of types as one value: TYPE="voice,cell".
                if (paramName == u"TYPE"_s)
                    values << ParamText(v).split(u',', Qt::SkipEmptyParts);
                else
                    values << ParamText(v);
            }
        }
        property.Params.append({paramName, values});
    }
    const QByteArray raw = line.Text.mid(colon + 1);
    const QString encoding = property.Param(u"ENCODING"_s).value(0).toUpper();
    const QStringList charset = property.Param(u"CHARSET"_s);
    if (encoding == u"BASE64"_s || encoding == u"B"_s) {
        QByteArray compact = raw;
        compact.replace(' ', QByteArray()).replace('\t', QByteArray());
        property.Binary = QByteArray::fromBase64(compact);
        return true;
    }
    const QByteArray bytes = encoding == u"QUOTED-PRINTABLE"_s ? QuotedPrintable(raw) : raw;
    property.Value = Decoded(bytes, charset.value(0));
    return true;
}

bool IsMarker(const TProperty& property, const QString& name)
{
    return property.Name == name && property.Value.trimmed().compare(u"VCARD"_s, Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList TProperty::Param(const QString& name) const
{
    QStringList values;
    for (const auto& [paramName, paramValues] : Params) {
        if (paramName == name)
            values << paramValues;
    }
    return values;
}

bool TProperty::HasType(const QString& type) const
{
    for (const QString& value : Param(u"TYPE"_s)) {
        if (value.compare(type, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

const TProperty* TCard::First(const QString& name) const
{
    for (const TProperty& property : Properties) {
        if (property.Name == name)
            return &property;
    }
    return nullptr;
}

TFile Parse(const QByteArray& data)
{
    TFile file;
    std::optional<TCard> card;
    for (const TLogicalLine& line : LogicalLines(WithoutMark(data))) {
        TProperty property;
        if (!ReadProperty(line, property)) {
            file.Problems.append({line.Line, u"Строка не прочитана: "_s + QString::fromUtf8(line.Text.left(60))});
            continue;
        }
        if (IsMarker(property, u"BEGIN"_s)) {
            if (card)
                file.Problems.append({card->Line, u"Карточка не закончена строкой END:VCARD"_s});
            card = TCard();
            card->Line = line.Line;
            continue;
        }
        if (!card) {
            file.Problems.append({line.Line, u"Строка вне карточки: "_s + QString::fromUtf8(line.Text.left(60))});
            continue;
        }
        if (IsMarker(property, u"END"_s)) {
            file.Cards.append(*card);
            card.reset();
            continue;
        }
        if (property.Name == u"VERSION"_s)
            card->Version = property.Value.trimmed();
        else
            card->Properties.append(property);
    }
    if (card)
        file.Problems.append({card->Line, u"Карточка не закончена строкой END:VCARD"_s});
    return file;
}

QString Unescape(const QString& value)
{
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value.at(++i);
        if (next == u'n' || next == u'N')
            text += u'\n';
        else
            text += next;
    }
    return text;
}

QStringList Components(const QString& value, QChar separator)
{
    QStringList parts;
    qsizetype from = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\') {
            ++i;
        } else if (value.at(i) == separator) {
            parts << Unescape(value.mid(from, i - from));
            from = i + 1;
        }
    }
    parts << Unescape(value.mid(from));
    return parts;
}

QString Escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u',' || c == u';') {
            escaped += u'\\';
            escaped += c;
        } else if (c == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            escaped += u"\\n"_s;
        } else if (c == u'\n') {
            escaped += u"\\n"_s;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

TWriter::TWriter(const QString& version)
    : m_version(version)
{
}

void TWriter::Begin()
{
    Line(u"BEGIN:VCARD"_s);
    Line(u"VERSION:"_s + m_version);
}

void TWriter::End()
{
    Line(u"END:VCARD"_s);
}

void TWriter::Add(const QString& name, const QList<std::pair<QString, QString>>& params, const QStringList& components)
{
    QStringList escaped;
    escaped.reserve(components.size());
    for (const QString& component : components)
        escaped << Escape(component);
    AddRaw(name, escaped.join(u';'), params);
}

void TWriter::AddText(const QString& name, const QString& text, const QList<std::pair<QString, QString>>& params)
{
    AddRaw(name, Escape(text), params);
}

void TWriter::AddRaw(const QString& name, const QString& value, const QList<std::pair<QString, QString>>& params)
{
    QString line = name;
    for (const auto& [param, paramValue] : params) {
        QString v = paramValue;
        v.remove(u'"').replace(u'\n', u' ').replace(u'\r', u' ');
        if (v.contains(u':') || v.contains(u';') || v.contains(u','))
            v = u'"' + v + u'"';
        line += u';' + param + u'=' + v;
    }
    Line(line + u':' + value);
}

void TWriter::Line(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    constexpr qsizetype Limit = 75;
    qsizetype at = 0;
    bool first = true;
    while (at < bytes.size()) {
        qsizetype room = first ? Limit : Limit - 1;
        qsizetype end = std::min(bytes.size(), at + room);
        // Never between the bytes of one character: continuation bytes are 10xxxxxx.
        while (end < bytes.size() && end > at + 1 && (static_cast<unsigned char>(bytes.at(end)) & 0xC0) == 0x80)
            --end;
        if (!first)
            m_data += ' ';
        m_data += bytes.mid(at, end - at);
        m_data += "\r\n";
        at = end;
        first = false;
    }
    if (bytes.isEmpty())
        m_data += "\r\n";
}

} // namespace VCard
