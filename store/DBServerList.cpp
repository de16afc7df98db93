#include "store/DBServerList.h"

#include "store/DataBase.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SettingsFile.h"
#include "store/SqlDialect.h"
#include "store/kinds/DatabaseEntryView.h"

#include <QSqlQuery>
#include <QSqlRecord>

TMyDBServerList::TMyDBServerList(TMyDataBase* current, QObject* parent)
    : QObject(parent)
    , m_current(current)
{
    Reload();
}

TMyDBServerList::~TMyDBServerList() = default;

TMyDataBase* TMyDBServerList::Current() const
{
    return m_current ? m_current : CurrentDatabase();
}

void TMyDBServerList::Reload()
{
    m_entries.clear();
    TMyDataBase* current = Current();
    if (!current || !current->IsWritable())
        return;
    std::vector<std::unique_ptr<TDBMainInfo>> rows;
    {
        auto q = current->CreateQuery(QStringLiteral("select * from AllInfo where ObjType = 898 order by ObjId"));
        if (!q)
            return;
        while (q->next()) {
            auto entry = std::make_unique<TDBMainInfo>();
            entry->SetDatabase(current);
            entry->LoadFromDataset(q->record());
            rows.push_back(std::move(entry));
        }
    }
    for (const auto& row : rows) {
        auto db = std::make_unique<TMyDataBase>();
        db->OpenFromEntry(*row);
        m_entries.push_back(std::move(db));
    }
}

int TMyDBServerList::Add(int connectionType, int installMode, QString& statusText, const QString& catalog,
                         const QString& password, const QString& user, const QString& dataSource, TStoreResult* saved)
{
    int status = 0;
    {
        TMyDataBase probe;
        status = probe.Open(connectionType, installMode, catalog, password, user, dataSource);
        statusText = probe.StatusText();
    }
    if (status != DbStatus::Ok)
        return status;
    TDBMainInfo entry;
    entry.SetDatabase(Current());
    entry.ObjType = Kind::DatabaseEntry;
    const TDatabaseEntryView fields(entry);
    fields.SetDataSource(dataSource);
    fields.SetEncodedUser(SettingsFile::EncodeText(user));
    fields.SetEncodedPassword(SettingsFile::EncodeText(password));
    fields.SetCatalog(catalog);
    fields.SetConnectionType(connectionType);
    fields.SetInstallMode(installMode);
    const TStoreResult result = entry.Save();
    if (saved)
        *saved = result;
    if (!result.Ok()) {
        statusText = DbStatus::Text(DbStatus::QueryFailed);
        return result.Code;
    }
    Reload();
    return status;
}

int TMyDBServerList::Remove(TMyDataBase* db)
{
    TMyDataBase* current = Current();
    if (!db || !current)
        return DbStatus::NoDatabase;
    int status = current->Execute(QStringLiteral("delete from AllInfo where ObjType = 898 and ObjId =")
                                  + SqlDialect::Quote(db->EntryId()));
    Reload();
    return status;
}
