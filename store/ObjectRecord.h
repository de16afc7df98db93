#pragma once

#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/StoreResult.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QSqlRecord;
class TRecordFrame;

/// The columns of one AllInfo row as values.
struct TObjectRow
{
    TGID Obj;
    int ObjType = 0;
    TGID Link1, Link2, Link3, Link4, Link5;
    qint64 Int1 = 0, Int2 = 0, Int3 = 0, Int4 = 0, Int5 = 0;
    QString Str1, Str2, Str3, Str4, Str5;
    bool Flag = false;
    double Date1 = 0;
    bool D1Flag = false, D1Fixed = false;
    double Date2 = 0;
    bool D2Flag = false, D2Fixed = false;
    QString Comments;
    QByteArray Foto; ///< picture bytes; empty when none
    double DCreate = 0;
    TGID Creator, Modifier;
    double DModify = 0, D1Search = 0, D2Search = 0;
    bool ExternalFlag = false, PublishedFlag = false, Archived = false;
    /// Not stored: true while the row holds nothing loaded.
    bool IsBlank = true;

    /// Link1..Link5 by number (1-5).
    TGID& Link(int n);
    const TGID& Link(int n) const;
    /// Int1..Int5 by number (1-5).
    qint64& Int(int n);
    qint64 Int(int n) const;
    /// Str1..Str5 by number (1-5).
    QString& Str(int n);
    const QString& Str(int n) const;
};

/// Result codes of TDBMainInfo::Save.
namespace SaveResult {
enum : int {
    Done = 0,
    Failed = -1,
    FrameRefused = -10,
    BadKind = -11,
    ReferenceDatabase = -20,
    NotPermitted = -21,
    NoDatabase = -22,
    NotConnected = -100,
};
}

class QSqlQuery;

/// The steps every insert of a row shares, whoever writes it (TDBMainInfo::Save, TBulkRecordWriter).
namespace RecordWrite {
/// The insert of a whole row in \a engine's spelling, with a named parameter for every column.
const QString& InsertStatement(TSqlEngine engine);
/// Binds every column of \a row on \a q, prepared with InsertStatement.
void BindInsert(QSqlQuery& q, const TObjectRow& row);
/// Why a row of \a kind with id \a id may not be written into \a db (no database, a reference database, no
/// permission, a fixed row); none when it may.
std::optional<TStoreResult> Refusal(TMyDataBase* db, int kind, const QString& id);
/// The columns a save fills itself: creation (with \a insert) and modification stamps, the search dates, and
/// the kind's derived columns.
void Stamp(TObjectRow& row, bool insert);
} // namespace RecordWrite

/**
 * \brief One row of AllInfo in memory: the unit in which frames, lists, dialogs and background tasks
 * read, edit, copy, pass around and write objects.
 *
 * The record knows the database it reads and writes (not owned; the current database by default) and the
 * frames linked to it (not owned; they detach themselves). Messages of a refused save go through the
 * platform's message service. Use a record on the thread of its database only.
 */
class TDBMainInfo final : public QObject, public TObjectRow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDBMainInfo)

public:
    explicit TDBMainInfo(QObject* parent = nullptr);
    ~TDBMainInfo() override;

    TMyDataBase* Database() const { return m_database.data(); }
    /// nullptr means the current database.
    void SetDatabase(TMyDataBase* db);

    /// Loads the row with \a id. An empty id (blank, null or none) clears the record with notification; an
    /// id that matches no row leaves every field empty, IsBlank false, and notifies. False when the
    /// database cannot be read: the record is then left exactly as it was.
    bool SetObj(const QString& id);
    /// Sets the id without loading.
    void SetId(const QString& id) { Obj = id; }
    /// Replaces the content with the current row of a query; columns it lacks keep their cleared values,
    /// extra columns are ignored, names match ignoring case. Notifies.
    void LoadFromDataset(const QSqlRecord& row);
    /// Every field zero, empty or false; IsBlank true; no notification.
    void Clear();
    /// With \a notify: Clear and notify; without: only IsBlank := false.
    void Reset(bool notify);
    /// Copies every column field and IsBlank from \a source (not the database).
    void CopyFrom(const TDBMainInfo& source);
    /// No source: Clear; otherwise CopyFrom and take the source's database. Then notifies.
    void Assign(const TDBMainInfo* source);
    /// A new identifier for this record's kind from its database (call inside a write transaction).
    QString NewId();
    /// Whether \a other holds the same content as far as a user can edit it (see the source for the rules).
    bool SameContent(const TDBMainInfo& other) const;

    /// Writes the record: code 0 when written (or nothing to write), a negative SaveResult otherwise, with
    /// the text to show the user (a refusing frame's ErrorText for -10); nothing is shown here. A refused
    /// or failed save keeps the record's content exactly as it was. A record that holds no stored row is
    /// inserted (with its id when it was given one); one that was loaded or saved writes the columns
    /// changed since, and is refused when its row has been deleted since.
    TStoreResult Save();
    /// Whether the record holds a row as it was loaded from or written to its database (kept by copies).
    bool IsStored() const { return m_stored.has_value() && SameId(m_stored->Obj, Obj); }

    void AttachFrame(TRecordFrame* frame);
    void DetachFrame(TRecordFrame* frame);
    const QList<TRecordFrame*>& Frames() const { return m_frames; }

    /// Every linked frame's LoadData, then Changed().
    void NotifyLoaded();
    /// Every linked frame's AfterSave.
    void NotifySaved();
    /// Every linked frame's ApplyData. With \a showErrors the first refusal shows its ErrorText and gives false.
    bool ApplyFrames(bool showErrors);

    /// The id written as Creator and Modifier: nothing in the system sets a user, so it is empty.
    static QString CurrentUserId() { return QString(); }

Q_SIGNALS:
    /// After every load, clear-with-notify and assignment.
    void Changed();

private:
    bool IsAttached(TRecordFrame* frame) const { return m_frames.contains(frame); }
    /// Every linked frame's ApplyData; with \a refusal, stops at the first refusal and gives its ErrorText.
    bool ApplyFramesUntilRefused(QString* refusal);

    QPointer<TMyDataBase> m_database;
    QList<TRecordFrame*> m_frames;
    /// The row as last loaded or written; none for a record that never held a stored row.
    std::optional<TObjectRow> m_stored;
};
