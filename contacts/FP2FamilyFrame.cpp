#include "contacts/FP2FamilyFrame.h"

#include "contacts/ChildrenFind.h"
#include "contacts/CrestParentsFind.h"
#include "contacts/ParentsFind.h"
#include "contacts/PeopleFamilyFind.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFP2FamilyFrame::TFP2FamilyFrame(int mode, QWidget* parent)
    : TBaseDBFrame(parent)
    , m_mode(mode)
    , m_layout(new QVBoxLayout(this))
    , m_pMainFamily(new QWidget(this))
    , m_panel1(new QWidget(this))
    , m_childrens(new TChildrenFind(m_panel1))
    , m_crestParents(new TCrestParentsFind(m_panel1))
{
    setObjectName(u"FP2FamilyFrame"_s);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_pMainFamily->setObjectName(u"PMainFamily"_s);
    auto* top = new QVBoxLayout(m_pMainFamily);
    top->setContentsMargins(0, 0, 0, 0);
    if (mode == ParentsMode)
        m_topList = new TParentsFind(m_pMainFamily);
    else if (mode == FamiliesMode)
        m_topList = new TPeopleFamilyFind(m_pMainFamily);
    if (m_topList) {
        top->addWidget(m_topList);
        m_topList->DSChange = [this](const TListRow&) { TopListIdChange(); };
    }
    m_pMainFamily->setVisible(m_topList != nullptr);
    m_panel1->setObjectName(u"Panel1"_s);
    auto* panel = new QVBoxLayout(m_panel1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(2);
    panel->addWidget(m_childrens, 1);
    panel->addWidget(m_crestParents);
    m_crestParents->setFixedHeight(CrestParentsHeight);
    m_crestParents->hide();
    m_childrens->SetSiblings(mode == ParentsMode);
    m_childrens->DSChange = [this](const TListRow&) { ChildrensIdChange(); };
    m_layout->addWidget(m_pMainFamily, 1);
    m_layout->addWidget(m_panel1, 2);
    m_panel1->setVisible(mode == ChildrenMode);
}

TFP2FamilyFrame::~TFP2FamilyFrame()
{
    if (m_topList)
        m_topList->DSChange = nullptr;
    m_childrens->DSChange = nullptr;
}

void TFP2FamilyFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (m_topList)
        m_topList->SetMasterDBInfo(master);
    else
        m_childrens->SetMasterDBInfo(master);
}

void TFP2FamilyFrame::TopListIdChange()
{
    const bool shown = !IsEmptyId(m_topList->CurObjId());
    m_panel1->setVisible(shown);
    if (!shown) {
        m_pMainFamily->setMinimumHeight(0);
        m_pMainFamily->setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    m_pMainFamily->setFixedHeight(TopListHeight);
    TDBMainInfo* family = m_topList->GetCurrentObjInfo();
    // A rerun of the top list on the same family leaves the children and the child chosen as they are.
    const TDBMainInfo* current = m_childrens->MasterDBInfo();
    if (current && family && SameId(current->Obj, family->Obj) && SameId(current->Link4, family->Link4))
        return;
    m_childrens->SetMasterDBInfo(family);
}

void TFP2FamilyFrame::ChildrensIdChange()
{
    const bool shown = !IsEmptyId(m_childrens->CurObjId());
    m_crestParents->setVisible(shown);
    if (shown)
        m_crestParents->SetMasterDBInfo(m_childrens->GetCurrentObjInfo());
}
