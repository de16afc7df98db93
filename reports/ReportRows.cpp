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

namespace {

/// The positions of the columns of AllInfo in a query's result, found once for all its rows.
class TColumnReader final
{
public:
    explicit TColumnReader(const QSqlRecord& fields)
    {
        const auto at = [&fields](const QString& name) { return fields.indexOf(name); };
        m_obj = at(u"ObjId"_s);
        m_type = at(u"ObjType"_s);
        for (int i = 0; i < 5; ++i) {
            m_link[i] = at(u"Link%1"_s.arg(i + 1));
            m_int[i] = at(u"Int%1"_s.arg(i + 1));
            m_str[i] = at(u"Str%1"_s.arg(i + 1));
        }
        m_flag = at(u"Flag"_s);
        m_date1 = at(u"Date1"_s);
        m_d1Flag = at(u"D1Flag"_s);
        m_date2 = at(u"Date2"_s);
        m_d2Flag = at(u"D2Flag"_s);
        m_comments = at(u"Comments"_s);
        m_foto = at(u"Foto"_s);
    }

    /// \a row with the columns the result has; the others cleared.
    void Read(const QSqlQuery& query, TObjectRow& row) const
    {
        row = TObjectRow();
        row.IsBlank = false;
        const auto value = [&query](int i) { return i >= 0 ? query.value(i) : QVariant(); };
        row.Obj = value(m_obj).toString();
        row.ObjType = value(m_type).toInt();
        for (int i = 0; i < 5; ++i) {
            row.Link(i + 1) = value(m_link[i]).toString();
            row.Int(i + 1) = value(m_int[i]).toLongLong();
            row.Str(i + 1) = value(m_str[i]).toString();
        }
        row.Flag = value(m_flag).toLongLong() != 0;
        row.Date1 = value(m_date1).toDouble();
        row.D1Flag = value(m_d1Flag).toLongLong() != 0;
        row.Date2 = value(m_date2).toDouble();
        row.D2Flag = value(m_d2Flag).toLongLong() != 0;
        row.Comments = value(m_comments).toString();
        row.Foto = value(m_foto).toByteArray();
    }

private:
    int m_obj = -1, m_type = -1;
    int m_link[5] = {-1, -1, -1, -1, -1};
    int m_int[5] = {-1, -1, -1, -1, -1};
    int m_str[5] = {-1, -1, -1, -1, -1};
    int m_flag = -1, m_date1 = -1, m_d1Flag = -1, m_date2 = -1, m_d2Flag = -1, m_comments = -1, m_foto = -1;
};

} // namespace

bool ForEach(TMyDataBase* db, const QString& sql, const std::function<void(const TObjectRow& row, const QSqlQuery& query)>& each)
{
    const std::unique_ptr<QSqlQuery> query = TMyDataBase::QueryOn(db, sql);
    if (!query)
        return false;
    const TColumnReader columns(query->record());
    TObjectRow row;
    while (query->next()) {
        columns.Read(*query, row);
        each(row, *query);
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
