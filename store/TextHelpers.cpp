#include "store/TextHelpers.h"

#include "platform/Clock.h"
#include "store/DateSerial.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// The anniversary of \a birth in \a year. A 29 February birthday is kept on 1 March in years without
// that day, so no date that does not exist is ever built.
QDate Anniversary(const QDate& birth, int year)
{
    QDate date(year, birth.month(), birth.day());
    if (!date.isValid() && birth.month() == 2 && birth.day() == 29)
        date = QDate(year, 3, 1);
    return date;
}

// The start or end date of a period: the first 10 characters of its date text, empty for no date.
QString PeriodDate(double serial)
{
    return serial == 0.0 ? QString() : DateSerial::DateText(serial).left(10);
}

int RoundedSide(double value)
{
    // Scaling an extreme picture must not make it vanish: one pixel is the least that is drawn.
    return std::max(1, static_cast<int>(std::lround(value)));
}

} // namespace

QString RemoveBlanks(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result;
}

qint64 IntOfText(const QString& text)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    const QString digits = RemoveBlanks(text);
    if (!integer.match(digits).hasMatch())
        return 0;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    return ok ? value : 0;
}

double FloatOfText(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    QString digits = RemoveBlanks(text);
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    if (!number.match(digits).hasMatch())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(digits, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

bool TryDate(double& serial, const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,2})\\.([0-9]{1,2})\\.([0-9]{4})$"));
    serial = 0.0;
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return false;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    if (!date.isValid())
        return false;
    serial = DateSerial::FromDate(date);
    return true;
}

QString CapitalizeFirst(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return trimmed;
    // A character outside the basic plane takes two code units and is upper-cased as one.
    const qsizetype first = trimmed.at(0).isHighSurrogate() && trimmed.size() > 1 ? 2 : 1;
    static const QLocale russian(QLocale::Russian, QLocale::Russia);
    return russian.toUpper(trimmed.left(first)) + trimmed.mid(first);
}

QString TimeText(double serial)
{
    return DateSerial::ToTime(serial).toString(QStringLiteral("hh:mm"));
}

QString PeriodText(bool hasStart, bool hasEnd, double end, double start)
{
    QString result = hasStart ? PeriodDate(start) : QString();
    const QString endText = hasEnd ? PeriodDate(end) : QString();
    if (!endText.isEmpty())
        result = (result.isEmpty() ? QStringLiteral("__.__.____") : result) + QLatin1Char('\r') + endText;
    return result;
}

QString AgeText(bool noAge, bool atNextAnniversary, double date)
{
    const QString none = QStringLiteral("-");
    if (noAge || !std::isfinite(date) || date <= 0.0)
        return none;
    const QDate birth = DateSerial::ToDate(date);
    const QDate today = Clock().Now().date();
    if (!birth.isValid() || !today.isValid())
        return none;

    QDate reference = today;
    if (atNextAnniversary) {
        reference = Anniversary(birth, today.year());
        if (reference < today)
            reference = Anniversary(birth, today.year() + 1);
        if (!reference.isValid())
            return none;
    }

    const QString underOne = QStringLiteral("< 1");
    const int years = reference.year() - birth.year();
    if (years <= 0)
        return underOne;
    const bool beforeBirthday
        = reference.month() < birth.month() || (reference.month() == birth.month() && reference.day() < birth.day());
    const int age = beforeBirthday ? years - 1 : years;
    return age == 0 ? underOne : QString::number(age);
}

QRect FitRect(QSize picture, int W, int H)
{
    W = std::max(W, 0);
    H = std::max(H, 0);
    const int pictureWidth = picture.width();
    const int pictureHeight = picture.height();
    int width = W;
    int height = H;
    if (pictureWidth > 0 && pictureHeight > 0 && W > 0 && H > 0) {
        if (pictureWidth < W && pictureHeight < H) {
            width = pictureWidth;
            height = pictureHeight;
        } else {
            const double ratio = static_cast<double>(pictureWidth) / pictureHeight;
            if (pictureWidth > pictureHeight && W > H) {
                width = W;
                height = RoundedSide(W / ratio);
                if (height > H) {
                    height = H;
                    width = std::min(W, RoundedSide(ratio * H));
                }
            } else {
                height = H;
                width = RoundedSide(ratio * H);
                if (width > W) {
                    width = W;
                    height = std::min(H, RoundedSide(W / ratio));
                }
            }
        }
    }
    return QRect((W - width) / 2, (H - height) / 2, width, height);
}
