#include "contacts/FindFirma.h"

#include "contacts/PeopleFilter.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/OptionList.h"
#include "store/DataBase.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/kinds/EventView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;
using SqlDialect::Quote;

namespace {

const QString NoGroup = u"Группа не указана"_s;
const QString TypeRow = u"Тип организации"_s;
const QString EventRow = u"Связана с событием"_s;

TItemProp PickList(const QStringList& values, bool readOnly)
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.PickList = values;
    props.ReadOnly = readOnly;
    return props;
}

// The objects of \a kind (phones, internet contacts) whose text holds \a part.
QString ContactCondition(int kind, const QString& part)
{
    return u"AllInfo.ObjId in (select AllInfo.Link1 from AllInfo where AllInfo.ObjType = "_s + QString::number(kind)
        + u" and Str1 like "_s + Quote(u'%' + part + u'%') + u')';
}

} // namespace

QString FirmaFilterConditions(const TFirmaFilter& filter)
{
    QString text;
    if (const QString type = filter.Type.trimmed(); !type.isEmpty())
        AddCondition(
            text, u"AllInfo.Link1 "_s + (type == FirmaTexts::ParentCompany ? u"= "_s : u"<> "_s) + Quote(Ids::None));
    if (const QString phone = filter.Phone.trimmed(); !phone.isEmpty())
        AddCondition(text, ContactCondition(Kind::Phone, phone));
    if (const QString site = filter.Internet.trimmed(); !site.isEmpty())
        AddCondition(text, ContactCondition(Kind::InternetContact, site));
    AddCondition(text,
        HolderRoleCondition(Kind::Organization, TRoleFilter {filter.Group, filter.Role, filter.Rating, filter.State},
            FirmaTexts::StateWas));
    AddCondition(
        text, HolderAddressCondition(filter.Country, filter.Region, filter.District, filter.City, filter.Street));
    if (!IsEmptyId(filter.Event))
        AddCondition(text,
            u"AllInfo.ObjId in (select RP.Link1 from AllInfo as RF, AllInfo as RP where RF.ObjId ="
            u" RP.Link5 and RP.ObjType = 20 and RP.Int1 = 6 and RF.Link1 = "_s
                + Quote(filter.Event) + u')');
    return text;
}

const QStringList& TFindFirma::FilterRows()
{
    static const QStringList rows {u"Название"_s, u"Форма собствен."_s, TypeRow, u"Телефон"_s, u"Internet ресурс"_s,
        u"Комментарий"_s, u"Группа"_s, u"Роль"_s, u"Оценка"_s, u"Состояние"_s, u"Страна"_s, u"Область"_s, u"Район"_s,
        u"Город"_s, u"Улица"_s, EventRow};
    return rows;
}

TFindFirma::TFindFirma(QWidget* parent)
    : TBaseFind(parent)
{
    aNew->setData(Kind::Organization);
    SetGridDraged(true);
    if (TDBMainInfo* master = MasterDBInfo())
        master->ObjType = Kind::Organization;
    Grid->SetColumns({TGridColumn {u"Foto"_s, QString(), 54}, TGridColumn {u"Str5"_s, u"Название"_s, 260}});
    Grid->SetTextLineCount(2);
    FindCaption->setText(u"Организации"_s);
    QStringList lines;
    for (const QString& row : FilterRows())
        lines << row + u'=';
    OptionList->SetStrings(lines);
    OptionList->SetItemProps(TypeRow, PickList({QString(), FirmaTexts::ParentCompany, FirmaTexts::Branches}, true));
    OptionList->SetItemProps(u"Группа"_s, PickList({}, true));
    OptionList->SetItemProps(u"Состояние"_s, PickList({}, true));
    OptionList->SetItemProps(u"Роль"_s, PickList({}, false));
    TItemProp rating;
    rating.EditMask = u"от: 9  до: 99; "_s;
    OptionList->SetItemProps(u"Оценка"_s, rating);
    TItemProp event;
    event.EditStyle = TEditStyle::esEllipsis;
    event.ReadOnly = true;
    OptionList->SetItemProps(EventRow, event);
    OptionList->OnGetPickList
        = [this](TOptionList&, const QString& key, QStringList& values) { OptionListGetPickList(key, values); };
    OptionList->OnEditButtonClick = [this](TOptionList&, int row) { OptionListEditButtonClick(row); };
}

TFindFirma::~TFindFirma() = default;

TFirmaFilter TFindFirma::Filter() const
{
    TFirmaFilter filter;
    const auto value = [this](const QString& key) { return OptionList->Values(key); };
    filter.Type = value(TypeRow);
    filter.Phone = value(u"Телефон"_s);
    filter.Internet = value(u"Internet ресурс"_s);
    // The group is found by its place in the pick list; the blank first item means none.
    const QString group = value(u"Группа"_s).trimmed();
    for (int i = 1; i < m_groups.size() && !group.isEmpty(); ++i)
        if (m_groups[i].Text == group) {
            filter.Group = m_groups[i].Id;
            break;
        }
    filter.Role = value(u"Роль"_s);
    filter.Rating = value(u"Оценка"_s);
    filter.State = value(u"Состояние"_s);
    filter.Country = value(u"Страна"_s);
    filter.Region = value(u"Область"_s);
    filter.District = value(u"Район"_s);
    filter.City = value(u"Город"_s);
    filter.Street = value(u"Улица"_s);
    if (!value(EventRow).trimmed().isEmpty())
        filter.Event = m_event;
    return filter;
}

void TFindFirma::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(2, OptionList->Values(u"Форма собствен."_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
    m_whereExt = FirmaFilterConditions(Filter());
}

void TFindFirma::OptionListGetPickList(const QString& keyName, QStringList& values)
{
    TMyDataBase* db = QueryDatabase();
    if (keyName == u"Группа"_s) {
        ObjectList(Kind::Group, Kind::Organization, db, m_groups, QString());
        m_groups.prepend(TValueItem {NoGroup, TGID(Ids::None)});
        m_groups.prepend(TValueItem {});
        values = ValueTexts(m_groups);
    } else if (keyName == u"Роль"_s) {
        QString sql = u"select distinct Str1 from AllInfo where ObjType = 20 and Int1 = 6"_s;
        const QString group = Filter().Group;
        if (!group.isEmpty())
            sql += u" and Link2 = "_s + Quote(group);
        TValueList roles;
        FillValueList(db, sql + u" order by Str1"_s, true, false, roles);
        values = ValueTexts(roles);
    } else if (keyName == u"Состояние"_s) {
        values = Filter().Group.isEmpty() ? QStringList()
                                          : QStringList {QString(), PeopleStates::Now, FirmaTexts::StateWas};
    }
}

void TFindFirma::OptionListEditButtonClick(int row)
{
    if (OptionList->Key(row) != EventRow)
        return;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Event;
    const bool picked = PickWorkInfo() == 1;
    m_event = picked ? work->Obj.Text() : QString();
    OptionList->SetValue(row, picked ? EventView(*work).DisplayName() : QString());
}
