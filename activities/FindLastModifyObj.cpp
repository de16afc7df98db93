#include "activities/FindLastModifyObj.h"

#include "platform/Clock.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "shell/widgets/OptionList.h"
#include "store/DateSerial.h"
#include "store/LookupLists.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QString Today = u"Сегодня"_s;
const QString Week = u"Неделя"_s;
const QString Month = u"Месяц"_s;
constexpr int ShortAddressWidth = 300;

TItemProp PickList(const QStringList& values)
{
    TItemProp props;
    props.EditStyle = TEditStyle::esPickList;
    props.ReadOnly = true;
    props.PickList = values;
    return props;
}

} // namespace

namespace RecentChanges {

const QStringList& KindCaptions()
{
    static const QStringList captions{
        QString(), u"Знакомые"_s, u"Семьи"_s, u"Организации"_s, u"Адреса"_s, u"События"_s, u"Заметки"_s};
    return captions;
}

int KindOfCaption(const QString& caption)
{
    static const QList<int> kinds{
        0, Kind::Person, Kind::Family, Kind::Organization, Kind::Address, Kind::Event, Kind::Note};
    const qsizetype at = KindCaptions().indexOf(caption.trimmed());
    return at < 0 ? 0 : kinds[at];
}

QString PeriodCondition(const QString& column, const QString& period, const QDate& today)
{
    QDate from;
    QDate before = today.addDays(2);
    if (period == Today) {
        from = today;
        before = today.addDays(1);
    } else if (period == Week) {
        from = today.addDays(-7);
    } else if (period == Month) {
        from = today.addMonths(-1);
    } else {
        return QString();
    }
    QString conditions;
    DateCondition(conditions, column, DateOp::From, DateSerial::FromDate(from));
    DateCondition(conditions, column, DateOp::Before, DateSerial::FromDate(before));
    return conditions;
}

QString NameText(const TListRow& row, bool shortAddress)
{
    if (row.Text(u"ObjId"_s).trimmed().isEmpty())
        return u" "_s;
    switch (static_cast<int>(row.Number(u"ObjType"_s))) {
    case Kind::Person:
        return row.Text(u"Str1"_s) + u' ' + row.Text(u"Str2"_s) + u' ' + row.Text(u"Str3"_s);
    case Kind::Address: {
        return AddressText(row.Text(u"Link5"_s), row.Text(u"Str1"_s), row.Text(u"Str2"_s), row.Text(u"Str3"_s),
            row.Text(u"Str4"_s), row.Text(u"Str5"_s), row.Text(u"Link4"_s), row.Text(u"Link3"_s), shortAddress);
    }
    case Kind::Organization:
    case Kind::Event:
        return row.Text(u"Str5"_s);
    case Kind::Family:
        return row.Text(u"Str1"_s) + u'\n' + row.Text(u"Str2"_s);
    case Kind::Note:
        return row.Text(u"Str1"_s);
    default:
        return QString();
    }
}

} // namespace RecentChanges

TFindLastModifyObj::TFindLastModifyObj(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Объекты"_s);
    aNew->setVisible(false);
    Panel2->setVisible(false);
    OptionList->SetStrings({KindRow + u'=', ChangeRow + u'=' + Changed, PeriodRow + u'=' + Today});
    OptionList->SetItemProps(KindRow, PickList(RecentChanges::KindCaptions()));
    OptionList->SetItemProps(ChangeRow, PickList({Changed, Created}));
    OptionList->SetItemProps(PeriodRow, PickList({Today, Week, Month}));
    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 54},
        TGridColumn{u"DModify"_s, u"Изменен"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Название обїекта"_s, 240}});
    Grid->SetTextLineCount(2);
    SetFullFindMode(true);
    Panel2->setVisible(false);
    BriefFind->setVisible(false);
}

TFindLastModifyObj::~TFindLastModifyObj() = default;

QString TFindLastModifyObj::DateColumn() const
{
    return OptionList->Values(ChangeRow).trimmed() == Created ? u"AllInfo.DCreate"_s : u"AllInfo.DModify"_s;
}

QString TFindLastModifyObj::GetSelectSQL()
{
    SetsqlOrder(DateColumn() + u" desc"_s);
    return u"select allInfo.* from allInfo where objType in (1, 7, 6, 3, 8, 10)"_s + GetWhereSQL() + u" order by "_s
        + TotalOrder(sqlOrder());
}

void TFindLastModifyObj::ParseOptionList()
{
    const int kind = RecentChanges::KindOfCaption(OptionList->Values(KindRow));
    if (kind > 0)
        AddCondition(m_whereExt, u"ObjType = "_s + QString::number(kind));
    AddCondition(m_whereExt,
        RecentChanges::PeriodCondition(DateColumn(), OptionList->Values(PeriodRow).trimmed(), Clock().Now().date()));
}

void TFindLastModifyObj::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DMODIFY"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return u" "_s;
        return DateSerial::DateText(row.Number(u"DModify"_s));
    });
    model->SetFieldTextHandler(u"STR1"_s, [this](const TListRow& row, const QVariant&) {
        return RecentChanges::NameText(row, Header && Header->sectionSize(2) <= ShortAddressWidth);
    });
    TBaseFind::QueryAfterOpen();
}
