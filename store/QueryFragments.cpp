#include "store/QueryFragments.h"

#include "store/Gid.h"
#include "store/SqlDialect.h"

#include <QStringList>

void AddCondition(QString& text, const QString& fragment)
{
    if (fragment.trimmed().isEmpty())
        return;
    if (text.isEmpty())
        text = fragment;
    else
        text = text + QStringLiteral(" and ") + fragment;
}

void IntCondition(QString& text, const QString& field, qint64 n)
{
    if (n == -1)
        AddCondition(text, QStringLiteral("(") + field + QStringLiteral(" = 0)"));
    else if (n > 0)
        AddCondition(
            text, QStringLiteral("(") + field + QStringLiteral(" = ") + QString::number(n) + QStringLiteral(")"));
}

void IdCondition(QString& text, const QString& id, const QString& field)
{
    if (IsNewId(id))
        return;
    AddCondition(
        text, QStringLiteral("(") + field + QStringLiteral(" = ") + SqlDialect::Quote(id) + QStringLiteral(")"));
}

void LikeCondition(QString& text, const QString& field, const QString& value)
{
    if (value.isEmpty())
        return;
    AddCondition(text,
        QStringLiteral("(") + field + QStringLiteral(" like ") + SqlDialect::Quote(value + QStringLiteral("%"))
            + QStringLiteral(" )"));
}

void DateCondition(QString& text, const QString& field, int op, double date)
{
    static const QStringList signs = {QStringLiteral(" = "), QStringLiteral(" >= "), QStringLiteral(" < "),
        QStringLiteral(" > "), QStringLiteral(" <= ")};
    if (date == 0 || op < DateOp::Equal || op > DateOp::UpTo)
        return;
    AddCondition(text,
        QStringLiteral("(") + field + signs[op - DateOp::Equal] + SqlDialect::DateLiteral(date) + QStringLiteral(")"));
}
