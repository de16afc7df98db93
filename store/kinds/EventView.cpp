#include "store/kinds/EventView.h"

#include "store/DateSerial.h"

using namespace Qt::StringLiterals;

namespace EventType {

const QStringList& Captions()
{
    static const QStringList captions{u"Встреча"_s, u"Телефонный звонок"_s, u"Разговор по Интернет"_s, u"E-mail"_s,
        u"Письмо (почтой)"_s, u"Письмо (курьером)"_s, u"SMS"_s, u"Обсуждение в Интернете"_s, u"Факс"_s,
        u"Посылка"_s, u"Прочие события"_s};
    return captions;
}

QString Caption(qint64 type)
{
    return type >= Meeting && type <= Other ? Captions().at(int(type - Meeting)) : QString();
}

} // namespace EventType

QString EventDisplayName(double start, const QString& name)
{
    if (start == 0)
        return QStringLiteral("[Дата не определена] ") + name;
    return u'[' + DateSerial::DateText(start) + QStringLiteral("] ") + name;
}
