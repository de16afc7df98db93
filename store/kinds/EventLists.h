#pragma once

#include "store/LookupLists.h"

#include <QString>

class TMyDataBase;

/**
 * \file
 * The statements of the event list and the event editor, in the system's dialect: the list itself, the
 * conditions of its filter rows, the pick lists of its filters and the suggestions of the editor. Dates
 * are day serials; only their day counts in the date conditions. Every value enters the text through
 * SqlDialect::Quote. The builders are pure; the readers run on \a db (the current database when nullptr)
 * and leave their answers untouched when the database cannot answer.
 */
namespace EventLists {

/// The start of the window the recently used projects and the default type look at: two months before
/// the day \a today.
double RecentWindowStart(double today);
/// The end of that window: two days after today.
double RecentWindowEnd(double today);

/// The event list with the project's name as PrName, \a where appended (it begins with " and " when
/// not empty), ordered by \a order.
QString ListStatement(const QString& where, const QString& order);

/// "Период": the condition of the events starting on or after the day \a from and before the day \a to;
/// a 0 leaves its side open, two 0s give no condition.
QString PeriodCondition(double from, double to);

/// "Где (у кого)": the events whose host is a person or an organization whose display name begins with
/// \a host; empty for a blank value.
QString HostCondition(const QString& host);
/// "Страна" ... "Улица": the events whose meeting address has parts beginning with these values; empty
/// when all five are blank.
QString AddressCondition(const QString& country, const QString& region, const QString& district,
    const QString& city, const QString& street);

/// The display names of the hosts of events, each once, ordered by the host's Str1 and then the name.
QString HostNamesStatement();
bool HostNames(TMyDataBase* db, TValueList& list);

/// The projects used by the events of the recent window around \a today, the most used first.
QString RecentProjectsStatement(double today);
bool RecentProjects(TMyDataBase* db, double today, QStringList& projects);

/// The most frequent type and direction among the events of the recent window around \a today.
QString DefaultTypeStatement(double today);
/// False (with \a type and \a direction untouched) when there is no recent event or no answer.
bool DefaultType(TMyDataBase* db, double today, qint64& type, qint64& direction);

/// The most frequent type and importance of the events of \a project named \a name.
QString NameTypeStatement(const QString& project, const QString& name);
bool NameType(TMyDataBase* db, const QString& project, const QString& name, qint64& type, qint64& importance);

/// The spelling of \a name (compared as the database compares text) among the names of the events of
/// \a project, of all events when \a project is empty or the none id; empty when no event has it.
QString StoredNameStatement(const QString& project, const QString& name);
QString StoredName(TMyDataBase* db, const QString& project, const QString& name);

/// The current addresses (residence rows with their flag) of the person or organization \a host.
QString HostAddressesStatement(const QString& host);
/// The one current address of \a host; empty when it has none, several, or the database cannot answer.
QString HostAddress(TMyDataBase* db, const QString& host);

} // namespace EventLists
