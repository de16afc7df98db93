#include "store/kinds/PersonView.h"

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
