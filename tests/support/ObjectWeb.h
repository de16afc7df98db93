#pragma once

#include "store/ObjectRecord.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class TMyDataBase;

/**
 * Objects saved through records (TDBMainInfo::Save) on a test database and known by a key ("husband",
 * "firm" ...). Build() makes the web the cascading deletion is tried on: a couple with a child and an
 * adoption, a single parent and a family without partners, an organization with branches, an address with
 * residents and phones, a note attached both ways, roles with opposite sides, an event with its project
 * and group, categories, two accounts with a transfer between them, and operation links.
 */
class TObjectWeb final
{
public:
    explicit TObjectWeb(TMyDataBase* db = nullptr);

    /// Saves a new object of \a kind filled by \a fill under \a key; its id, empty when the save failed.
    QString Add(const QString& key, int kind, const std::function<void(TDBMainInfo&)>& fill = {});
    /// Makes the saved objects \a a and \a b name each other in Link5 (role pairs, transfer halves).
    bool Pair(const QString& a, const QString& b);
    /// Builds the whole web; false when any save failed.
    bool Build();

    /// The id of the object saved under \a key (empty when there is none).
    QString Id(const QString& key) const { return m_ids.value(key); }
    /// The key of the object \a id (letter case ignored); empty when it is not part of the web.
    QString Key(const QString& id) const;
    QStringList Keys() const { return m_ids.keys(); }
    /// Whether every Add and Pair so far succeeded.
    bool IsComplete() const { return m_ok; }

private:
    QString Person(const QString& key, const QString& surname, const QString& name, bool female);

    TMyDataBase* m_db;
    QMap<QString, QString> m_ids;
    bool m_ok = true;
};
