#include "contacts/FindPeopleRole.h"

#include "shell/widgets/DBGrid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/RoleView.h"

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

QString RoleHoldersSQL(int holderKind, const TDBMainInfo& role, const QString& where, const QString& order)
{
    const TConstRoleView view(role);
    return u"select AllInfo.*, R.ObjId as LinkId, R.Int4 as RoleRating, R.Comments as RComments"
           u" from AllInfo, AllInfo as R where AllInfo.ObjType = "_s
        + QString::number(holderKind) + u" and R.Link1 = AllInfo.ObjId and R.ObjType = 20 and R.Link2 = "_s
        + SqlDialect::Quote(view.Group()) + u" and R.Str1 = "_s + SqlDialect::Quote(view.Name()) + u" and R.Int1 = "_s
        + QString::number(view.HolderKind()) + u" and R.D2Flag = False"_s + where + u" order by "_s
        + TBaseFind::TotalOrder(order, u"R.ObjId"_s);
}

void PrepareRoleLink(TDBMainInfo& work, const TDBMainInfo& role, const TDropObject& holder)
{
    const TConstRoleView source(role);
    work.Clear();
    work.ObjType = Kind::Role;
    const TRoleView link(work);
    link.SetHolder(holder.Id);
    link.SetGroup(QString());
    link.SetThird(source.Group());
    link.SetHolderKind(holder.Kind);
    link.SetOtherKind(0);
    link.SetName(source.Name());
}

QString TFindPeopleRole::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return TFindPeople::GetSelectSQL();
    if (sqlOrder().trimmed().isEmpty())
        SetsqlOrder(RoleOrder);
    return RoleHoldersSQL(Kind::Person, *master, GetWhereSQL(), sqlOrder());
}

bool TFindPeopleRole::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty())
        return false;
    PrepareRoleLink(*WorkInfo(), *master, DropObj());
    return EditWorkInfo() == 1;
}
