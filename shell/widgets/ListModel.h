#pragma once

#include "store/DataBase.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class TListModel;
class TRowStream;


/// One column of a list grid: the field it shows, its title, width, visibility and text alignment.
struct TGridColumn
{
    QString FieldName;
    QString Title;
    int Width = 64;
    bool Visible = true;
    Qt::Alignment Alignment = Qt::AlignLeft;
};

/**
 * \brief One row of a list as the grid's events and the list frames read it: field values by name,
 * matched ignoring letter case. A missing field reads as an empty value.
 */
class TListRow
{
public:
    TListRow() = default;
    TListRow(const TListModel* model, int row)
        : m_model(model)
        , m_row(row)
    {
    }

    bool IsValid() const;
    int Row() const { return m_row; }
    const TListModel* Model() const { return m_model; }
    bool HasField(const QString& name) const;
    QVariant Value(const QString& name) const;
    /// The field's value as text (a missing field gives an empty text).
    QString Text(const QString& name) const;
    /// The field's display text: the value, or what the list's display-text handler makes of it.
    QString DisplayText(const QString& name) const;
    qint64 Int(const QString& name) const;
    /// Flags are stored as -1 and 0; any non-zero value is true.
    bool Bool(const QString& name) const;
    double Number(const QString& name) const;

private:
    const TListModel* m_model = nullptr;
    int m_row = -1;
};

/**
 * \brief The rows of a list statement, read as they are shown.
 *
 * A list that ends within its first rows is counted by them. A longer one is counted once the first rows are shown: on
 * a database file the forward statement first reads on, up to ReadAheadPages pages in all as far as the memory budget
 * allows, and a list that ends before that is counted by its rows; any other list by a separate count statement. Rows
 * are read in pages of PageSize, and only the pages used last stay in memory (MaxPages, MaxBytes), so a list of
 * hundreds of thousands of rows opens at once and scrolling to its end never holds the whole result. On a database file
 * one forward-only statement streams the rows downwards; a jump far ahead, a step back and every page on a server read
 * a window of the statement at an offset. A statement whose order ends with the object's id (a total order) is
 * also read backwards, for the rows nearer its end than its start: the last screen comes at once and paging up
 * from there reads on one backward stream.
 *
 * A statement that fails leaves the model empty (no rows, the columns it had before). The model lets go of
 * its statements when its database goes away, and shows no rows once its connection closes or reconnects. Use it on the
 * thread of its database only.
 */
class TListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TListModel)

public:
    static constexpr int PageSize = 128;
    /// At most this many pages, and about MaxBytes of values, stay in memory.
    static constexpr int MaxPages = 160;
    static constexpr qint64 MaxBytes = 32 * 1024 * 1024;
    /// A step back reads this many pages with one statement.
    static constexpr int BackPages = 32;
    /// On a database file a list shorter than this many pages is counted by reading it to its end: a short
    /// filtered list would otherwise have its whole filter run a second time by the count statement. A longer
    /// list's count comes later by the time these pages take to read (they are kept for scrolling).
    static constexpr int ReadAheadPages = 7;

    /// Makes the display text of a field from its row and value.
    using TFieldTextHandler = std::function<QString(const TListRow& row, const QVariant& value)>;

    explicit TListModel(QObject* parent = nullptr);
    ~TListModel() override;

    /// Runs the dialect statement \a sql on \a db (the current database when nullptr) and shows its rows;
    /// false when it failed (the model is then empty). The rows of any earlier statement are gone either way.
    bool Open(TMyDataBase* db, const QString& sql);
    /// No statement, no rows.
    void Close();
    bool IsOpen() const { return m_open; }
    TMyDataBase* Database() const { return m_db.data(); }
    /// The statement last opened (dialect), empty when none.
    const QString& Statement() const { return m_sql; }

    /// Why the last Open failed (the engine's message), empty after a success.
    const QString& ErrorText() const { return m_error; }
    /// The number of rows (counted now when it is not known yet): of the rows read when the list ends within
    /// its first rows or, on a database file, before ReadAheadPages pages; otherwise what the count statement
    /// gives. 0 when closed or failed.
    int RecordCount() const;
    /// Whether the number of rows is known yet. A list longer than its first rows counts them just after
    /// it was opened (once the first screen could be shown); until then it has those first rows.
    bool IsCountKnown() const { return m_countKnown; }
    /// The field names of the statement's result, in order.
    const QStringList& FieldNames() const { return m_fields; }
    /// The position of field \a name ignoring letter case, -1 when the result has none.
    int FieldIndex(const QString& name) const;
    QVariant FieldValue(int row, int field) const;
    QVariant FieldValue(int row, const QString& name) const;
    TListRow Row(int row) const { return TListRow(this, row); }
    /// The first row whose field \a name equals \a value ignoring letter case; -1 when none.
    int Locate(const QString& name, const QString& value) const;

    /// The columns shown; with none set every field of the result is a column titled by its name.
    void SetColumns(const QList<TGridColumn>& columns);
    const QList<TGridColumn>& Columns() const { return m_columns; }
    /// The column \a column as shown (one of Columns(), or the default column of a field).
    TGridColumn Column(int column) const;
    /// The field index of a shown column, -1 when the result lacks its field.
    int ColumnField(int column) const;

    /// Lets \a handler make the display text of field \a name (nullptr removes it).
    void SetFieldTextHandler(const QString& name, TFieldTextHandler handler);
    void ClearFieldTextHandlers();
    QString DisplayText(int row, int field) const;

    /// While deferred, rows not in memory read as empty instead of being read (a scroll bar being dragged
    /// passes over rows nobody looks at).
    void SetReadsDeferred(bool deferred);
    bool ReadsDeferred() const { return m_readsDeferred; }

    /// \a sql with its order turned round (the last rows first), or empty when that would not give the same
    /// rows backwards: the order has to end with an ObjId column and the statement must have no row limit.
    static QString ReversedStatement(const QString& sql);

    /// How many rows an opening reads at once on this model's database: a page on a database file, a few on
    /// a server, which hands a result over whole.
    int FirstRowCount() const;

    /// How many rows are held in memory now (for the benchmark and tests).
    int CachedRows() const;
    /// How many statements were run to read pages since the last Open (for the benchmark and tests).
    int PageReads() const { return m_pageReads; }
    /// How many count statements were run since the last Open: 0 or 1 (for the benchmark and tests).
    int CountReads() const { return m_countReads; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    /// The number of rows is known now: the list has \a rows rows.
    void CountKnown(int rows);

private:
    using TRowValues = QList<QVariant>;
    struct TPage
    {
        QList<TRowValues> Rows;
        qint64 Bytes = 0;
        quint64 LastUse = 0;
    };

    /// How a stretch of the forward statement was read.
    enum class TStreamRead {
        Reached, ///< up to the row asked for, with more to come
        Ended, ///< to the end of the result
        Failed, ///< the engine broke off
    };

    const TRowValues* RowValues(int row) const;
    bool ReadPage(int page) const;
    bool ReadStreamUpTo(int page) const;
    bool CloserToTheEnd(int first, int end) const;
    bool ReadFromTheEnd(int page) const;
    bool ReadWindowFromTheEnd(int firstRow, int rowCount) const;
    QString ReversedWindowSql(int offset, int limit) const;
    TStreamRead ReadStream(int end) const;
    std::optional<int> CountByReading() const;
    bool RoomForAnotherPage() const;
    bool ReadWindow(int firstRow, int rowCount) const;
    bool OpenOn(const QString& sql);
    void CountRows();
    int StoreWindow(TRowStream& rows, int firstRow, int rowCount) const;
    std::unique_ptr<TRowStream> RunEngineSql(const QString& engineSql, bool forwardOnly, QString* error = nullptr) const;
    QString WindowSql(int offset, int limit) const;
    QString WindowOf(const QString& engineSql, int offset, int limit) const;
    void StorePage(int page, QList<TRowValues>&& rows) const;
    void Evict() const;
    void ResultShorter(int rows) const;
    void ReleaseStatements();
    void DatabaseGone();
    void ConnectionClosing();
    /// A write begins on the connection: the open statements let their snapshot go (the rows read stay;
    /// reading on starts a new statement).
    void ReleaseStreams();

    QPointer<TMyDataBase> m_db;
    QMetaObject::Connection m_dbGone;
    QMetaObject::Connection m_dbClosing;
    QMetaObject::Connection m_dbWriting;
    QString m_sql;
    QString m_engineSql;
    QString m_reversedSql; // the statement backwards, engine spelling; empty when it cannot be read so
    QString m_error;
    bool m_open = false;
    int m_count = 0;
    bool m_countKnown = true;
    quint64 m_generation = 0;
    QStringList m_fields;
    QList<TGridColumn> m_columns;
    QHash<QString, TFieldTextHandler> m_textHandlers; // keyed by the lower-case field name

    mutable QHash<int, TPage> m_pages;
    // The page read last: a row's fields are read one after the other, each without a look-up. Forgotten
    // whenever the pages change.
    mutable int m_lastPage = -1;
    mutable TPage* m_lastPageAt = nullptr;
    mutable quint64 m_useClock = 0;
    mutable qint64 m_cachedBytes = 0;
    bool m_readsDeferred = false;
    mutable std::unique_ptr<TRowStream> m_stream; // rows from m_streamRow on, database files only
    mutable int m_streamRow = 0;
    mutable std::unique_ptr<TRowStream> m_backStream; // rows above m_backRow, last first (database files only)
    mutable int m_backRow = 0;
    mutable int m_pageReads = 0;
    int m_countReads = 0;
    mutable bool m_shrinkQueued = false;
    mutable int m_shortenTo = -1;
    mutable int m_wantedPage = -1; // kept in memory while a read for it stores a window of pages
};
