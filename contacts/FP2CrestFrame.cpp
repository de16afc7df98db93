#include "contacts/FP2CrestFrame.h"

#include "contacts/CrestnikyFind.h"
#include "contacts/CrestParentsFind.h"
#include "contacts/ParentsFind.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFP2CrestFrame::TFP2CrestFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_crestParents(new TCrestParentsFind(this))
    , m_crestnics(new TCrestnikyFind(this))
    , m_parents(new TParentsFind(this))
{
    setObjectName(u"FP2CrestFrame"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_crestParents);
    layout->addWidget(m_crestnics, 1);
    layout->addWidget(m_parents);
    m_crestParents->setFixedHeight(CrestParentsHeight);
    m_parents->setFixedHeight(ParentsHeight);
    m_parents->hide();
    m_crestnics->DSChange = [this](const TListRow&) { CrestnicsIdChange(); };
}

TFP2CrestFrame::~TFP2CrestFrame()
{
    m_crestnics->DSChange = nullptr;
}

void TFP2CrestFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    m_crestParents->SetMasterDBInfo(master);
    m_crestnics->SetMasterDBInfo(master);
}

void TFP2CrestFrame::CrestnicsIdChange()
{
    const bool shown = !IsEmptyId(m_crestnics->CurObjId());
    m_parents->setVisible(shown);
    if (shown)
        m_parents->SetMasterDBInfo(m_crestnics->GetCurrentObjInfo());
}
