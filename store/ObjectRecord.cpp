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

#include <array>

namespace {

const QString kInsertStatement = QStringLiteral(
    "insert into AllInfo (ObjId, ObjType, Link1, Link2, Link3, Link4, Link5, Int1, Int2, Int3, Int4, Int5, Str1, Str2, "
    "Str3, Str4, Str5, Flag, Date1, D1Flag, D1Fixed, Date2, D2Flag, D2Fixed, Comments, DCreate, DModify, Foto, "
    "D1Search, d2Search, Creator, Modifier, ExternalFlag, PublishedFlag, Archived) values(:ObjId, :ObjType, :Link1, "
    ":Link2, :Link3, :Link4, :Link5, :Int1, :Int2, :Int3, :Int4, :Int5, :Str1, :Str2, :Str3, :Str4, :Str5, :Flag, "
    ":Date1, :D1Flag, :D1Fixed, :Date2, :D2Flag, :D2Fixed, :Comments, :DCreate, :DModify, :Foto, :D1Search, "
    ":D2Search, :Creator, :Modifier, :ExternalFlag, :PublishedFlag, :Archived)");

const QString kVanished = QStringLiteral("Объект был удалён; изменения не записаны");

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

// Every column but ObjId, in the order of the full insert and update statements.
const std::array<QString, 34>& ColumnNames()
{
    static const std::array<QString, 34> names = {QStringLiteral("ObjType"), QStringLiteral("Link1"),
        QStringLiteral("Link2"), QStringLiteral("Link3"), QStringLiteral("Link4"), QStringLiteral("Link5"),
        QStringLiteral("Int1"), QStringLiteral("Int2"), QStringLiteral("Int3"), QStringLiteral("Int4"),
        QStringLiteral("Int5"), QStringLiteral("Str1"), QStringLiteral("Str2"), QStringLiteral("Str3"),
        QStringLiteral("Str4"), QStringLiteral("Str5"), QStringLiteral("Flag"), QStringLiteral("Date1"),
        QStringLiteral("D1Flag"), QStringLiteral("D1Fixed"), QStringLiteral("Date2"), QStringLiteral("D2Flag"),
        QStringLiteral("D2Fixed"), QStringLiteral("Comments"), QStringLiteral("DCreate"), QStringLiteral("DModify"),
        QStringLiteral("Foto"), QStringLiteral("D1Search"), QStringLiteral("D2Search"), QStringLiteral("Creator"),
        QStringLiteral("Modifier"), QStringLiteral("ExternalFlag"), QStringLiteral("PublishedFlag"),
        QStringLiteral("Archived")};
    return names;
}

// Every column but ObjId with the value it is written with, in the order of ColumnNames().
QList<std::pair<QString, QVariant>> ColumnValues(const TObjectRow& r)
{
    const std::array<QString, 34>& names = ColumnNames();
    QList<std::pair<QString, QVariant>> columns;
    columns.reserve(34);
    qsizetype n = 0;
    auto add = [&](const QVariant& value) { columns.append({names[n++], value}); };
    add(r.ObjType);
    for (int i = 1; i <= 5; ++i)
        add(Text(r.Link(i)));
    for (int i = 1; i <= 5; ++i)
        add(r.Int(i));
    for (int i = 1; i <= 5; ++i)
        add(Text(r.Str(i)));
    add(FlagValue(r.Flag));
    add(r.Date1);
    add(FlagValue(r.D1Flag));
    add(FlagValue(r.D1Fixed));
    add(r.Date2);
    add(FlagValue(r.D2Flag));
    add(FlagValue(r.D2Fixed));
    add(Text(r.Comments));
    add(r.DCreate);
    add(r.DModify);
    add(r.Foto.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(r.Foto));
    add(r.D1Search);
    add(r.D2Search);
    add(Text(r.Creator));
    add(Text(r.Modifier));
    add(FlagValue(r.ExternalFlag));
    add(FlagValue(r.PublishedFlag));
    add(FlagValue(r.Archived));
    return columns;
}

// The update of the columns of \a row that differ from \a stored (every column without \a stored), and
// always the modification stamp and the modifier, so that a save keeps what another record of the same
// row changed in the other columns. Binds its parameters on \a q after preparing it.
bool PrepareUpdate(TMyDataBase* db, QSqlQuery& q, const TObjectRow& row, const TObjectRow* stored)
{
    auto columns = ColumnValues(row);
    if (stored) {
        const auto before = ColumnValues(*stored);
        for (qsizetype i = columns.size() - 1; i >= 0; --i) {
            const QString& name = columns.at(i).first;
            const bool stamp = name == QLatin1String("DModify") || name == QLatin1String("Modifier");
            if (!stamp && columns.at(i).second == before.at(i).second)
                columns.removeAt(i);
        }
    }
    QStringList assignments;
    for (const auto& [name, value] : std::as_const(columns))
        assignments << name + QStringLiteral(" = :") + name;
    if (!q.prepare(db->Translate(QStringLiteral("Update AllInfo set ") + assignments.join(QStringLiteral(", "))
            + QStringLiteral(" where ObjId = :ObjId"))))
        return false;
    q.bindValue(QStringLiteral(":ObjId"), Text(row.Obj));
    for (const auto& [name, value] : std::as_const(columns))
        q.bindValue(QLatin1Char(':') + name, value);
    return true;
}

bool PrepareInsert(TMyDataBase* db, QSqlQuery& q, const TObjectRow& row)
{
    if (!q.prepare(RecordWrite::InsertStatement(db->Engine())))
        return false;
    RecordWrite::BindInsert(q, row);
    return true;
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

namespace RecordWrite {

const QString& InsertStatement(TSqlEngine engine)
{
    static const QString file = SqlDialect::Translate(kInsertStatement, TSqlEngine::SQLite);
    static const QString server = SqlDialect::Translate(kInsertStatement, TSqlEngine::PostgreSQL);
    return engine == TSqlEngine::PostgreSQL ? server : file;
}

void BindInsert(QSqlQuery& q, const TObjectRow& row)
{
    static const std::array<QString, 34> placeholders = [] {
        std::array<QString, 34> texts;
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = QLatin1Char(':') + ColumnNames()[i];
        return texts;
    }();
    static const QString objId = QStringLiteral(":ObjId");
    q.bindValue(objId, Text(row.Obj));
    const auto columns = ColumnValues(row);
    for (qsizetype i = 0; i < columns.size(); ++i)
        q.bindValue(placeholders[static_cast<size_t>(i)], columns.at(i).second);
}

std::optional<TStoreResult> Refusal(TMyDataBase* db, int kind, const QString& id)
{
    if (!db)
        return TStoreResult{SaveResult::NoDatabase, kConnectFailed};
    if (db->WriteMode() == 0)
        return TStoreResult{SaveResult::ReferenceDatabase, QStringLiteral("Попытка записи в базу констант!")};
    if (!db->IsWritable())
        return TStoreResult{SaveResult::NotPermitted, QStringLiteral("Нет разрешения на данную операцию!")};
    // The database's fixed rows (the placeholder the none id names, the system row, the identity row) are
    // written only by the database itself.
    if (StoreKinds::IsFixedRow(kind, id, db->IdentityRowId()))
        return TStoreResult{SaveResult::NotPermitted, QStringLiteral("Нет разрешения на данную операцию!")};
    return std::nullopt;
}

void Stamp(TObjectRow& row, bool insert)
{
    const double now = DateSerial::Now();
    if (insert) {
        row.DCreate = now;
        row.Creator = TDBMainInfo::CurrentUserId();
    }
    row.DModify = now;
    row.Modifier = TDBMainInfo::CurrentUserId();
    row.D1Search = SearchDate(row.Date1, row.D1Fixed);
    row.D2Search = SearchDate(row.Date2, row.D2Fixed);
    // The kind's own derived columns, whoever saves.
    const TStoreKind* kind = StoreKinds::Find(row.ObjType);
    if (kind && kind->Derive)
        kind->Derive(row);
}

} // namespace RecordWrite

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
    if (!IsEmptyId(Obj))
        m_stored = static_cast<const TObjectRow&>(*this);
    NotifyLoaded();
}

void TDBMainInfo::Clear()
{
    static_cast<TObjectRow&>(*this) = TObjectRow();
    m_stored.reset();
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
    if (&source != this) {
        static_cast<TObjectRow&>(*this) = static_cast<const TObjectRow&>(source);
        m_stored = source.m_stored;
    }
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

TStoreResult TDBMainInfo::Save()
{
    const QString remembered = Obj;
    // A frame that refuses its input stops the save; its own words say why.
    QString refusal;
    if (!ApplyFramesUntilRefused(&refusal))
        return {SaveResult::FrameRefused, refusal};
    if (ObjType < 0)
        return {SaveResult::BadKind, QString()};
    if (Kind::IsDialogKind(ObjType))
        return {SaveResult::Done, QString()};
    TMyDataBase* db = Database();
    if (const std::optional<TStoreResult> refused = RecordWrite::Refusal(db, ObjType, Obj))
        return *refused;
    auto command = db->CreateCommand();
    if (!command)
        return {SaveResult::NotConnected, kConnectFailed};

    // The row is prepared on a copy, so that a failed save leaves the record exactly as the user left it.
    TObjectRow row = *this;
    const bool insert = IsNewId(row.Obj);
    RecordWrite::Stamp(row, insert);
    const TStoreKind* kind = StoreKinds::Find(row.ObjType);

    bool ok = false;
    bool vanished = false;
    QString kindRefusal;
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
            if (known && !exists && !insert && IsStored()) {
                // The row was deleted since it was loaded: writing it anew would bring back an object the
                // cascade removed, without its links.
                known = false;
                vanished = true;
            }
            if (known) {
                // An id that names no row yet (given without loading, never stored) is written as a new row
                // with that id.
                const bool asInsert = insert || !exists;
                const TObjectRow* stored = IsStored() ? &*m_stored : nullptr;
                ok = asInsert ? PrepareInsert(db, *command, row) : PrepareUpdate(db, *command, row, stored);
                if (ok)
                    ok = db->ExecuteCommand(*command) == DbStatus::Ok && command->numRowsAffected() == 1;
                // The rows that follow from this one are rewritten in the same transaction.
                if (ok && kind && kind->AfterWrite) {
                    command.reset();
                    ok = kind->AfterWrite(*db, row, stored, kindRefusal);
                }
            }
            // A server cannot drop a prepared statement inside a failed transaction: roll back first.
            if (!ok)
                transaction.Rollback();
            command.reset();
            ok = ok && transaction.Commit();
        }
    }
    if (vanished)
        return {SaveResult::Failed, kVanished};
    if (!ok && !kindRefusal.isEmpty())
        return {SaveResult::Failed, kindRefusal};
    if (!ok) {
        // A server says why it refused (a rule of its own, a lost connection): its words are the message.
        const QString reason = db->ConnectionKind() == ConnectionType::Server ? db->ErrorText() : QString();
        return {SaveResult::Failed, reason.isEmpty() ? DbStatus::Text(DbStatus::QueryFailed) : reason};
    }

    row.IsBlank = false;
    static_cast<TObjectRow&>(*this) = row;
    m_stored = row;
    NotifySaved();
    if (!SameId(Obj, remembered))
        NotifyLoaded();
    return {SaveResult::Done, QString()};
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
    if (!showErrors) {
        ApplyFramesUntilRefused(nullptr);
        return true;
    }
    QString refusal;
    if (ApplyFramesUntilRefused(&refusal))
        return true;
    Messages().ShowMessage(refusal);
    return false;
}

bool TDBMainInfo::ApplyFramesUntilRefused(QString* refusal)
{
    const QList<TRecordFrame*> frames = m_frames;
    for (TRecordFrame* frame : frames) {
        if (!IsAttached(frame))
            continue;
        int result = 0;
        Guarded([&] { result = frame->ApplyData(); });
        if (refusal && result != 0) {
            *refusal = frame->ErrorText();
            return false;
        }
    }
    return true;
}
