#include "contacts/HowConnect.h"

#include "contacts/InetFind.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/TelFind.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

THowConnect::THowConnect(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_telFind(new TTelFind(this))
    , m_inetFind(new TInetFind(this))
    , m_linkAdrFind(new TLinkAdrFind(this))
{
    setObjectName(u"HowConnect"_s);
    m_telFind->setObjectName(u"TelFind1"_s);
    m_inetFind->setObjectName(u"InetFind1"_s);
    m_linkAdrFind->setObjectName(u"LinkAdrFind1"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_telFind, 3);
    layout->addWidget(m_inetFind, 2);
    layout->addWidget(m_linkAdrFind, 2);
}

THowConnect::~THowConnect() = default;

void THowConnect::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* master = MasterDBInfo();
    if (!master)
        return;
    m_telFind->SetMasterDBInfo(master);
    m_inetFind->SetMasterDBInfo(master);
    m_linkAdrFind->SetMasterDBInfo(master);
}
