#pragma once

#include <QString>

class QTextStream;
class TMyDataBase;

/**
 * Opens the database file \a path on \a db and makes it the current database; a file that does not exist
 * yet is first made and filled with the large data set (20 000 people), so it can be kept for the next run.
 * False, with the reason written to \a out, when the file cannot be made or opened.
 */
bool OpenLargeDataSet(TMyDataBase& db, const QString& path, QTextStream& out);
