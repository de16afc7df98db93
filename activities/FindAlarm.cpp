#include "activities/FindAlarm.h"

#include "activities/FindLastModifyObj.h"

#include "platform/Clock.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "store/DateSerial.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/QueryFragments.h"
#include "store/SqlDialect.h"
#include "store/TextHelpers.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

constexpr int KeyYear = 2000;
constexpr int PersonPicture = 117;
constexpr int OrganizationPicture = 15;
constexpr int FamilyPicture = 45;

QDate Key(const QDate& date)
{
    return QDate(KeyYear, date.month(), date.day());
}

QString Range(const QDate& from, const QDate& before)
{
    QString range;
    DateCondition(range, u"AllInfo.D1Search"_s, DateOp::From, DateSerial::FromDate(from));
    DateCondition(range, u"AllInfo.D1Search"_s, DateOp::Before, DateSerial::FromDate(before));
    return range;
}

} // namespace

namespace MemorableDates {

QString WindowCondition(const QDate& today)
{
    if (!today.isValid())
        return QString();
    const QDate last = today.addDays(7);
    QDate from = Key(today);
    const QDate to = Key(last);
    // A 29 February birthday falls on 1 March in a common year.
    if (!QDate::isLeapYear(today.year()) && today.month() == 3 && today.day() == 1)
        from = QDate(KeyYear, 2, 29);
    if (last.year() == today.year())
        return Range(from, to.addDays(1));
    // The week runs into January: the end of December and the beginning of January.
    return u"(("_s + Range(from, QDate(KeyYear + 1, 1, 1)) + u") or ("_s + Range(QDate(KeyYear, 1, 1), to.addDays(1))
        + u"))"_s;
}

QString WindowOrder(const QDate& today)
{
    // A week running into January lists the end of December first: the days before today's day of the
    // year are next year's.
    if (!today.isValid() || today.addDays(7).year() == today.year())
        return TBaseFind::TotalOrder(u"D1Search"_s);
    return u"(D1Search < "_s + SqlDialect::DateLiteral(DateSerial::FromDate(Key(today))) + u"), "_s
        + TBaseFind::TotalOrder(u"D1Search"_s);
}

QString Statement(const QDate& today, int kind)
{
    QString conditions;
    if (kind > 0)
        AddCondition(conditions, u"ObjType = "_s + QString::number(kind));
    AddCondition(conditions, WindowCondition(today));
    return u"select AllInfo.* from AllInfo where (ObjType = "_s + QString::number(Kind::Person) + u" or ObjType = "_s
        + QString::number(Kind::Family) + u" or ObjType = "_s + QString::number(Kind::Organization)
        + u") and D2Flag = \"False\""_s + (conditions.isEmpty() ? QString() : u" and "_s + conditions)
        + u" order by "_s + WindowOrder(today);
}

int KindOfItem(int index)
{
    switch (index) {
    case 1:
        return Kind::Person;
    case 2:
        return Kind::Family;
    case 3:
        return Kind::Organization;
    default:
        return 0;
    }
}

QString DateText(double date)
{
    return DateSerial::DateText(date) + u'\n' + AgeText(false, true, date) + u" лет"_s;
}

} // namespace MemorableDates

TFindAlarm::TFindAlarm(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Знаменательные даты"_s);
    aNew->setVisible(false);
    aDel->setVisible(false);
    Panel2->setVisible(false);
    for (QLabel* label : BriefFind->findChildren<QLabel*>())
        label->setText(u"Тип объекта"_s);
    eFind->setEditable(false);
    eFind->addItems({QString(), u"Знакомые"_s, u"Семьи"_s, u"Организации"_s});
    connect(eFind, &QComboBox::currentIndexChanged, this, &TBaseFind::eFindChange);
    SetsqlOrder(u"D1Search"_s);

    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 54},
        TGridColumn{u"ObjType"_s, QString(), 40, true, Qt::AlignCenter},
        TGridColumn{u"Date1"_s, u"Дата"_s, 80, true, Qt::AlignCenter},
        TGridColumn{u"Str1"_s, u"Название"_s, 200}});
    Grid->SetStatusFields({u"ObjType"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& imageIndex) {
        switch (static_cast<int>(row.Number(u"ObjType"_s))) {
        case Kind::Person:
            imageIndex = PersonPicture;
            break;
        case Kind::Organization:
            imageIndex = OrganizationPicture;
            break;
        case Kind::Family:
            imageIndex = FamilyPicture;
            break;
        default:
            imageIndex = -1;
            break;
        }
    };
}

TFindAlarm::~TFindAlarm() = default;

QString TFindAlarm::GetSelectSQL()
{
    // The kind and the week are the whole filter: the base's tail would add nothing.
    return MemorableDates::Statement(Clock().Now().date(), MemorableDates::KindOfItem(eFind->currentIndex()));
}

void TFindAlarm::ParseBriefFind() { }

void TFindAlarm::QueryAfterOpen()
{
    TListModel* model = Grid->Model();
    model->SetFieldTextHandler(u"DATE1"_s, [](const TListRow& row, const QVariant&) -> QString {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty())
            return u" "_s;
        return MemorableDates::DateText(row.Number(u"Date1"_s));
    });
    model->SetFieldTextHandler(u"STR1"_s, [](const TListRow& row, const QVariant&) {
        // Only people, families and organizations are listed, so no address is shortened.
        return RecentChanges::NameText(row, false);
    });
    TBaseFind::QueryAfterOpen();
}
