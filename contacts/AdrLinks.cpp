#include "contacts/AdrLinks.h"

#include "contacts/LinkAdrFind.h"
#include "contacts/SosedyFind.h"
#include "contacts/StreetFind.h"
#include "store/Gid.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TAdrLinks::TAdrLinks(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_layout(new QVBoxLayout(this))
    , m_addressTable(new TLinkAdrFind(this))
    , m_streetPanel(new QWidget(this))
    , m_streetTable(new TStreetFind(m_streetPanel))
    , m_sosedy(new TSosedyFind(m_streetPanel))
{
    setObjectName(u"AdrLinks"_s);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    m_streetPanel->setObjectName(u"StreetPanel"_s);
    auto* panel = new QVBoxLayout(m_streetPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(2);
    panel->addWidget(m_streetTable, 1);
    panel->addWidget(m_sosedy, 2);
    m_layout->addWidget(m_addressTable, 1);
    m_layout->addWidget(m_streetPanel, 2);
    m_streetPanel->hide();
    m_addressTable->DSChange = [this](const TListRow&) { AddressTableIdChange(); };
}

TAdrLinks::~TAdrLinks()
{
    m_addressTable->DSChange = nullptr;
    m_streetTable->DSChange = nullptr;
}

void TAdrLinks::LoadData()
{
    TBaseDBFrame::LoadData();
    m_streetTable->DSChange = [this](const TListRow&) { StreetTableIdChange(); };
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    if (master->ObjType == Kind::Address) {
        m_addressTable->hide();
        m_streetPanel->show();
        m_streetTable->SetMasterDBInfo(master);
        return;
    }
    m_addressTable->show();
    m_addressTable->SetMasterDBInfo(master);
}

void TAdrLinks::AddressTableIdChange()
{
    const QString address = m_addressTable->CurObjId();
    const bool shown = !IsEmptyId(address) && !address.trimmed().isEmpty();
    m_streetPanel->setVisible(shown);
    if (!shown) {
        m_addressTable->setMinimumHeight(0);
        m_addressTable->setMaximumHeight(QWIDGETSIZE_MAX);
        return;
    }
    m_addressTable->setFixedHeight(AddressTableHeight);
    m_streetTable->SetMasterId(address);
}

void TAdrLinks::StreetTableIdChange()
{
    m_sosedy->SetMasterId(m_streetTable->CurObjId());
}
