#include "contacts/FiliaFind.h"

#include "contacts/PeopleFilter.h"
#include "platform/Messages.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/OptionList.h"
#include "store/FamilyRules.h"
#include "store/Gid.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/SqlDialect.h"
#include "store/kinds/OrganizationView.h"

#include <QAction>
#include <QLabel>

using namespace Qt::StringLiterals;

TFiliaFind::TFiliaFind(QWidget* parent)
    : TBaseFind(parent)
{
    FindCaption->setText(u"Подразделения"_s);
    aNew->setData(Kind::Organization);
    miDelEvent->setText(u"Удалить организацию"_s);
    miDelRole->setText(u"Отделить подразделение"_s);
    connect(miDelRole, &QAction::triggered, this, &TFiliaFind::miDelRoleClick);
    SetGridDraged(true);
    SetsqlOrder(u"AllInfo.Str1 desc"_s);
    Grid->SetColumns({TGridColumn {u"Foto"_s, QString(), 54}, TGridColumn {u"Str1"_s, u"Название"_s, 240}});
    QStringList lines;
    for (const QString& row :
        {u"Название"_s, u"Комментарий"_s, u"Страна"_s, u"Область"_s, u"Район"_s, u"Город"_s, u"Улица"_s})
        lines << row + u'=';
    OptionList->SetStrings(lines);
}

TFiliaFind::~TFiliaFind() = default;

QString TFiliaFind::GetSelectSQL()
{
    const TDBMainInfo* master = MasterDBInfo();
    const QString id = master ? master->Obj.Text() : QString();
    return u"select AllInfo.* from AllInfo where AllInfo.ObjType = 6 and AllInfo.Link1 = "_s + SqlDialect::Quote(id)
        + GetWhereSQL() + u" order by "_s + TotalOrder(sqlOrder());
}

void TFiliaFind::ParseOptionList()
{
    SetFindField(1, OptionList->Values(u"Название"_s));
    SetFindField(16, OptionList->Values(u"Комментарий"_s));
    const auto value = [this](const QString& key) { return OptionList->Values(key); };
    m_whereExt = HolderAddressCondition(
        value(u"Страна"_s), value(u"Область"_s), value(u"Район"_s), value(u"Город"_s), value(u"Улица"_s));
}

bool TFiliaFind::IsDirectDelete()
{
    return false;
}

bool TFiliaFind::CanLinkObject(const TDBMainInfo& info, QString& reason)
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || IsEmptyId(master->Obj))
        return false;
    // The link rewrites the object's parent and display name: only an organization of the same database
    // becomes a branch.
    if (info.ObjType != Kind::Organization || info.Database() != QueryDatabase()) {
        reason = u"Подразделением может быть только организация из этой базы данных!"_s;
        return false;
    }
    if (SameId(info.Obj, master->Obj)) {
        reason = u"Циклическая ссылка"_s;
        return false;
    }
    if (HasBranches(info.Obj, QueryDatabase())) {
        reason = u"Фирма содержащая подразделения не может быть подразделением!"_s;
        return false;
    }
    if (!IsEmptyId(master->Link1)) {
        reason = OrganizationTexts::BranchOfBranch;
        return false;
    }
    return true;
}

bool TFiliaFind::LinkObject()
{
    const TDBMainInfo* master = MasterDBInfo();
    if (!master || m_dropObj.IsEmpty())
        return false;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(m_dropObj.Database ? m_dropObj.Database.data() : QueryDatabase());
    work->SetObj(m_dropObj.Id);
    QString reason;
    if (!CanLinkObject(*work, reason)) {
        if (!reason.isEmpty())
            Messages().ShowMessage(reason);
        return false;
    }
    const TOrganizationView branch(*work);
    branch.SetParent(master->Obj);
    branch.SetDisplayName(OrganizationDisplayName(OrganizationView(*master).DisplayName(), QString(), branch.Name()));
    if (!ShowStoreResult(work->Save()))
        return false;
    AnnounceObjectSaved(Kind::Organization);
    return true;
}

void TFiliaFind::miDelRoleClick()
{
    if (IsEmptyId(CurObjId()))
        return;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(QueryDatabase());
    if (!work->SetObj(CurObjId()))
        return;
    const TOrganizationView firm(*work);
    firm.SetParent(Ids::None);
    firm.SetDisplayName(OrganizationDisplayName(QString(), firm.FormOrParent(), firm.Name()));
    if (!ShowStoreResult(work->Save()))
        return;
    AnnounceObjectSaved(Kind::Organization);
    RunQuery(work->Obj);
}
