#include "contacts/FindPeopleRole.h"

#include "shell/widgets/DBGrid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TFindPeopleRole::TFindPeopleRole(QWidget* parent)
    : TFindPeople(parent)
{
    FindCaption->setText(u"Роли, характеристики"_s);
    SetsqlOrder(RoleOrder);
    Grid->SetColumns({TGridColumn{u"Foto"_s, QString(), 54},
        TGridColumn{u"Str1"_s, u"Ф.И.О."_s, 180},
        TGridColumn{u"Date1"_s, u"В П"_s, 40, true, Qt::AlignCenter},
        TGridColumn{u"RoleRating"_s, u"Оценка"_s, 50, true, Qt::AlignCenter},
        TGridColumn{u"RComments"_s, u"Коментарий"_s, 200}});
    Bind(aDel, &TBaseFind::miDelLinkClick);
}

TFindPeopleRole::~TFindPeopleRole() = default;

QString TFindPeopleRole::GetSelectSQL()
{
    const TDBMainInfo* role = MasterDBInfo();
    if (!role)
        return TFindPeople::GetSelectSQL();
    if (sqlOrder().trimmed().isEmpty())
        SetsqlOrder(RoleOrder);
    return u"select AllInfo.*, R.ObjId as LinkId, R.Int4 as RoleRating, R.Comments as RComments"
           u" from AllInfo, AllInfo as R where AllInfo.ObjType = 1 and R.Link1 = AllInfo.ObjId and R.ObjType = 20"
           u" and R.Link2 = "_s
        + SqlDialect::Quote(role->Link2) + u" and R.Str1 = "_s + SqlDialect::Quote(role->Str1) + u" and R.Int1 = "_s
        + QString::number(role->Int1) + u" and R.D2Flag = False"_s + GetWhereSQL() + u" order by "_s
        + TotalOrder(sqlOrder(), u"R.ObjId"_s);
}

bool TFindPeopleRole::LinkObject()
{
    const TDBMainInfo* role = MasterDBInfo();
    if (!role || DropObj().IsEmpty())
        return false;
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Role;
    work->Link1 = DropObj().Id;
    work->Link2 = QString();
    work->Link3 = role->Link2;
    work->Int1 = DropObj().Kind;
    work->Int2 = 0;
    work->Str1 = role->Str1;
    return EditWorkInfo() == 1;
}
