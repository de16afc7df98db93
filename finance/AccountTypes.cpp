#include "finance/AccountTypes.h"

namespace AccountTypes {

QStringList Captions()
{
    return {QStringLiteral("Наличные"), QStringLiteral("Счет в банке"), QStringLiteral("Платежная карта"),
        QStringLiteral("Интернет деньги"), QStringLiteral("Депозит"), QStringLiteral("Ценные бумаги"),
        QStringLiteral("Кредит"), QStringLiteral("Прочие средства")};
}

int CodeOf(const QString& caption)
{
    return caption.isEmpty() ? -1 : static_cast<int>(Captions().indexOf(caption));
}

} // namespace AccountTypes
