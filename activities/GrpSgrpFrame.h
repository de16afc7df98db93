#pragma once

#include "shell/frames/BaseDBFrame.h"

class TFGroupeTable;

/**
 * \brief The category editor: the income or expense categories on the left, the subcategories of the
 * category under the cursor on the right. The dialog record's Int1 says which: 1 income, otherwise expense.
 */
class TFGrp_SgrpFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFGrp_SgrpFrame)

public:
    explicit TFGrp_SgrpFrame(QWidget* parent = nullptr);
    ~TFGrp_SgrpFrame() override;

    void LoadData() override;

    TFGroupeTable* GrpTable() const { return m_grpTable; }
    TFGroupeTable* SGrpTable() const { return m_sgrpTable; }

private:
    void CategoryChanged(const QString& id);

    TFGroupeTable* m_grpTable;
    TFGroupeTable* m_sgrpTable;
    QString m_category;
};
