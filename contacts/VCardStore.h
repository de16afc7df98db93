#pragma once

#include "contacts/VCardContact.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class TMyDataBase;

/**
 * The people of a vCard file into the database and out of it.
 *
 * An import reads the whole file first (Read), tells how many of its people are there already
 * (CountDuplicates) so that the caller can ask once what to do with them, and then writes everything in one
 * write transaction (Import): a failure, or a stop asked for by the progress callback, leaves the database
 * as it was. Shows nothing; call on the thread of the database.
 */
namespace VCardStore {

/// What becomes of a card whose person is already in the database.
enum class TDuplicates { Skip, Update, Add };

/// The cards of a file as people, and what could not be read, with line numbers.
struct TPrepared
{
    QList<VCardContact::TPerson> People;
    QList<VCard::TProblem> Problems;
    int Cards = 0;
};

struct TReport
{
    int Added = 0;
    int Updated = 0;
    int Skipped = 0;
    /// Lines and cards that could not be read, in the order of the file.
    QList<VCard::TProblem> Problems;
    /// Stopped by the progress callback: nothing was written.
    bool Stopped = false;
    /// The write failed: nothing was written; Error tells why.
    bool Failed = false;
    QString Error;
    bool Written() const { return !Stopped && !Failed; }
};

/// Called after each card with the cards done and their number; false stops.
using TProgress = std::function<bool(int done, int total)>;

/// The comment's limit: a longer note is kept whole in a note of the person.
inline constexpr int CommentLength = 200;
/// The title of that note.
inline const QString LongNoteTitle = QStringLiteral("Примечание из vCard");

TPrepared Read(const QByteArray& data);

/// The person of the database that \a person is (same names, and the same birth date, phone or e-mail
/// address); empty when none.
QString FindDuplicate(TMyDataBase* db, const VCardContact::TPerson& person);
/// How many of the people are in the database already.
int CountDuplicates(TMyDataBase* db, const TPrepared& prepared);

/// Writes the people into \a db in one write transaction.
TReport Import(TMyDataBase* db, const TPrepared& prepared, TDuplicates duplicates, const TProgress& progress = {});

/// The person \a id as a card tells it.
VCardContact::TPerson ReadPerson(TMyDataBase* db, const QString& id);
/// The people \a ids as a vCard file of \a version ("3.0" or "4.0"), UTF-8. Empty when stopped.
QByteArray Export(TMyDataBase* db, const QStringList& ids, const QString& version, const TProgress& progress = {});
/// Every person, or those whose surname, first name or patronymic begins with \a filter, by name.
QStringList PeopleIds(TMyDataBase* db, const QString& filter = QString());

/// The texts of the import's end report: counts, then every problem with its line.
QStringList ReportLines(const TReport& report);

} // namespace VCardStore
