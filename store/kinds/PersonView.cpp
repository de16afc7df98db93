#include "store/kinds/PersonView.h"

#include "store/DataBase.h"
#include "store/SqlDialect.h"

#include <QSqlQuery>

QString PersonDisplayName(const QString& surname, const QString& firstName, const QString& patronymic)
{
    if (surname.isEmpty())
        return patronymic.isEmpty() ? firstName : firstName + u' ' + patronymic;
    QString result = surname;
    if (!firstName.isEmpty())
        result += u' ' + firstName.left(1) + u'.';
    if (!patronymic.isEmpty())
        result += u' ' + patronymic.left(1) + u'.';
    return result;
}

int SexOfCounts(qint64 men, qint64 women)
{
    if ((men == 0) == (women == 0))
        return 0;
    return men > women ? 1 : 2;
}

int GuessSexOfFirstName(TMyDataBase* db, const QString& name)
{
    auto query = TMyDataBase::QueryOn(db,
        QStringLiteral("select count(*), flag from AllInfo where ObjType = 1 and Str2 = ") + SqlDialect::Quote(name)
            + QStringLiteral(" group by Flag"));
    if (!query)
        return 0;
    qint64 men = 0;
    qint64 women = 0;
    while (query->next())
        (query->value(1).toBool() ? women : men) += query->value(0).toLongLong();
    return SexOfCounts(men, women);
}
