#include "activities/GroupeTable.h"

#include "contacts/PeoplePrev.h"
#include "platform/Messages.h"
#include "shell/frames/StoreResults.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/GradientPanel.h"
#include "shell/widgets/ListModel.h"
#include "store/CascadeDelete.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "store/kinds/EventView.h"
#include "store/kinds/GroupLists.h"
#include "store/kinds/GroupView.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString ProjectRefusal = u"С данного окна проект удалить нельзя.\n"
                               u"Проект можно удалить толко с окна поиска \"Проекты\""_s;

const QString GroupQuestion = u"Вы действительно хотите удалить:\n"
                              u"- группу\n"
                              u"- во всех свзях, где встречается эта группа,\n"
                              u"  снять ссылку на группу\n"
                              u"Продолжить?"_s;

const QString SubcategoryQuestion = u"Вы действительно хотите удалить:- подгруппу\n"
                                    u"- во всех платежах, где встречается эта подгруппа,\n"
                                    u"  в назначении платежа подгруппа не будут указана.\n"
                                    u"Продолжить?"_s;

const QString CategoryQuestion = u"Вы действительно хотите удалить:\n"
                                 u"- статью и все ее подгруппы\n"
                                 u"- во всех платежах, где встречается эта статья,\n"
                                 u"  в назначении платежа статья и подгруппа не будут указаны.\n"
                                 u"Продолжить?"_s;

} // namespace

TFGroupeTable::TFGroupeTable(QWidget* parent)
    : TBaseFind(parent)
    , m_objInfo(new TDBMainInfo(this))
{
    setObjectName(u"FGroupeTable"_s);
    Grid->SetColumns({TGridColumn{u"Int1"_s, QString(), 36}, TGridColumn{u"Str1"_s, u"Название"_s, 240}});
    Grid->SetStatusFields({u"Int1"_s});
    Grid->SetTextLineCount(2);
    Grid->OnStatusColumnGetImage = [this](TMyDBGrid&, const TListRow& row, const TGridColumn&, int& image) {
        if (row.Text(u"ObjId"_s).trimmed().isEmpty()) {
            image = -1;
            return;
        }
        if (static_cast<qint64>(row.Number(u"Int1"_s)) == GroupType::Project)
            image = ProjectPicture;
        else
            image = m_type == TGroupTableType::gtObjGrp ? GroupPicture : CategoryPicture;
    };

    // The object whose groups are shown.
    m_pObj = new QWidget(this);
    m_pObj->setObjectName(u"pObj"_s);
    auto* objLayout = new QVBoxLayout(m_pObj);
    objLayout->setContentsMargins(2, 2, 2, 2);
    m_objName = new QLabel(m_pObj);
    m_objName->setObjectName(u"lObjName"_s);
    objLayout->addWidget(m_objName);
    if (auto* frameLayout = qobject_cast<QVBoxLayout*>(layout()))
        frameLayout->insertWidget(1, m_pObj);
    m_pObj->hide();

    m_puNew = new QMenu(this);
    m_puNew->setObjectName(u"puNew"_s);
    m_miNewGroup = m_puNew->addAction(u"Новая группа"_s);
    m_miNewGroup->setObjectName(u"miNewGroup"_s);
    m_miNewProject = m_puNew->addAction(u"Новый проект"_s);
    m_miNewProject->setObjectName(u"miNewProject"_s);
    connect(m_miNewGroup, &QAction::triggered, this, &TFGroupeTable::NewGroup);
    connect(m_miNewProject, &QAction::triggered, this, &TFGroupeTable::NewProject);
    disconnect(aNew, &QAction::triggered, this, nullptr);
    connect(aNew, &QAction::triggered, this, &TFGroupeTable::aNewClick);
    aNew->setData(Kind::Group);
    aRefresh->setVisible(false);
    SetGrpType(TGroupTableType::gtObjGrp);
}

TFGroupeTable::~TFGroupeTable() = default;

bool TFGroupeTable::IsCategoryTable() const
{
    return m_type == TGroupTableType::gtIncome || m_type == TGroupTableType::gtOut;
}

bool TFGroupeTable::IsSubcategoryTable() const
{
    return m_type == TGroupTableType::sgtIncome || m_type == TGroupTableType::sgtOut;
}

void TFGroupeTable::SetGrpType(TGroupTableType type)
{
    m_type = type;
    m_popsMenu = false;
    m_miNewGroup->setVisible(true);
    m_miNewProject->setVisible(true);
    m_miNewProject->setEnabled(false);
    m_pObj->hide();
    switch (type) {
    case TGroupTableType::gtIncome:
    case TGroupTableType::gtOut:
        FindCaption->setText(type == TGroupTableType::gtIncome ? u"Статьи доходов"_s : u"Статьи расходов"_s);
        m_objInfo->Clear();
        m_objInfo->ObjType = type == TGroupTableType::gtIncome ? GroupType::IncomeCategory : GroupType::ExpenseCategory;
        m_popsMenu = true;
        m_miNewProject->setEnabled(true);
        break;
    case TGroupTableType::gtProject:
        FindCaption->setText(u"Проекты"_s);
        m_miNewProject->setEnabled(true);
        m_miNewGroup->setVisible(false);
        break;
    case TGroupTableType::sgtIncome:
    case TGroupTableType::sgtOut:
        FindCaption->setText(type == TGroupTableType::sgtIncome ? u"Подгруппы доходов"_s : u"Подгруппы расходов"_s);
        m_objInfo->Clear();
        m_objInfo->ObjType
            = type == TGroupTableType::sgtIncome ? GroupType::IncomeSubcategory : GroupType::ExpenseSubcategory;
        break;
    case TGroupTableType::gtObjGrp:
        FindCaption->setText(u"Проекты и группы"_s);
        m_pObj->show();
        break;
    case TGroupTableType::gtMeeting:
        break;
    }
}

void TFGroupeTable::InitFindMode()
{
    // A group table has neither a search nor a result footer.
    Panel2->hide();
    BriefFind->hide();
    FullFind->hide();
    hFindResult->hide();
}

void TFGroupeTable::LoadData()
{
    if (m_type == TGroupTableType::gtObjGrp && !m_objLoaded && MasterDBInfo()) {
        m_objLoaded = true;
        const TDBMainInfo* record = MasterDBInfo();
        const QString owner = record->Link1;
        m_objInfo->SetDatabase(record->Database());
        m_objInfo->Clear();
        if (!IsEmptyId(owner))
            m_objInfo->SetObj(owner);
        const int kind = m_objInfo->ObjType;
        if (kind == Kind::Person || kind == Kind::Organization || kind == Kind::Event) {
            ShowPreview();
        } else {
            const qint64 forKind = record->Int1;
            m_objInfo->Clear();
            m_objInfo->ObjType = static_cast<int>(forKind);
            m_pObj->hide();
        }
        const int listed = m_objInfo->ObjType;
        if (listed == Kind::Person || listed == Kind::Organization || listed == GroupType::NoteGroups) {
            m_popsMenu = true;
            m_miNewProject->setEnabled(true);
        }
    }
    TBaseFind::LoadData();
}

void TFGroupeTable::ShowPreview()
{
    m_pObj->show();
    if (m_objInfo->ObjType == Kind::Person) {
        auto* preview = new TPeoplePrev(m_pObj);
        m_pObj->layout()->addWidget(preview);
        preview->SetMasterDBInfo(m_objInfo);
        m_preview = preview;
        m_objName->hide();
        return;
    }
    m_objName->setText(m_objInfo->Str5.trimmed());
    m_objName->show();
}

QString TFGroupeTable::GetSelectSQL()
{
    QString condition;
    switch (m_type) {
    case TGroupTableType::gtProject:
        condition = u"Int1 = 9"_s;
        break;
    case TGroupTableType::sgtIncome:
    case TGroupTableType::sgtOut: {
        const TDBMainInfo* master = MasterDBInfo();
        const bool category = master && master->ObjType == Kind::Group && !IsEmptyId(master->Obj);
        condition = GroupLists::ScopeCondition(m_objInfo->ObjType, category ? master->Obj.Text() : Ids::Null);
        break;
    }
    default: {
        const QString project
            = m_objInfo->ObjType == Kind::Event ? QString(EventView(*m_objInfo).Project()) : QString();
        condition = GroupLists::ScopeCondition(m_objInfo->ObjType, m_objInfo->Obj, project);
        break;
    }
    }
    return u"select AllInfo.* from AllInfo where AllInfo.ObjType = 21 and "_s + condition + u" order by "_s
        + TotalOrder(u"Str1"_s);
}

void TFGroupeTable::QueryAfterOpen()
{
    TBaseFind::QueryAfterOpen();
}

void TFGroupeTable::EnableActions()
{
    TBaseFind::EnableActions();
    // Subcategories are made for a category: without one there is nothing to make them in.
    if (IsSubcategoryTable()) {
        const TDBMainInfo* master = MasterDBInfo();
        aNew->setEnabled(master && master->ObjType == Kind::Group && !IsEmptyId(master->Obj));
    }
}

void TFGroupeTable::aNewClick()
{
    if (m_popsMenu)
        PopupUnder(m_puNew, tbNew);
    else
        NewGroup();
}

void TFGroupeTable::EditAndReload()
{
    if (EditWorkInfo() == 1)
        RunQuery(WorkInfo()->Obj);
}

void TFGroupeTable::NewGroup()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Group;
    TGroupView group(*work);
    if (IsSubcategoryTable()) {
        const TDBMainInfo* master = MasterDBInfo();
        if (!master || master->ObjType != Kind::Group || IsEmptyId(master->Obj))
            return;
        group.SetOwner(master->Obj);
        group.SetGroupKind(m_objInfo->ObjType);
    } else if (m_type == TGroupTableType::gtProject) {
        group.SetGroupKind(GroupType::Project);
    } else {
        group.SetGroupKind(m_objInfo->ObjType);
        if (m_objInfo->ObjType == Kind::Organization) {
            group.SetOwner(m_objInfo->Obj);
        } else if (m_objInfo->ObjType == Kind::Event) {
            group.SetOwner(m_objInfo->Obj);
            group.SetProject(EventView(*m_objInfo).Project());
        }
    }
    EditAndReload();
}

void TFGroupeTable::NewProject()
{
    TDBMainInfo* work = WorkInfo();
    work->Clear();
    work->ObjType = Kind::Group;
    TGroupView(*work).SetGroupKind(GroupType::Project);
    EditAndReload();
}

bool TFGroupeTable::SelectInDialog()
{
    // A row opens in the group editor, in the dialog as anywhere else.
    EditAndReload();
    return true;
}

void TFGroupeTable::aDelExecute()
{
    const QString id = CurObjId();
    if (IsEmptyId(id))
        return;
    TDBMainInfo* work = WorkInfo();
    work->SetDatabase(QueryDatabase());
    if (!work->SetObj(id))
        return;
    const bool project = work->ObjType == Kind::Group && TGroupView(*work).GroupKind() == GroupType::Project;
    if (m_type == TGroupTableType::gtProject) {
        // The projects' own deletion: the main window's question and the project's cascade.
        if (DeleteWorkInfo() == 1)
            RunQuery(QString());
        return;
    }
    if (project) {
        Messages().ShowMessage(ProjectRefusal);
        return;
    }
    const QString question
        = IsSubcategoryTable() ? SubcategoryQuestion : (IsCategoryTable() ? CategoryQuestion : GroupQuestion);
    if (Messages().AskYesNo(question) != TAnswer::Yes)
        return;
    // The cascade clears every pointer at the group (role groups, note groups, operations' categories
    // and subcategories) and takes a category's subcategories with it, all in one transaction.
    ShowStoreResult(CascadeDelete::Delete(*work));
    RunQuery(QString());
}
