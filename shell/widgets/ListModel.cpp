#include "shell/widgets/ListModel.h"

#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/RowStream.h"
#include "store/Schema.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

// The text with its literals, bracketed names and parenthesised groups blanked out, character for
// character: what is left are the clauses and terms of the outermost level, at their own positions.
QString TopLevelMask(const QString& sql)
{
    QString mask(sql.size(), QLatin1Char(' '));
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('[')) {
            quote = c == QLatin1Char('[') ? QLatin1Char(']') : c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0) {
            mask[i] = c;
        }
    }
    return mask;
}

// Where the statement's closing "order by" list begins, -1 when it has none. Literals and parenthesised
// sub-selects are skipped over.
qsizetype OrderingStart(const QString& sql)
{
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    qsizetype cut = -1;
    auto matches = orderBy.globalMatch(TopLevelMask(sql));
    while (matches.hasNext())
        cut = matches.next().capturedStart();
    return cut;
}

// The statement without its closing "order by" list: counting needs no order, and leaving it in makes the
// engine sort the whole result only to count it.
QString WithoutOrdering(const QString& sql)
{
    const qsizetype cut = OrderingStart(sql);
    return cut < 0 ? sql : sql.left(cut);
}

// The terms of an order list, split at the commas outside literals and parentheses.
QStringList OrderTerms(const QString& order)
{
    const QString mask = TopLevelMask(order);
    QStringList terms;
    qsizetype start = 0;
    for (qsizetype i = mask.indexOf(QLatin1Char(',')); i >= 0; i = mask.indexOf(QLatin1Char(','), start)) {
        terms << order.mid(start, i - start).trimmed();
        start = i + 1;
    }
    terms << order.mid(start).trimmed();
    return terms;
}

} // namespace

// The statement with its order turned round, so that its last rows come first; empty when that would not
// give exactly the same rows backwards: the order must end with the object's id (rows that tie on every
// other term would otherwise come in any order), and a row limit would choose other rows.
QString TListModel::ReversedStatement(const QString& sql)
{
    const qsizetype cut = OrderingStart(sql);
    if (cut < 0)
        return QString();
    const QString body = sql.left(cut);
    static const QRegularExpression limited(
        QStringLiteral("\\b(top\\s+\\d+|limit|offset)\\b"), QRegularExpression::CaseInsensitiveOption);
    if (limited.match(body).hasMatch())
        return QString();
    static const QRegularExpression direction(
        QStringLiteral("\\s+(asc|desc)$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nulls(QStringLiteral("\\bnulls\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression idColumn(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*\\.)?ObjId$"), QRegularExpression::CaseInsensitiveOption);
    const QStringList terms = OrderTerms(sql.mid(cut + 5).trimmed().mid(2));
    QStringList reversed;
    QString last;
    for (const QString& term : terms) {
        if (term.isEmpty() || nulls.match(term).hasMatch())
            return QString();
        const QRegularExpressionMatch given = direction.match(term);
        const QString column = given.hasMatch() ? term.left(given.capturedStart()).trimmed() : term;
        const bool descending
            = given.hasMatch() && given.captured(1).compare(QStringLiteral("desc"), Qt::CaseInsensitive) == 0;
        reversed << column + (descending ? QStringLiteral(" asc") : QStringLiteral(" desc"));
        last = column;
    }
    if (!idColumn.match(last).hasMatch())
        return QString();
    return body.trimmed() + QStringLiteral(" order by ") + reversed.join(QStringLiteral(", "));
}

namespace {

// What a row costs in memory, roughly: the values and the text and bytes they hold.
qint64 RowBytes(const QList<QVariant>& values)
{
    qint64 bytes = 64 + static_cast<qint64>(values.size()) * static_cast<qint64>(sizeof(QVariant));
    for (const QVariant& value : values) {
        if (value.typeId() == QMetaType::QString)
            bytes += 32 + 2 * static_cast<qint64>(static_cast<const QString*>(value.constData())->size());
        else if (value.typeId() == QMetaType::QByteArray)
            bytes += 32 + static_cast<qint64>(static_cast<const QByteArray*>(value.constData())->size());
    }
    return bytes;
}

} // namespace

bool TListRow::IsValid() const
{
    return m_model && m_row >= 0 && m_row < m_model->rowCount();
}

bool TListRow::HasField(const QString& name) const
{
    return m_model && m_model->FieldIndex(name) >= 0;
}

QVariant TListRow::Value(const QString& name) const
{
    return m_model ? m_model->FieldValue(m_row, name) : QVariant();
}

QString TListRow::Text(const QString& name) const
{
    return Value(name).toString();
}

QString TListRow::DisplayText(const QString& name) const
{
    return m_model ? m_model->DisplayText(m_row, m_model->FieldIndex(name)) : QString();
}

qint64 TListRow::Int(const QString& name) const
{
    return Value(name).toLongLong();
}

bool TListRow::Bool(const QString& name) const
{
    return Value(name).toLongLong() != 0;
}

double TListRow::Number(const QString& name) const
{
    return Value(name).toDouble();
}

TListModel::TListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

TListModel::~TListModel()
{
    ReleaseStatements();
}

void TListModel::ReleaseStatements()
{
    m_stream.reset();
    m_backStream.reset();
    m_lastPageAt = nullptr;
    m_pages.clear();
    m_cachedBytes = 0;
}

void TListModel::DatabaseGone()
{
    beginResetModel();
    ReleaseStatements();
    ++m_generation;
    m_open = false;
    m_count = 0;
    m_countKnown = true;
    m_db.clear();
    endResetModel();
}

// The connection goes (closed or reconnected): the statements on it would break off in the middle and
// leave a list that silently ends early, so the list shows nothing until it is opened again.
void TListModel::ConnectionClosing()
{
    if (!m_open && m_pages.isEmpty() && !m_stream && !m_backStream)
        return;
    beginResetModel();
    ReleaseStatements();
    ++m_generation;
    m_open = false;
    m_count = 0;
    m_countKnown = true;
    endResetModel();
}

void TListModel::ReleaseStreams()
{
    m_stream.reset();
    m_backStream.reset();
}

bool TListModel::Open(TMyDataBase* db, const QString& sql)
{
    beginResetModel();
    ReleaseStatements();
    disconnect(m_dbGone);
    disconnect(m_dbClosing);
    disconnect(m_dbWriting);
    ++m_generation;
    m_open = false;
    m_count = 0;
    m_countKnown = true;
    m_pageReads = 0;
    m_countReads = 0;
    m_shortenTo = -1;
    m_fields.clear();
    m_sql = sql;
    m_engineSql.clear();
    m_reversedSql.clear();
    m_error.clear();
    m_db = db ? db : CurrentDatabase();
    if (m_db) {
        m_dbGone = connect(m_db.data(), &QObject::destroyed, this, &TListModel::DatabaseGone);
        m_dbClosing = connect(m_db.data(), &TMyDataBase::Closing, this, &TListModel::ConnectionClosing);
        m_dbWriting = connect(m_db.data(), &TMyDataBase::WriteStarting, this, &TListModel::ReleaseStreams);
        m_open = OpenOn(sql);
    }
    endResetModel();
    return m_open;
}

bool TListModel::OpenOn(const QString& sql)
{
    if (!m_db->IsConnected()) {
        m_error = m_db->StatusText();
        return false;
    }
    m_engineSql = m_db->Translate(sql);
    const QString reversed = ReversedStatement(sql);
    if (!reversed.isEmpty())
        m_reversedSql = m_db->Translate(reversed);
    const bool file = m_db->Engine() == TSqlEngine::SQLite;
    const int firstRows = FirstRowCount();
    std::unique_ptr<TRowStream> first = RunEngineSql(file ? m_engineSql : WindowSql(0, firstRows), file, &m_error);
    if (!first)
        return false;
    m_fields = first->FieldNames();
    m_open = true;
    // The first rows are there at once; a list that ends within them needs no count at all.
    m_count = firstRows;
    // Counted as read, not as held: a server's first window of heavy rows may not all stay in memory, but
    // the first page, the first screen, does.
    m_wantedPage = 0;
    const int read = StoreWindow(*first, 0, firstRows);
    m_wantedPage = -1;
    m_shortenTo = -1;
    m_count = read;
    m_countKnown = read < firstRows;
    if (!m_countKnown) {
        if (file) {
            m_stream = std::move(first);
            m_streamRow = read;
        }
        // The count waits until the first screen is shown.
        const quint64 generation = m_generation;
        QMetaObject::invokeMethod(
            this,
            [this, generation]() {
                if (generation == m_generation)
                    CountRows();
            },
            Qt::QueuedConnection);
    }
    return true;
}

void TListModel::CountRows()
{
    if (!m_open || m_countKnown)
        return;
    m_countKnown = true;
    int total = m_count;
    if (const std::optional<int> read = CountByReading()) {
        total = *read;
    } else if (m_db) {
        ++m_countReads;
        auto count = m_db->CreateQuery(
            QStringLiteral("select count(*) from (") + WithoutOrdering(m_sql) + QStringLiteral(") as ZorvinCount"));
        if (count && count->next())
            total = std::max(0, count->value(0).toInt());
    }
    if (total > m_count) {
        beginInsertRows(QModelIndex(), m_count, total - 1);
        m_count = total;
        endInsertRows();
    } else if (total < m_count) {
        beginRemoveRows(QModelIndex(), total, m_count - 1);
        m_count = total;
        endRemoveRows();
    }
    emit CountKnown(m_count);
}

int TListModel::RecordCount() const
{
    if (!m_countKnown)
        const_cast<TListModel*>(this)->CountRows();
    return m_count;
}

void TListModel::Close()
{
    beginResetModel();
    ReleaseStatements();
    disconnect(m_dbGone);
    disconnect(m_dbClosing);
    disconnect(m_dbWriting);
    ++m_generation;
    m_db.clear();
    m_open = false;
    m_count = 0;
    m_countKnown = true;
    m_sql.clear();
    m_engineSql.clear();
    m_reversedSql.clear();
    m_fields.clear();
    endResetModel();
}

int TListModel::FieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TListModel::FieldValue(int row, int field) const
{
    if (field < 0)
        return QVariant();
    const TRowValues* values = RowValues(row);
    return values && field < values->size() ? values->at(field) : QVariant();
}

QVariant TListModel::FieldValue(int row, const QString& name) const
{
    return FieldValue(row, FieldIndex(name));
}

void TListModel::SetColumns(const QList<TGridColumn>& columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

TGridColumn TListModel::Column(int column) const
{
    if (!m_columns.isEmpty())
        return column >= 0 && column < m_columns.size() ? m_columns[column] : TGridColumn();
    TGridColumn result;
    if (column >= 0 && column < m_fields.size()) {
        result.FieldName = m_fields[column];
        result.Title = m_fields[column];
    }
    return result;
}

int TListModel::ColumnField(int column) const
{
    if (m_columns.isEmpty())
        return column >= 0 && column < m_fields.size() ? column : -1;
    return column >= 0 && column < m_columns.size() ? FieldIndex(m_columns[column].FieldName) : -1;
}

void TListModel::SetFieldTextHandler(const QString& name, TFieldTextHandler handler)
{
    if (handler)
        m_textHandlers.insert(name.toLower(), std::move(handler));
    else
        m_textHandlers.remove(name.toLower());
}

void TListModel::ClearFieldTextHandlers()
{
    m_textHandlers.clear();
}

QString TListModel::DisplayText(int row, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return QString();
    const QVariant value = FieldValue(row, field);
    const auto handler = m_textHandlers.constFind(m_fields[field].toLower());
    if (handler != m_textHandlers.constEnd())
        return (*handler)(Row(row), value);
    TColumnType type;
    if (Schema::ColumnType(m_fields[field], &type)) {
        if (type == TColumnType::Date) {
            const double serial = value.toDouble();
            return serial == 0 ? QString() : DateSerial::DateText(serial);
        }
        if (type == TColumnType::Blob)
            return QString();
    }
    return value.toString();
}

void TListModel::SetReadsDeferred(bool deferred)
{
    m_readsDeferred = deferred;
}

int TListModel::FirstRowCount() const
{
    return m_db && m_db->Engine() != TSqlEngine::SQLite ? 4 * PageSize : PageSize;
}

int TListModel::CachedRows() const
{
    int rows = 0;
    for (const TPage& page : std::as_const(m_pages))
        rows += static_cast<int>(page.Rows.size());
    return rows;
}

int TListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int TListModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_columns.isEmpty() ? static_cast<int>(m_fields.size()) : static_cast<int>(m_columns.size());
}

QVariant TListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::DisplayRole)
        return DisplayText(index.row(), ColumnField(index.column()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Column(index.column()).Alignment | Qt::AlignVCenter);
    return QVariant();
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    if (role == Qt::DisplayRole)
        return Column(section).Title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return QVariant();
}

const TListModel::TRowValues* TListModel::RowValues(int row) const
{
    if (!m_open || row < 0 || row >= m_count)
        return nullptr;
    const int page = row / PageSize;
    if (page != m_lastPage || !m_lastPageAt) {
        auto found = m_pages.find(page);
        if (found == m_pages.end()) {
            if (m_readsDeferred || !ReadPage(page))
                return nullptr;
            found = m_pages.find(page);
            if (found == m_pages.end())
                return nullptr;
        }
        m_lastPage = page;
        m_lastPageAt = &found.value();
    }
    m_lastPageAt->LastUse = ++m_useClock;
    const int offset = row % PageSize;
    return offset < m_lastPageAt->Rows.size() ? &m_lastPageAt->Rows[offset] : nullptr;
}

bool TListModel::ReadPage(int page) const
{
    if (!m_db || !m_db->IsConnected())
        return false;
    m_wantedPage = page;
    const auto wanted = qScopeGuard([this] { m_wantedPage = -1; });
    const int first = page * PageSize;
    if (m_db->Engine() != TSqlEngine::SQLite) {
        // A server hands over a whole result at once: read a few pages around the one asked for.
        const int start = std::max(0, page - 1) * PageSize;
        const int rows = std::min(4 * PageSize, m_count - start);
        if (m_countKnown && CloserToTheEnd(start, start + rows) && ReadWindowFromTheEnd(start, rows))
            return m_pages.contains(page);
        return ReadWindow(start, 4 * PageSize);
    }
    // Reading on is cheap while the stream is just above the page; anything else starts a new stream.
    // A stream begun a few pages back serves a user scrolling upwards with one statement per few pages.
    const bool ahead = m_stream && first >= m_streamRow && first - m_streamRow <= 8 * PageSize;
    if (!ahead && ReadFromTheEnd(page))
        return true;
    if (!ahead) {
        // Going back costs as much as reading from the top to the new start, so one statement reads a
        // good stretch of the rows above at once.
        const int start = first < m_streamRow ? std::max(0, page - BackPages + 1) : page;
        m_stream = RunEngineSql(WindowSql(start * PageSize, -1), true);
        ++m_pageReads;
        if (!m_stream)
            return false;
        m_streamRow = start * PageSize;
    }
    return ReadStreamUpTo(page);
}

// Whether the rows [\a first, \a end) are reached sooner from the last row backwards than from the first
// row on, and the statement can be read backwards.
bool TListModel::CloserToTheEnd(int first, int end) const
{
    return !m_reversedSql.isEmpty() && m_countKnown && m_count - end < first;
}

// Reads page \a page of a database file with the reversed statement when that is closer: a jump to the end
// reads the last rows at once instead of stepping over every row above them, and paging up from there
// reads on the same backward stream. False when the page was not read so (the caller reads it forwards).
bool TListModel::ReadFromTheEnd(int page) const
{
    const int first = page * PageSize;
    const int end = std::min(m_count, first + PageSize);
    const bool above = m_backStream && first < m_backRow && m_backRow - first <= 8 * PageSize;
    if (!above) {
        if (!CloserToTheEnd(first, end))
            return false;
        // Going down from the backward stream starts it a good stretch further down, as going up does
        // for the forward stream.
        const int from = m_backStream && first >= m_backRow ? std::min(m_count, (page + BackPages) * PageSize) : end;
        m_backStream = RunEngineSql(ReversedWindowSql(m_count - from, -1), true);
        ++m_pageReads;
        if (!m_backStream)
            return false;
        m_backRow = from;
    }
    while (m_backRow > first) {
        const int pageFirst = ((m_backRow - 1) / PageSize) * PageSize;
        QList<TRowValues> rows;
        rows.reserve(m_backRow - pageFirst);
        for (int row = m_backRow; row > pageFirst; --row) {
            TRowValues values;
            if (!m_backStream->Next(values)) {
                // Fewer rows than counted: the rows read cannot be placed; read forwards instead.
                m_backStream.reset();
                return false;
            }
            rows << std::move(values);
        }
        std::reverse(rows.begin(), rows.end());
        StorePage(pageFirst / PageSize, std::move(rows));
        m_backRow = pageFirst;
    }
    if (m_backRow == 0)
        m_backStream.reset();
    return m_pages.contains(page);
}

// Reads the rows [\a firstRow, \a firstRow + \a rowCount) on a server with the reversed statement.
bool TListModel::ReadWindowFromTheEnd(int firstRow, int rowCount) const
{
    if (rowCount <= 0)
        return false;
    auto query = RunEngineSql(ReversedWindowSql(m_count - firstRow - rowCount, rowCount), false);
    ++m_pageReads;
    if (!query)
        return false;
    QList<TRowValues> rows;
    rows.reserve(rowCount);
    TRowValues values;
    while (rows.size() < rowCount && query->Next(values))
        rows << std::move(values);
    // Fewer rows than counted: the rows read cannot be placed; read forwards instead.
    if (rows.size() < rowCount)
        return false;
    std::reverse(rows.begin(), rows.end());
    for (int start = 0; start < rowCount;) {
        const int row = firstRow + start;
        const int pageEnd = std::min(rowCount, (row / PageSize + 1) * PageSize - firstRow);
        StorePage(row / PageSize, rows.mid(start, pageEnd - start));
        start = pageEnd;
    }
    return true;
}

bool TListModel::ReadStreamUpTo(int page) const
{
    ReadStream(std::min((page + 1) * PageSize, m_count));
    if (m_streamRow >= m_count)
        m_stream.reset();
    return m_pages.contains(page);
}

// Reads the forward statement on, page by page, up to row \a end; the stream is let go where the result ends.
TListModel::TStreamRead TListModel::ReadStream(int end) const
{
    while (m_stream && m_streamRow < end) {
        const int current = m_streamRow / PageSize;
        QList<TRowValues> rows;
        rows.reserve(PageSize);
        bool more = true;
        while (m_streamRow < std::min((current + 1) * PageSize, end)) {
            TRowValues values;
            if (!m_stream->Next(values)) {
                more = false;
                break;
            }
            rows << std::move(values);
            ++m_streamRow;
        }
        StorePage(current, std::move(rows));
        if (!more) {
            const bool failed = m_stream->Failed();
            m_stream.reset();
            ResultShorter(m_streamRow);
            return failed ? TStreamRead::Failed : TStreamRead::Ended;
        }
    }
    return m_stream ? TStreamRead::Reached : TStreamRead::Ended;
}

// A database file's forward statement is open anyway, and a count statement would evaluate the whole
// filter a second time; so a list that ends within ReadAheadPages pages is counted by reading it on. The rows
// read stay as pages, as scrolling down would read them. Nothing when the list is longer, when reading on
// failed, or when another page would push one that is held out of memory (the first screen among them).
std::optional<int> TListModel::CountByReading() const
{
    const int end = ReadAheadPages * PageSize;
    while (m_stream && m_streamRow < end && RoomForAnotherPage()) {
        switch (ReadStream(std::min(end, (m_streamRow / PageSize + 1) * PageSize))) {
        case TStreamRead::Reached:
            break;
        case TStreamRead::Ended:
            return m_streamRow;
        case TStreamRead::Failed:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool TListModel::RoomForAnotherPage() const
{
    const qint64 pages = m_pages.size();
    const qint64 pageBytes = pages > 0 ? m_cachedBytes / pages : 0;
    return pages < MaxPages && m_cachedBytes + pageBytes <= MaxBytes;
}

bool TListModel::ReadWindow(int firstRow, int rowCount) const
{
    auto query = RunEngineSql(WindowSql(firstRow, rowCount), false);
    ++m_pageReads;
    if (!query)
        return false;
    StoreWindow(*query, firstRow, rowCount);
    return true;
}

int TListModel::StoreWindow(TRowStream& stream, int firstRow, int rowCount) const
{
    int row = firstRow;
    QList<TRowValues> rows;
    TRowValues values;
    while (row < m_count && stream.Next(values)) {
        rows << std::move(values);
        ++row;
        if (row % PageSize == 0 || row == m_count) {
            StorePage((row - 1) / PageSize, std::move(rows));
            rows.clear();
        }
    }
    if (!rows.isEmpty())
        StorePage(row / PageSize, std::move(rows));
    if (row < std::min(firstRow + rowCount, m_count))
        ResultShorter(row);
    return row - firstRow;
}

std::unique_ptr<TRowStream> TListModel::RunEngineSql(const QString& engineSql, bool forwardOnly, QString* error) const
{
    // A server result is handed over whole: a streaming one would be cut off by the next statement.
    return TRowStream::Open(m_db.data(), engineSql, forwardOnly && m_db && m_db->Engine() == TSqlEngine::SQLite,
                            error);
}

// The statement's rows from \a offset on (\a limit of them, all with -1), in the engine's spelling. The
// statement is already translated, so the window is written in that spelling too.
QString TListModel::WindowSql(int offset, int limit) const
{
    return WindowOf(m_engineSql, offset, limit);
}

// The same window of the reversed statement.
QString TListModel::ReversedWindowSql(int offset, int limit) const
{
    return WindowOf(m_reversedSql, offset, limit);
}

QString TListModel::WindowOf(const QString& engineSql, int offset, int limit) const
{
    const bool sqlite = m_db && m_db->Engine() == TSqlEngine::SQLite;
    QString text = QStringLiteral("select * from (") + engineSql + QStringLiteral(") as ZorvinWindow");
    if (limit >= 0)
        text += QStringLiteral(" limit ") + QString::number(limit);
    else if (sqlite)
        text += QStringLiteral(" limit -1");
    if (offset > 0)
        text += QStringLiteral(" offset ") + QString::number(offset);
    return text;
}

void TListModel::StorePage(int page, QList<TRowValues>&& rows) const
{
    m_lastPageAt = nullptr;
    TPage& stored = m_pages[page];
    m_cachedBytes -= stored.Bytes;
    stored.Rows = std::move(rows);
    stored.Bytes = 0;
    for (const TRowValues& values : std::as_const(stored.Rows))
        stored.Bytes += RowBytes(values);
    m_cachedBytes += stored.Bytes;
    stored.LastUse = ++m_useClock;
    Evict();
}

void TListModel::Evict() const
{
    // Neither the page read last nor the page being read for is the one to go, so a page larger than the
    // budget is still shown, and so is the page a window of heavy rows was read for.
    while (m_pages.size() > 1 && (m_pages.size() > MaxPages || m_cachedBytes > MaxBytes)) {
        auto oldest = m_pages.end();
        for (auto it = m_pages.begin(); it != m_pages.end(); ++it)
            if (it.key() != m_wantedPage && it->LastUse != m_useClock
                && (oldest == m_pages.end() || it->LastUse < oldest->LastUse))
                oldest = it;
        if (oldest == m_pages.end())
            return;
        m_cachedBytes -= oldest->Bytes;
        m_lastPageAt = nullptr;
        m_pages.erase(oldest);
    }
}

// The result ended before the count said it would (rows deleted in between): the grid shrinks to it once
// the current paint is over.
void TListModel::ResultShorter(int rows) const
{
    if (rows >= m_count || (m_shortenTo >= 0 && m_shortenTo <= rows))
        return;
    m_shortenTo = rows;
    if (m_shrinkQueued)
        return;
    m_shrinkQueued = true;
    auto* self = const_cast<TListModel*>(this);
    QMetaObject::invokeMethod(
        self,
        [self]() {
            self->m_shrinkQueued = false;
            const int length = self->m_shortenTo;
            self->m_shortenTo = -1;
            if (length < 0 || length >= self->m_count)
                return;
            self->beginRemoveRows(QModelIndex(), length, self->m_count - 1);
            self->m_count = length;
            self->endRemoveRows();
        },
        Qt::QueuedConnection);
}

int TListModel::Locate(const QString& name, const QString& value) const
{
    const int field = FieldIndex(name);
    if (!m_open || field < 0 || !m_db || !m_db->IsConnected())
        return -1;
    const int count = RecordCount();
    // The rows read so far answer when they run unbroken from the first row.
    for (int page = 0; m_pages.contains(page); ++page) {
        const QList<TRowValues>& rows = m_pages[page].Rows;
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].value(field).toString().compare(value, Qt::CaseInsensitive) == 0)
                return page * PageSize + i;
        if (rows.size() < PageSize)
            return -1;
    }
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    std::unique_ptr<TRowStream> scan;
    int column = field;
    if (plainName.match(m_fields[field]).hasMatch()) {
        scan = RunEngineSql(QStringLiteral("select ") + m_fields[field] + QStringLiteral(" from (") + m_engineSql
                + QStringLiteral(") as ZorvinLocate"),
            true);
        column = 0;
    }
    if (!scan) {
        scan = RunEngineSql(m_engineSql, true);
        column = field;
    }
    if (!scan)
        return -1;
    TRowValues values;
    for (int row = 0; row < count && scan->Next(values); ++row)
        if (values.value(column).toString().compare(value, Qt::CaseInsensitive) == 0)
            return row;
    return -1;
}
