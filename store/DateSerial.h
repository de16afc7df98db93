#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

/**
 * Date-times are stored as day serials: whole days since 30 December 1899, the time of day as the
 * fraction; 0 means no date. A negative serial counts days before the epoch and keeps the time of day as
 * a positive fraction (-1.25 is 29 December 1899, 06:00). Conversions use the calendar fields alone, so
 * daylight-saving changes never shift a date.
 */
namespace DateSerial {

/// The serial of a date at midnight; 0 for an invalid date.
double FromDate(const QDate& date);
/// The serial of a date and time of day; 0 for an invalid date.
double FromDateTime(const QDate& date, const QTime& time);
/// The serial of the calendar fields of \a moment (its time zone is not consulted).
double FromDateTime(const QDateTime& moment);
/// The calendar date of a serial (1899-12-30 for 0).
QDate ToDate(double serial);
/// The time of day of a serial, to the millisecond.
QTime ToTime(double serial);
/// Date and time of a serial as local calendar fields.
QDateTime ToDateTime(double serial);
/// Now, from the installed clock.
double Now();
/// Today at midnight, from the installed clock.
double Today();
/// dd.mm.yyyy of the serial's date.
QString DateText(double serial);

} // namespace DateSerial
