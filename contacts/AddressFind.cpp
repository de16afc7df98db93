#include "contacts/AddressFind.h"

#include "contacts/AddressLine.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

// The find fields of the address parts (SetFindField numbers).
enum TAddressField : int {
    CountryField = 1,
    RegionField = 2,
    DistrictField = 3,
    SettlementField = 4,
    StreetField = 5,
    FlatField = 8,
    HouseField = 9,
    IndexField = 10,
    CommentField = 16,
};

} // namespace

const QStringList& TAddressFind::FilterRows()
{
    static const QStringList rows{u"Страна"_s, u"Область"_s, u"Район"_s, u"Город"_s, u"Улица"_s, u"Дом"_s,
        u"Квартира (офис)"_s, u"Почтовый индекс"_s, u"Комментарий"_s, u"Телефон"_s};
    return rows;
}

QString TAddressFind::PartConditions(const TDBMainInfo& options, bool exactHouse)
{
    QString conditions;
    if (exactHouse) {
        for (int link : {3, 4})
            if (!options.Link(link).Text().trimmed().isEmpty())
                AddCondition(conditions,
                    u"(AllInfo.Link"_s + QString::number(link) + u" = "_s
                        + SqlDialect::Quote(options.Link(link).Text().trimmed()) + u')');
    } else {
        for (int link : {3, 4, 5})
            LikeCondition(conditions, u"AllInfo.Link"_s + QString::number(link), options.Link(link).Text().trimmed());
    }
    for (int i = 1; i <= 5; ++i)
        LikeCondition(conditions, u"AllInfo.Str"_s + QString::number(i), options.Str(i));
    LikeCondition(conditions, u"AllInfo.Comments"_s, options.Comments);
    return conditions;
}

TAddressFind::TAddressFind(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Адреса"_s);
    aNew->setData(Kind::Address);
    SetGridDraged(true);
    SetsqlOrder(u"AllInfo.Str1, AllInfo.Str2, AllInfo.Str4, AllInfo.Str5, AllInfo.Link4, AllInfo.Link3"_s);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Address;
    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 34}, TGridColumn{u"Str1"_s, u"Адрес"_s, 300}});
    Grid->SetTextLineCount(2);
    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
}

TAddressFind::~TAddressFind() = default;

void TAddressFind::ParseOptionList()
{
    const auto value = [this](const QString& key) { return OptionList->Values(key); };
    SetFindField(CountryField, value(u"Страна"_s));
    SetFindField(RegionField, value(u"Область"_s));
    SetFindField(DistrictField, value(u"Район"_s));
    SetFindField(SettlementField, value(u"Город"_s));
    SetFindField(StreetField, value(u"Улица"_s));
    SetFindField(HouseField, value(u"Дом"_s));
    SetFindField(FlatField, value(u"Квартира (офис)"_s));
    SetFindField(IndexField, value(u"Почтовый индекс"_s));
    SetFindField(CommentField, value(u"Комментарий"_s));
    const QString phone = value(u"Телефон"_s).trimmed();
    if (!phone.isEmpty())
        m_whereExt = u"AllInfo.ObjId in (select AllInfo.Link1 from AllInfo where AllInfo.ObjType = 4 and Str1 like "_s
            + SqlDialect::Quote(u"%"_s + phone + u"%"_s) + u')';
}

QString TAddressFind::GetWhereSQL()
{
    m_whereExt.clear();
    FindOptions()->Clear();
    if (FullFindMode())
        ParseOptionList();
    else
        ParseBriefFind();
    QString tail;
    const QString conditions = PartConditions(*FindOptions(), false);
    if (!conditions.isEmpty())
        tail = u" and "_s + conditions;
    if (!m_whereExt.isEmpty())
        tail += u" and "_s + m_whereExt;
    return tail;
}

void TAddressFind::QueryAfterOpen()
{
    Grid->Model()->SetFieldTextHandler(u"STR1"_s, [this](const TListRow& row, const QVariant&) -> QString {
        return AddressLine::OfListRow(row, Grid->columnWidth(1));
    });
    TBaseFind::QueryAfterOpen();
}
