#include "store/kinds/EventView.h"

#include "store/DateSerial.h"

QString EventDisplayName(double start, const QString& name)
{
    if (start == 0)
        return QStringLiteral("[Дата не определена] ") + name;
    return u'[' + DateSerial::DateText(start) + QStringLiteral("] ") + name;
}
