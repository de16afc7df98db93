#include "reports/ReportRows.h"

#include "store/DataBase.h"
#include "store/DateSerial.h"
#include "store/LookupLists.h"
#include "store/ObjectRecord.h"
#include "store/kinds/AddressView.h"
#include "store/kinds/PersonView.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringDecoder>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace ReportRows {

bool ForEach(TMyDataBase* db, const QString& sql, const std::function<void(const TDBMainInfo& row, const QSqlRecord& all)>& each)
{
    const std::unique_ptr<QSqlQuery> query = TMyDataBase::QueryOn(db, sql);
    if (!query)
        return false;
    TDBMainInfo row;
    while (query->next()) {
        const QSqlRecord all = query->record();
        row.LoadFromDataset(all);
        each(row, all);
    }
    return true;
}

bool Load(TMyDataBase* db, const QString& id, TDBMainInfo& row)
{
    if (IsEmptyId(id))
        return false;
    row.SetDatabase(db);
    return row.SetObj(id) && !IsEmptyId(row.Obj);
}

QString DateText(double serial)
{
    return serial == 0 ? QString() : DateSerial::DateText(serial);
}

QString Period(double from, double to)
{
    const auto date = [](double serial) { return serial == 0 ? u"-"_s : DateSerial::DateText(serial); };
    return u"с:  "_s + date(from) + u" по: "_s + date(to);
}

QString PeriodLabel(double from, double to)
{
    return from == 0 && to == 0 ? QString() : Period(from, to);
}

QString PersonName(const TObjectRow& row)
{
    const TConstPersonView person(row);
    QStringList parts;
    for (const QString& part : {person.Surname(), person.FirstName(), person.Patronymic()})
        if (!part.trimmed().isEmpty())
            parts.append(part.trimmed());
    return parts.join(u' ');
}

QString LifeText(const TObjectRow& row, bool female)
{
    const TConstPersonView person(row);
    QString text;
    if (person.BirthDate() != 0)
        text += (female ? u", родилась: "_s : u", родился: "_s) + DateSerial::DateText(person.BirthDate());
    if (person.IsDead()) {
        text += female ? u", умерла: "_s : u", умер: "_s;
        text += DateText(person.DeathDate());
    }
    return text;
}

QString InParentheses(const QString& text)
{
    return text.trimmed().isEmpty() ? QString() : u" ("_s + text + u')';
}

QString AddressFullText(const TObjectRow& row)
{
    const QByteArray& bytes = row.Foto;
    if (bytes.size() > 8) {
        const qint64 length = qFromLittleEndian<qint64>(bytes.constData());
        if (length > 0 && length <= bytes.size() - 8) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = utf8.decode(QByteArrayView(bytes.constData() + 8, static_cast<qsizetype>(length)));
            if (!utf8.hasError() && !text.trimmed().isEmpty())
                return text.trimmed();
        }
    }
    const TConstAddressView address(row);
    return AddressText(address.PostalIndex(), address.Country(), address.Region(), address.District(),
        address.Settlement(), address.Street(), address.House(), address.Flat(), false);
}

} // namespace ReportRows
