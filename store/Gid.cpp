#include "store/Gid.h"

TGID& TGID::operator=(const QString& text)
{
    m_text = text.left(16);
    return *this;
}

QString MakeId(quint32 counter, quint32 prefix)
{
    return QStringLiteral("%1%2")
        .arg(prefix, 8, 16, QLatin1Char('0'))
        .arg(counter, 8, 16, QLatin1Char('0'))
        .toUpper();
}

bool SameId(const QString& a, const QString& b)
{
    if (a.compare(b, Qt::CaseInsensitive) == 0)
        return true;
    return b == Ids::Null && a.trimmed().isEmpty();
}

bool IsEmptyId(const QString& id)
{
    return id.isEmpty() || id.compare(Ids::Null, Qt::CaseInsensitive) == 0
        || id.compare(Ids::None, Qt::CaseInsensitive) == 0;
}

bool IsNewId(const QString& id)
{
    return SameId(id, Ids::Null);
}
