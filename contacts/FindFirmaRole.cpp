#include "contacts/FindFirmaRole.h"

#include "contacts/FindPeopleRole.h"
#include "shell/widgets/DBGrid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TFindFirmaRole::TFindFirmaRole(QWidget* parent)
    : TFindFirma(parent)
{
    FindCaption->setText(u"Роли,  другие данные"_s);
    SetsqlOrder(RoleOrder);
    Grid->SetColumns(
        {TGridColumn {u"Foto"_s, QString(), 54}, TGridColumn {u"RoleRating"_s, u"Оценка"_s, 50, true, Qt::AlignCenter},
            TGridColumn {u"Str5"_s, u"Название"_s, 240}});
    miDelRole->setText(u"Удалить роль"_s);
    Bind(aDel, &TBaseFind::miDelLinkClick);
}

TFindFirmaRole::~TFindFirmaRole() = default;

QString TFindFirmaRole::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return TFindFirma::GetSelectSQL();
    if (sqlOrder().trimmed().isEmpty())
        SetsqlOrder(RoleOrder);
    return RoleHoldersSQL(Kind::Organization, *master, GetWhereSQL(), sqlOrder());
}

bool TFindFirmaRole::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || DropObj().IsEmpty())
        return false;
    PrepareRoleLink(*WorkInfo(), *master, DropObj());
    return EditWorkInfo() == 1;
}
