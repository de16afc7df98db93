#pragma once

#include "store/DataBase.h"
#include "store/Schema.h"

#include <QTemporaryDir>

#include <memory>

/// A fresh database file in a temporary folder, opened and made the current database for the fixture's
/// lifetime. The folder also serves as the program's folder (Zorvin.ini, Data/WBD.zdb).
class TTempDatabase final
{
public:
    explicit TTempDatabase(const TNewDatabase& options = DefaultOptions());
    ~TTempDatabase();
    TTempDatabase(const TTempDatabase&) = delete;
    TTempDatabase& operator=(const TTempDatabase&) = delete;

    static TNewDatabase DefaultOptions();

    /// Whether the file was made and opened with status 0.
    bool IsOpen() const { return m_db && m_db->StatusCode() == 0 && m_db->IsConnected(); }
    TMyDataBase* Db() const { return m_db.get(); }
    QString Folder() const { return m_dir.path(); }
    QString FilePath() const { return m_path; }
    /// Runs a statement directly on the file through a separate connection; false on failure.
    bool Run(const QString& sqliteSql) const;
    /// The first column of the first row of a plain SQLite statement, through a separate connection.
    QVariant Scalar(const QString& sqliteSql) const;
    /// Every row of the table as text, ordered by ObjId: a dump to compare before and after a change.
    QString Dump() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<TMyDataBase> m_db;
    TMyDataBase* m_previous = nullptr;
};
