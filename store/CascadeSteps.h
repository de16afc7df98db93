#pragma once

#include "store/SqlDialect.h"

#include <QString>
#include <QStringList>

struct TObjectRow;

/**
 * \brief What the first stage of a kind's cascading deletion may do (the kind's TStoreKind::DeleteFirst).
 *
 * Every statement runs on the deleted object's database inside the deletion's one write transaction. Each
 * operation gives false when a statement or a read failed: the stage then returns false at once and the
 * whole deletion is rolled back.
 */
class TCascadeSteps
{
public:
    virtual ~TCascadeSteps() = default;

    /// Runs a statement that changes rows but deletes none.
    virtual bool Run(const QString& sql) = 0;
    /// "delete from allInfo where " + \a where; the ids it deletes count as deleted by the cascade.
    virtual bool DeleteRows(const QString& where) = 0;
    /// DeleteRows("ObjType = " + kind + " and " + condition).
    bool DeleteWhere(int kind, const QString& condition)
    {
        return DeleteRows(QStringLiteral("ObjType = ") + QString::number(kind) + QStringLiteral(" and ") + condition);
    }
    /// DeleteWhere(kind, column + " = \"" + value + "\"").
    bool DeleteLinked(int kind, const QString& column, const QString& value)
    {
        return DeleteWhere(kind, column + QStringLiteral(" = ") + SqlDialect::Quote(value));
    }
    /// The first column of every row of a select.
    virtual bool SelectIds(const QString& sql, QStringList& ids) = 0;
    /// Deletes \a row with its whole cascade (first stage and common stage).
    virtual bool Delete(const TObjectRow& row) = 0;
    /// Deletes every row of \a kind that meets \a condition, each with its whole cascade, so that nothing
    /// keeps the id of one of them. The rows are found before the first goes.
    bool DeleteEach(int kind, const QString& condition);
    /// Names a kind whose lists and sums changed; announced once the deletion was committed.
    virtual void Announce(int kind) = 0;
};
