#include "store/DatabaseCheck.h"

#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/SqlConnection.h"
#include "store/SqlDialect.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace DatabaseCheck {

namespace {

QString Sql(const QString& dialect)
{
    return SqlDialect::Translate(dialect, TSqlEngine::SQLite);
}

// Runs \a dialect and hands every row to \a row; a statement that fails is a problem of the file.
template <typename TRow> bool ForEachRow(const QSqlDatabase& db, const QString& dialect, QList<TProblem>& problems, TRow row)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(Sql(dialect))) {
        problems.append({QString(), 0, QStringLiteral("Не удалось прочитать таблицу: ") + q.lastError().text()});
        return false;
    }
    while (q.next())
        row(q);
    return true;
}

void CheckIntegrity(const QSqlDatabase& db, QList<TProblem>& problems)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) {
        problems.append({QString(), 0, QStringLiteral("Проверка целостности не выполнена: ") + q.lastError().text()});
        return;
    }
    while (q.next()) {
        const QString line = q.value(0).toString();
        if (line != QLatin1String("ok"))
            problems.append({QString(), 0, QStringLiteral("Нарушена целостность файла: ") + line});
    }
}

// The condition that a link column of alias \a alias names somebody.
QString NamesSomebody(const QString& alias, const QString& column)
{
    const QString c = alias + QLatin1Char('.') + column;
    return c + QStringLiteral(" <> \"\" and ") + c + QStringLiteral(" <> ") + SqlDialect::Quote(Ids::Null)
        + QStringLiteral(" and ") + c + QStringLiteral(" <> ") + SqlDialect::Quote(Ids::None);
}

bool LooksLikeId(const QString& text)
{
    static const QRegularExpression id(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    return id.match(text).hasMatch();
}

// Every id a link column names is a row of the table, unless it names nobody. An address keeps its flat,
// house and postal index as plain text in Link3..Link5; other texts that are no id are not links either.
void CheckLinks(const QSqlDatabase& db, QList<TProblem>& problems)
{
    for (int n = 1; n <= 5; ++n) {
        const QString column = QStringLiteral("Link%1").arg(n);
        QString sql = QStringLiteral("select a.ObjId, a.ObjType, a.%1 from AllInfo as a where ").arg(column)
            + NamesSomebody(QStringLiteral("a"), column)
            + QStringLiteral(" and not exists (select b.ObjId from AllInfo as b where b.ObjId = a.%1)").arg(column);
        if (n >= 3)
            sql += QStringLiteral(" and a.ObjType <> %1").arg(Kind::Address);
        sql += QStringLiteral(" order by a.ObjId");
        ForEachRow(db, sql, problems, [&](const QSqlQuery& q) {
            if (IsEmptyId(q.value(2).toString()) || !LooksLikeId(q.value(2).toString()))
                return;
            problems.append({q.value(0).toString(), q.value(1).toInt(),
                             QStringLiteral("%1 ссылается на отсутствующую запись %2").arg(column, q.value(2).toString())});
        });
    }
}

// A role and a money operation name their partner in Link5; the partner names them back, and is of the same kind.
void CheckPairs(const QSqlDatabase& db, QList<TProblem>& problems)
{
    const QString sql = QStringLiteral("select a.ObjId, a.ObjType, a.Link5, b.ObjType, b.Link5 from AllInfo as a, AllInfo as b "
                                       "where a.ObjType in (%1, %2) and ")
                            .arg(Kind::Role)
                            .arg(Kind::MoneyOperation)
        + NamesSomebody(QStringLiteral("a"), QStringLiteral("Link5")) + QStringLiteral(" and b.ObjId = a.Link5 order by a.ObjId");
    ForEachRow(db, sql, problems, [&](const QSqlQuery& q) {
        const QString id = q.value(0).toString();
        if (q.value(1).toInt() != q.value(3).toInt() || !SameId(q.value(4).toString(), id))
            problems.append({id, q.value(1).toInt(),
                             QStringLiteral("половина пары: запись %1 не указывает на нее в Link5").arg(q.value(2).toString())});
    });
}

// The identity counter gave out every id of its prefix up to its value, and no id is used twice.
void CheckIds(const QSqlDatabase& db, QList<TProblem>& problems)
{
    quint32 counter = 0;
    quint32 prefix = 0;
    QString identityId;
    ForEachRow(db,
               QStringLiteral("select ObjId, Int1, Int2 from AllInfo where ObjType = %1 and Int5 = 1 and Date2 = 0 order by ObjId")
                   .arg(Kind::IdentityRow),
               problems, [&](const QSqlQuery& q) {
                   if (!identityId.isEmpty())
                       return;
                   identityId = q.value(0).toString();
                   counter = static_cast<quint32>(q.value(1).toLongLong());
                   prefix = static_cast<quint32>(q.value(2).toLongLong());
               });
    if (identityId.isEmpty()) {
        problems.append({QString(), Kind::IdentityRow, QStringLiteral("нет записи счетчика идентификаторов")});
        return;
    }
    const QString prefixText = MakeId(0, prefix).left(8);
    QHash<QString, int> seen;
    ForEachRow(db, QStringLiteral("select ObjId, ObjType from AllInfo order by ObjId"), problems, [&](const QSqlQuery& q) {
        const QString id = q.value(0).toString().toUpper();
        const int kind = q.value(1).toInt();
        if (seen.contains(id)) {
            problems.append({id, kind, QStringLiteral("идентификатор записан повторно")});
            return;
        }
        seen.insert(id, kind);
        if (id.size() != 16 || !id.startsWith(prefixText))
            return;
        bool ok = false;
        const quint32 value = id.mid(8).toUInt(&ok, 16);
        if (ok && value > counter)
            problems.append({id, kind,
                             QStringLiteral("идентификатор больше счетчика %1 записи %2")
                                 .arg(MakeId(counter, prefix), identityId)});
    });
}

} // namespace

QList<TProblem> Run(const QSqlDatabase& db)
{
    QList<TProblem> problems;
    CheckIntegrity(db, problems);
    if (!problems.isEmpty())
        return problems; // a damaged file cannot be read further with any confidence
    CheckLinks(db, problems);
    CheckPairs(db, problems);
    CheckIds(db, problems);
    return problems;
}

QList<TProblem> RunOnFile(const QString& path)
{
    TSqlConnection connection = TSqlConnection::OpenSqliteFile(path, TSqlConnection::ExistingFile);
    if (!connection.IsOpen())
        return {{QString(), 0, QStringLiteral("Не удалось открыть файл базы данных: ") + connection.ErrorText()}};
    {
        // A check only reads.
        QSqlQuery readOnly(connection.Database());
        readOnly.exec(QStringLiteral("PRAGMA query_only=1"));
    }
    return Run(connection.Database());
}

QString Describe(const TProblem& problem)
{
    if (problem.Id.isEmpty())
        return problem.Text;
    return QStringLiteral("%1 (вид %2): %3").arg(problem.Id).arg(problem.Kind).arg(problem.Text);
}

} // namespace DatabaseCheck
