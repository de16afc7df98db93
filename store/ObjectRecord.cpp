#include "store/ObjectRecord.h"

#include "platform/Messages.h"
#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/KindRegistry.h"
#include "store/ObjectKinds.h"
#include "store/RecordFrame.h"
#include "store/SqlDialect.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kInsertStatement = QStringLiteral(
    "insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Link4, Link5, Int1, Int2, Int3, Int4, Int5, Str1, Str2, "
    "Str3, Str4, Str5, Flag, Date1, D1Flag, D1Fixed, Date2, D2Flag, D2Fixed, Comments, DCreate, DModify, Foto, "
    "D1Search, d2Search, Creator, Modifier, ExternalFlag, PublishedFlag, Archived) values(:ObjId, :ObjType, :Link1, "
    ":Link2, :Link3, :Link4, :Link5, :Int1, :Int2, :Int3, :Int4, :Int5, :Str1, :Str2, :Str3, :Str4, :Str5, :Flag, "
    ":Date1, :D1Flag, :D1Fixed, :Date2, :D2Flag, :D2Fixed, :Comments, :DCreate, :DModify, :Foto, :D1Search, "
    ":D2Search, :Creator, :Modifier, :ExternalFlag, :PublishedFlag, :Archived)");

const QString kUpdateStatement = QStringLiteral(
    "Update AllInfo set ObjType = :ObjType, Link1 = :Link1, Link2 = :Link2, Link3 = :Link3, Link4 = :Link4, Link5 = "
    ":Link5, Int1 = :Int1, Int2 = :Int2, Int3 = :Int3, Int4 = :Int4, Int5 = :Int5, Str1 = :Str1, Str2 = :Str2, Str3 = "
    ":Str3, Str4 = :Str4, Str5 = :Str5, Flag = :Flag, Date1 = :Date1, D1Flag = :D1Flag, D1Fixed = :D1Fixed, Date2 = "
    ":Date2, D2Flag = :D2Flag, D2Fixed = :D2Fixed, Comments = :Comments, DCreate = :DCreate, DModify = :DModify, Foto "
    "= :Foto, D1Search = :D1Search, D2Search = :D2Search, Creator = :Creator, Modifier = :Modifier, ExternalFlag = "
    ":ExternalFlag, PublishedFlag = :PublishedFlag, Archived = :Archived where ObjId = :ObjId");

const QString kEnsureRowStatement = QStringLiteral("insert Into AllInfo(ObjId, ObjType) values(:ObjId, :ObjType)");

const QString kConnectFailed = QStringLiteral("Не удалось подключиться к БД");

// Text columns are NOT NULL: a null QString would bind as NULL.
QVariant Text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

// Booleans are stored as -1 and 0; ordering by a flag relies on it.
QVariant FlagValue(bool value)
{
    return QVariant(value ? -1 : 0);
}

// The day and month of a date in the year 2000 (a leap year, so 29 February is kept), or 0.
double SearchDate(double date, bool fixed)
{
    if (date == 0 || !fixed)
        return 0;
    QDate d = DateSerial::ToDate(date);
    return DateSerial::FromDate(QDate(2000, d.month(), d.day()));
}

void BindRow(QSqlQuery& q, const TObjectRow& r)
{
    q.bindValue(QStringLiteral(":ObjId"), Text(r.Obj));
    q.bindValue(QStringLiteral(":ObjType"), r.ObjType);
    for (int i = 1; i <= 5; ++i)
        q.bindValue(QStringLiteral(":Link%1").arg(i), Text(r.Link(i)));
    for (int i = 1; i <= 5; ++i)
        q.bindValue(QStringLiteral(":Int%1").arg(i), r.Int(i));
    for (int i = 1; i <= 5; ++i)
        q.bindValue(QStringLiteral(":Str%1").arg(i), Text(r.Str(i)));
    q.bindValue(QStringLiteral(":Flag"), FlagValue(r.Flag));
    q.bindValue(QStringLiteral(":Date1"), r.Date1);
    q.bindValue(QStringLiteral(":D1Flag"), FlagValue(r.D1Flag));
    q.bindValue(QStringLiteral(":D1Fixed"), FlagValue(r.D1Fixed));
    q.bindValue(QStringLiteral(":Date2"), r.Date2);
    q.bindValue(QStringLiteral(":D2Flag"), FlagValue(r.D2Flag));
    q.bindValue(QStringLiteral(":D2Fixed"), FlagValue(r.D2Fixed));
    q.bindValue(QStringLiteral(":Comments"), Text(r.Comments));
    q.bindValue(QStringLiteral(":DCreate"), r.DCreate);
    q.bindValue(QStringLiteral(":DModify"), r.DModify);
    q.bindValue(
        QStringLiteral(":Foto"), r.Foto.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(r.Foto));
    q.bindValue(QStringLiteral(":D1Search"), r.D1Search);
    q.bindValue(QStringLiteral(":D2Search"), r.D2Search);
    q.bindValue(QStringLiteral(":Creator"), Text(r.Creator));
    q.bindValue(QStringLiteral(":Modifier"), Text(r.Modifier));
    q.bindValue(QStringLiteral(":ExternalFlag"), FlagValue(r.ExternalFlag));
    q.bindValue(QStringLiteral(":PublishedFlag"), FlagValue(r.PublishedFlag));
    q.bindValue(QStringLiteral(":Archived"), FlagValue(r.Archived));
}

// Whether a row with \a id exists; false also when the database cannot answer (then \a ok is false).
bool RowExists(TMyDataBase* db, const QString& id, bool& ok)
{
    auto q = db->CreateQuery(QStringLiteral("select count(*) from AllInfo where ObjId = ") + SqlDialect::Quote(id));
    ok = q && q->next();
    return ok && q->value(0).toLongLong() > 0;
}

// Runs one frame call; a frame that throws is treated as having done its part.
template <typename F> void Guarded(F&& call)
{
    try {
        call();
    } catch (...) {
    }
}

} // namespace

TGID& TObjectRow::Link(int n)
{
    switch (n) {
    case 1:
        return Link1;
    case 2:
        return Link2;
    case 3:
        return Link3;
    case 4:
        return Link4;
    default:
        return Link5;
    }
}

const TGID& TObjectRow::Link(int n) const
{
    return const_cast<TObjectRow*>(this)->Link(n);
}

qint64& TObjectRow::Int(int n)
{
    switch (n) {
    case 1:
        return Int1;
    case 2:
        return Int2;
    case 3:
        return Int3;
    case 4:
        return Int4;
    default:
        return Int5;
    }
}

qint64 TObjectRow::Int(int n) const
{
    return const_cast<TObjectRow*>(this)->Int(n);
}

QString& TObjectRow::Str(int n)
{
    switch (n) {
    case 1:
        return Str1;
    case 2:
        return Str2;
    case 3:
        return Str3;
    case 4:
        return Str4;
    default:
        return Str5;
    }
}

const QString& TObjectRow::Str(int n) const
{
    return const_cast<TObjectRow*>(this)->Str(n);
}

TDBMainInfo::TDBMainInfo(QObject* parent)
    : QObject(parent)
    , m_database(CurrentDatabase())
{
}

TDBMainInfo::~TDBMainInfo()
{
    // A frame normally detaches itself when told to take no master; one that does not is removed here so
    // that the loop always ends.
    while (!m_frames.isEmpty()) {
        TRecordFrame* frame = m_frames.first();
        Guarded([&] { frame->SetMasterDBInfo(nullptr); });
        if (!m_frames.isEmpty() && m_frames.first() == frame)
            m_frames.removeFirst();
    }
}

void TDBMainInfo::SetDatabase(TMyDataBase* db)
{
    m_database = db ? db : CurrentDatabase();
}

bool TDBMainInfo::SetObj(const QString& id)
{
    if (IsEmptyId(id)) {
        Reset(true);
        return true;
    }
    TMyDataBase* db = Database();
    if (!db)
        return false;
    auto q = db->CreateQuery(QStringLiteral("select * from AllInfo where ObjId = ") + SqlDialect::Quote(TGID(id)));
    if (!q)
        return false;
    if (q->next()) {
        LoadFromDataset(q->record());
        return true;
    }
    if (!q->lastError().isValid() || q->lastError().type() == QSqlError::NoError) {
        Clear();
        IsBlank = false;
        NotifyLoaded();
        return true;
    }
    return false;
}

void TDBMainInfo::LoadFromDataset(const QSqlRecord& row)
{
    Clear();
    auto value = [&row](const QString& name, auto apply) {
        int i = row.indexOf(name);
        if (i >= 0 && !row.isNull(i))
            apply(row.value(i));
    };
    auto flag = [](const QVariant& v) { return v.toLongLong() != 0; };
    value(QStringLiteral("ObjId"), [&](const QVariant& v) { Obj = v.toString(); });
    value(QStringLiteral("ObjType"), [&](const QVariant& v) { ObjType = v.toInt(); });
    for (int i = 1; i <= 5; ++i)
        value(QStringLiteral("Link%1").arg(i), [&](const QVariant& v) { Link(i) = v.toString(); });
    for (int i = 1; i <= 5; ++i)
        value(QStringLiteral("Int%1").arg(i), [&](const QVariant& v) { Int(i) = v.toLongLong(); });
    for (int i = 1; i <= 5; ++i)
        value(QStringLiteral("Str%1").arg(i), [&](const QVariant& v) { Str(i) = v.toString(); });
    value(QStringLiteral("Flag"), [&](const QVariant& v) { Flag = flag(v); });
    value(QStringLiteral("Date1"), [&](const QVariant& v) { Date1 = v.toDouble(); });
    value(QStringLiteral("D1Flag"), [&](const QVariant& v) { D1Flag = flag(v); });
    value(QStringLiteral("D1Fixed"), [&](const QVariant& v) { D1Fixed = flag(v); });
    value(QStringLiteral("Date2"), [&](const QVariant& v) { Date2 = v.toDouble(); });
    value(QStringLiteral("D2Flag"), [&](const QVariant& v) { D2Flag = flag(v); });
    value(QStringLiteral("D2Fixed"), [&](const QVariant& v) { D2Fixed = flag(v); });
    value(QStringLiteral("Comments"), [&](const QVariant& v) { Comments = v.toString(); });
    value(QStringLiteral("Foto"), [&](const QVariant& v) { Foto = v.toByteArray(); });
    value(QStringLiteral("DCreate"), [&](const QVariant& v) { DCreate = v.toDouble(); });
    value(QStringLiteral("DModify"), [&](const QVariant& v) { DModify = v.toDouble(); });
    value(QStringLiteral("D1Search"), [&](const QVariant& v) { D1Search = v.toDouble(); });
    value(QStringLiteral("D2Search"), [&](const QVariant& v) { D2Search = v.toDouble(); });
    value(QStringLiteral("Creator"), [&](const QVariant& v) { Creator = v.toString(); });
    value(QStringLiteral("Modifier"), [&](const QVariant& v) { Modifier = v.toString(); });
    value(QStringLiteral("ExternalFlag"), [&](const QVariant& v) { ExternalFlag = flag(v); });
    value(QStringLiteral("PublishedFlag"), [&](const QVariant& v) { PublishedFlag = flag(v); });
    value(QStringLiteral("Archived"), [&](const QVariant& v) { Archived = flag(v); });
    IsBlank = false;
    NotifyLoaded();
}

void TDBMainInfo::Clear()
{
    static_cast<TObjectRow&>(*this) = TObjectRow();
}

void TDBMainInfo::Reset(bool notify)
{
    if (notify) {
        Clear();
        NotifyLoaded();
    } else {
        IsBlank = false;
    }
}

void TDBMainInfo::CopyFrom(const TDBMainInfo& source)
{
    if (&source != this)
        static_cast<TObjectRow&>(*this) = static_cast<const TObjectRow&>(source);
}

void TDBMainInfo::Assign(const TDBMainInfo* source)
{
    if (!source) {
        Clear();
    } else {
        CopyFrom(*source);
        m_database = source->m_database;
    }
    NotifyLoaded();
}

QString TDBMainInfo::NewId()
{
    TMyDataBase* db = Database();
    return db ? db->NewId(ObjType) : Ids::Null;
}

bool TDBMainInfo::EnsureRow()
{
    TMyDataBase* db = Database();
    if (!db)
        return false;
    bool ok = false;
    if (RowExists(db, Obj, ok))
        return true;
    if (!ok)
        return false;
    auto q = db->CreateCommand();
    if (!q || !q->prepare(db->Translate(kEnsureRowStatement)))
        return false;
    q->bindValue(QStringLiteral(":ObjId"), Text(Obj));
    q->bindValue(QStringLiteral(":ObjType"), ObjType);
    return db->ExecuteCommand(*q) == DbStatus::Ok;
}

bool TDBMainInfo::SameContent(const TDBMainInfo& other) const
{
    auto sameText = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    if (!SameId(Obj, other.Obj) || ObjType != other.ObjType)
        return false;
    for (int i = 1; i <= 5; ++i) {
        if (Link(i).Text() != other.Link(i).Text() || Int(i) != other.Int(i) || !sameText(Str(i), other.Str(i)))
            return false;
    }
    return sameText(Comments, other.Comments) && Flag == other.Flag && Date1 == other.Date1 && D1Flag == other.D1Flag
        && D1Fixed == other.D1Fixed && Date2 == other.Date2 && D2Flag == other.D2Flag && D2Fixed == other.D2Fixed
        && ExternalFlag == other.ExternalFlag && PublishedFlag == other.PublishedFlag && Archived == other.Archived
        && IsBlank == other.IsBlank && Foto == other.Foto;
}

int TDBMainInfo::Save()
{
    const QString remembered = Obj;
    if (!ApplyFrames(true))
        return SaveResult::FrameRefused;
    if (ObjType < 0)
        return SaveResult::BadKind;
    if (Kind::IsDialogKind(ObjType))
        return SaveResult::Done;
    TMyDataBase* db = Database();
    if (!db) {
        Messages().ShowMessage(kConnectFailed);
        return SaveResult::NoDatabase;
    }
    if (db->WriteMode() == 0) {
        Messages().ShowMessage(QStringLiteral("Попытка записи в базу констант!"));
        return SaveResult::ReferenceDatabase;
    }
    if (!db->IsWritable()) {
        Messages().ShowMessage(QStringLiteral("Нет разрешения на данную операцию!"));
        return SaveResult::NotPermitted;
    }
    // The database's fixed rows (the placeholder the none id names, the system row, the identity row) are
    // written only by the database itself.
    if (StoreKinds::IsFixedRow(ObjType, Obj, db->IdentityRowId())) {
        Messages().ShowMessage(QStringLiteral("Нет разрешения на данную операцию!"));
        return SaveResult::NotPermitted;
    }
    auto command = db->CreateCommand();
    if (!command) {
        Messages().ShowMessage(kConnectFailed);
        return SaveResult::NotConnected;
    }

    // The row is prepared on a copy, so that a failed save leaves the record exactly as the user left it.
    TObjectRow row = *this;
    const bool insert = IsNewId(row.Obj);
    const double now = DateSerial::Now();
    if (insert) {
        row.DCreate = now;
        row.Creator = CurrentUserId();
    }
    row.DModify = now;
    row.Modifier = CurrentUserId();
    row.D1Search = SearchDate(row.Date1, row.D1Fixed);
    row.D2Search = SearchDate(row.Date2, row.D2Fixed);
    // The kind's own derived columns, whoever saves.
    if (const TStoreKind* kind = StoreKinds::Find(row.ObjType); kind && kind->Derive)
        kind->Derive(row);

    bool ok = false;
    {
        TWriteTransaction transaction(db);
        if (transaction.IsActive()) {
            bool exists = false;
            bool known = true;
            if (insert) {
                row.Obj = db->NewId(row.ObjType);
                known = !IsNewId(row.Obj);
            } else {
                exists = RowExists(db, row.Obj, known);
            }
            if (known) {
                // An id that names no row yet (set without loading) is written as a new row with that id.
                const bool asInsert = insert || !exists;
                ok = command->prepare(db->Translate(asInsert ? kInsertStatement : kUpdateStatement));
                if (ok) {
                    BindRow(*command, row);
                    ok = db->ExecuteCommand(*command) == DbStatus::Ok && command->numRowsAffected() == 1;
                }
            }
            // A server cannot drop a prepared statement inside a failed transaction: roll back first.
            if (!ok)
                transaction.Rollback();
            command.reset();
            ok = ok && transaction.Commit();
        }
    }
    if (!ok) {
        // A server says why it refused (a rule of its own, a lost connection): its words are the message.
        const QString reason = db->ConnectionKind() == ConnectionType::Server ? db->ErrorText() : QString();
        Messages().ShowMessage(reason.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : reason);
        return SaveResult::Failed;
    }

    row.IsBlank = false;
    static_cast<TObjectRow&>(*this) = row;
    NotifySaved();
    if (!SameId(Obj, remembered))
        NotifyLoaded();
    return SaveResult::Done;
}

void TDBMainInfo::AttachFrame(TRecordFrame* frame)
{
    if (frame && !m_frames.contains(frame))
        m_frames.append(frame);
}

void TDBMainInfo::DetachFrame(TRecordFrame* frame)
{
    m_frames.removeAll(frame);
}

void TDBMainInfo::NotifyLoaded()
{
    // Walk a snapshot: a frame may attach or detach frames (or itself) while it loads.
    const QList<TRecordFrame*> frames = m_frames;
    for (TRecordFrame* frame : frames) {
        if (IsAttached(frame))
            Guarded([&] { frame->LoadData(); });
    }
    Q_EMIT Changed();
}

void TDBMainInfo::NotifySaved()
{
    const QList<TRecordFrame*> frames = m_frames;
    for (TRecordFrame* frame : frames) {
        if (IsAttached(frame))
            Guarded([&] { frame->AfterSave(); });
    }
}

bool TDBMainInfo::ApplyFrames(bool showErrors)
{
    const QList<TRecordFrame*> frames = m_frames;
    for (TRecordFrame* frame : frames) {
        if (!IsAttached(frame))
            continue;
        int result = 0;
        Guarded([&] { result = frame->ApplyData(); });
        if (showErrors && result != 0) {
            Messages().ShowMessage(frame->ErrorText());
            return false;
        }
    }
    return true;
}
