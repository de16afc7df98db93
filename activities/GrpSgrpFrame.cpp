#include "activities/GrpSgrpFrame.h"

#include "activities/GroupeTable.h"
#include "shell/widgets/ListModel.h"
#include "store/Gid.h"
#include "store/ObjectRecord.h"

#include <QHBoxLayout>

using namespace Qt::StringLiterals;

TFGrp_SgrpFrame::TFGrp_SgrpFrame(QWidget* parent)
    : TBaseDBFrame(parent)
    , m_grpTable(new TFGroupeTable(this))
    , m_sgrpTable(new TFGroupeTable(this))
{
    setObjectName(u"FGrp_SgrpFrame"_s);
    m_grpTable->setObjectName(u"GrpTable"_s);
    m_sgrpTable->setObjectName(u"SGrpTable"_s);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_grpTable, 1);
    layout->addWidget(m_sgrpTable, 1);
    setMinimumSize(640, 400);
    // The right table follows the left one's cursor.
    m_grpTable->DSChange = [this](const TListRow& row) {
        CategoryChanged(row.IsValid() ? row.Text(u"ObjId"_s) : QString());
    };
}

TFGrp_SgrpFrame::~TFGrp_SgrpFrame() = default;

void TFGrp_SgrpFrame::LoadData()
{
    TBaseDBFrame::LoadData();
    TDBMainInfo* record = MasterDBInfo();
    if (!record)
        return;
    const bool income = record->Int1 == 1;
    m_grpTable->SetGrpType(income ? TGroupTableType::gtIncome : TGroupTableType::gtOut);
    m_sgrpTable->SetGrpType(income ? TGroupTableType::sgtIncome : TGroupTableType::sgtOut);
    m_grpTable->SetMasterDBInfo(record);
    TDBMainInfo none;
    none.SetDatabase(record->Database());
    m_sgrpTable->SetMasterDBInfo(&none);
}

void TFGrp_SgrpFrame::CategoryChanged(const QString& id)
{
    if (SameId(id, m_category) && !m_category.isEmpty())
        return;
    m_category = id;
    TDBMainInfo category;
    category.SetDatabase(m_grpTable->QueryDatabase());
    if (!IsEmptyId(id))
        category.SetObj(id);
    m_sgrpTable->SetMasterDBInfo(&category);
}
