#include "store/DateSerial.h"

#include "platform/Clock.h"

#include <cmath>

namespace {
const qint64 kEpochJulianDay = QDate(1899, 12, 30).toJulianDay();
constexpr qint64 kMsecsPerDay = 24LL * 60 * 60 * 1000;

// Serials beyond this many days (about 8,200 years) from the epoch, and those that are not finite, are no
// date: converting them to whole numbers would be undefined.
constexpr double kLimitDays = 3000000;

// Whole days and milliseconds of the day of a serial, with the time always counted forward; false for a
// serial that is no date.
bool Split(double serial, qint64& days, qint64& msecs)
{
    days = 0;
    msecs = 0;
    if (!std::isfinite(serial) || std::fabs(serial) > kLimitDays)
        return false;
    double whole = std::trunc(serial);
    msecs = std::llround(std::fabs(serial - whole) * kMsecsPerDay);
    days = static_cast<qint64>(whole);
    if (msecs >= kMsecsPerDay) {
        msecs -= kMsecsPerDay;
        days += serial < 0 ? -1 : 1;
    }
    return true;
}
} // namespace

namespace DateSerial {

double FromDate(const QDate& date)
{
    return date.isValid() ? static_cast<double>(date.toJulianDay() - kEpochJulianDay) : 0.0;
}

double FromDateTime(const QDate& date, const QTime& time)
{
    if (!date.isValid())
        return 0.0;
    double days = FromDate(date);
    double fraction = time.isValid() ? static_cast<double>(time.msecsSinceStartOfDay()) / kMsecsPerDay : 0.0;
    return days < 0 ? days - fraction : days + fraction;
}

double FromDateTime(const QDateTime& moment)
{
    return FromDateTime(moment.date(), moment.time());
}

QDate ToDate(double serial)
{
    qint64 days = 0;
    qint64 msecs = 0;
    if (!Split(serial, days, msecs))
        return QDate();
    return QDate::fromJulianDay(kEpochJulianDay + days);
}

QTime ToTime(double serial)
{
    qint64 days = 0;
    qint64 msecs = 0;
    if (!Split(serial, days, msecs))
        return QTime();
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs));
}

QDateTime ToDateTime(double serial)
{
    return QDateTime(ToDate(serial), ToTime(serial));
}

double Now()
{
    return FromDateTime(Clock().Now());
}

double Today()
{
    return FromDate(Clock().Now().date());
}

QString DateText(double serial)
{
    return ToDate(serial).toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace DateSerial
