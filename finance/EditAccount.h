#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/Gid.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief The editor of an account (the dialog "Определение счета"): its name, currency, type, the period it
 * is active, the financial institution where it is held, and a comment.
 *
 * The balance is never written here: it is the recomputation's alone. The currency of a stored account is
 * fixed. Cash (type 0) has neither institution nor period.
 */
class TEditAccount final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditAccount)

public:
    static constexpr int NameLength = 40;
    static constexpr int CommentLength = 250;

    explicit TEditAccount(QWidget* parent = nullptr);
    ~TEditAccount() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    /// Tells the lists an account was saved and has the balances recomputed.
    void AfterSave() override;

    /// Shows the groups of the institution and the period exactly for the types above cash.
    void cbLinkTypeChange();
    /// Lets the user pick the financial institution (an organization).
    void tbFindClick();

    QLineEdit* eName() const { return m_eName; }
    QComboBox* cbValuta() const { return m_cbValuta; }
    QComboBox* cbLinkType() const { return m_cbLinkType; }
    QGroupBox* gbDT() const { return m_gbDT; }
    TdbTimeEdit* dtStart() const { return m_dtStart; }
    TdbTimeEdit* dtEnd() const { return m_dtEnd; }
    QGroupBox* gbFirma() const { return m_gbFirma; }
    QToolButton* tbFind() const { return m_tbFind; }
    QPlainTextEdit* mMainFirma() const { return m_mMainFirma; }
    TLimitedMemo* mComments() const { return m_mComments; }
    /// The chosen institution; empty when none.
    const QString& Institution() const { return m_institution; }

private:
    void ShowInstitution();

    QLineEdit* m_eName;
    QComboBox* m_cbValuta;
    QComboBox* m_cbLinkType;
    QGroupBox* m_gbDT;
    TdbTimeEdit* m_dtStart;
    TdbTimeEdit* m_dtEnd;
    QGroupBox* m_gbFirma;
    QToolButton* m_tbFind;
    QPlainTextEdit* m_mMainFirma;
    TLimitedMemo* m_mComments;
    QString m_institution;
};
