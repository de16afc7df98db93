#include "contacts/Filias.h"

#include "contacts/FiliaFind.h"
#include "contacts/InetFind.h"
#include "contacts/LinkAdrFind.h"
#include "contacts/TelFind.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TFilias::TFilias(QWidget* parent)
    : THowConnect(parent)
    , m_filia(new TFiliaFind(this))
{
    setObjectName(u"Filias"_s);
    m_filia->setObjectName(u"FiliaFind1"_s);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_filia, 4);
    for (QWidget* list :
        {static_cast<QWidget*>(TelFind1()), static_cast<QWidget*>(InetFind1()), static_cast<QWidget*>(LinkAdrFind1())})
        list->hide();
    m_filia->DSChange = [this](const TListRow&) { FiliaFind1DSChange(); };
}

TFilias::~TFilias() = default;

void TFilias::LoadData()
{
    TBaseDBFrame::LoadData();
    if (TDBMainInfo* master = MasterDBInfo())
        m_filia->SetMasterDBInfo(master);
}

void TFilias::FiliaFind1DSChange()
{
    const bool selected = !IsEmptyId(m_filia->CurObjId());
    TDBMainInfo* branch = selected ? m_filia->GetCurrentObjInfo() : nullptr;
    for (TBaseDBFrame* list : {static_cast<TBaseDBFrame*>(TelFind1()), static_cast<TBaseDBFrame*>(InetFind1()),
             static_cast<TBaseDBFrame*>(LinkAdrFind1())}) {
        list->setVisible(branch != nullptr);
        if (branch && !SameId(list->MasterId(), branch->Obj))
            list->SetMasterDBInfo(branch);
    }
}
