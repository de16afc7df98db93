#pragma once

#include "store/StoreResult.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class TMyDataBase;

/**
 * \brief The further databases attached to the current one: one per kind-898 entry of the current
 * database, each opened when the list is reloaded. Owns its databases. User-interface thread only.
 */
class TMyDBServerList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMyDBServerList)

public:
    /// A list over the entries of \a current (not owned; nullptr: the current database). Reloads at once.
    explicit TMyDBServerList(TMyDataBase* current = nullptr, QObject* parent = nullptr);
    ~TMyDBServerList() override;

    /// Frees every entry and opens one database per kind-898 row when the current database is writable.
    void Reload();
    /// Probes a database with these values and, when it opens, stores its entry and reloads. Returns the
    /// probe's status code, or the failed save's code when the entry could not be written; \a statusText
    /// gets the text to show, and \a saved (when given) the result of saving the entry, whose text is shown
    /// before it. User and password are given once-encoded.
    int Add(int connectionType, int installMode, QString& statusText, const QString& catalog, const QString& password,
            const QString& user, const QString& dataSource, TStoreResult* saved = nullptr);
    /// Deletes the entry \a db was built from and reloads; the database itself is untouched.
    int Remove(TMyDataBase* db);

    int Count() const { return static_cast<int>(m_entries.size()); }
    TMyDataBase* At(int index) const { return m_entries.at(static_cast<size_t>(index)).get(); }

private:
    TMyDataBase* Current() const;

    TMyDataBase* m_current;
    std::vector<std::unique_ptr<TMyDataBase>> m_entries;
};
