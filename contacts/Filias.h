#pragma once

#include "contacts/HowConnect.h"

class TFiliaFind;

/**
 * \brief The section "Подразделения, филиалы" of an organization card: its branches, and below them the
 * phones, internet contacts and addresses of the branch selected, shown only while one is.
 */
class TFilias final : public THowConnect
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFilias)

public:
    explicit TFilias(QWidget* parent = nullptr);
    ~TFilias() override;

    TFiliaFind* FiliaFind1() const { return m_filia; }

    /// Only the branch list gets the master.
    void LoadData() override;
    /// The contact lists follow the selected branch.
    void FiliaFind1DSChange();

private:
    TFiliaFind* m_filia;
};
