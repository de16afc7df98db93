#pragma once

#include "finance/OperationChoices.h"
#include "finance/OperationStore.h"
#include "shell/frames/BaseDBFrame.h"
#include "store/ObjectRecord.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TFSelectClientFrame;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief The editor of a money operation (the dialog of kind 24, and the operation card): its date, amount,
 * account, category and subcategory or the counterparty, and for a transfer or an exchange the receiving
 * account and what it receives.
 *
 * The operation code comes with the record and never changes here; it decides the captions and what is
 * shown. The choices are ordered by recent use of the same code, so that the preset is the account and
 * category used most in the last two months. Either half of a pair opens the pair from its first half.
 *
 * The editor writes the rows itself, through OperationStore, as the record is applied: one write
 * transaction for both halves of a pair, refused whole with the store's words ("Укажите сумму", "Сумма
 * слишком велика", a failed write). On success the record holds the first half as stored.
 */
class TEditBuchInOut final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditBuchInOut)

public:
    static constexpr int CommentLength = 250;
    /// The dialog-only codes the editor's buttons open: the accounts ("Счета") and the categories.
    static constexpr int AccountsDialog = 103;
    static constexpr int CategoriesDialog = 123;

    explicit TEditBuchInOut(QWidget* parent = nullptr);
    ~TEditBuchInOut() override;

    /// The dialog caption of an operation of \a code; the dialog's own caption for any other code.
    static QString DialogCaption(int code);

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    /// Validates (the date last) and writes the operation; 1 with ErrorText when refused or not written.
    int ApplyData() override;
    /// Writes the operation (both halves of a pair) and copies the stored first half into the record.
    void StoreData() override;

    /// The operation code being edited.
    int Code() const { return m_code; }
    /// What the controls hold, as the store takes it (amounts already checked by ValidateData).
    TOperationEntry Entry() const;

    // Handlers
    void cbAllAccChange();
    void cbAcc2Change();
    void cbCategoryChange();
    void cbSubCategoryChange();
    /// Both category buttons: the categories of the code in their dialog, then the lists anew.
    void ToolButton1Click();
    /// Both account buttons: the accounts dialog, then both account lists anew.
    void ToolButton3Click();

    // Components
    TdbTimeEdit* db_DTStart() const { return m_dtStart; }
    QWidget* pSum1() const { return m_pSum1; }
    QLineEdit* eVolume() const { return m_eVolume; }
    QLabel* vAcc1() const { return m_vAcc1; }
    QLabel* lMainAcc() const { return m_lMainAcc; }
    QComboBox* cbAllAcc() const { return m_cbAllAcc; }
    QGroupBox* gbIn() const { return m_gbIn; }
    QWidget* pIn() const { return m_pIn; }
    QComboBox* cbCategory() const { return m_cbCategory; }
    QComboBox* cbSubCategory() const { return m_cbSubCategory; }
    QGroupBox* gbObj() const { return m_gbObj; }
    TFSelectClientFrame* gbMainFirma() const { return m_gbMainFirma; }
    QWidget* pAcc2() const { return m_pAcc2; }
    QLabel* lAcc2() const { return m_lAcc2; }
    QComboBox* cbAcc2() const { return m_cbAcc2; }
    QLineEdit* eVolume2() const { return m_eVolume2; }
    QLabel* vAcc2() const { return m_vAcc2; }
    TLimitedMemo* mComments() const { return m_mComments; }

    /// The ids of the chosen entries (empty when none is chosen).
    QString FirstAccount() const;
    QString SecondAccount() const;
    QString Category() const;
    QString Subcategory() const;

private:
    void SetLayoutByCode();
    TMyDataBase* Database() const;
    /// Fills the first account list in the order of use and chooses \a chosen (the first entry when absent).
    void BuildAccounts(const QString& chosen);
    void BuildSecondAccounts(const QString& chosen);
    void BuildCategories(const QString& chosen);
    void BuildSubcategories(const QString& chosen);
    void ShowCurrencies();
    /// The amount typed into \a edit in hundredths; refuses (message, focus) what is no amount.
    bool ReadAmount(QLineEdit* edit, qint64& hundredths);

    TdbTimeEdit* m_dtStart;
    QWidget* m_pSum1;
    QLineEdit* m_eVolume;
    QLabel* m_vAcc1;
    QLabel* m_lMainAcc;
    QComboBox* m_cbAllAcc;
    QToolButton* m_toolButton3;
    QGroupBox* m_gbIn;
    QWidget* m_pIn;
    QComboBox* m_cbCategory;
    QComboBox* m_cbSubCategory;
    QToolButton* m_toolButton1;
    QToolButton* m_toolButton2;
    QGroupBox* m_gbObj;
    TFSelectClientFrame* m_gbMainFirma;
    QWidget* m_pAcc2;
    QLabel* m_lAcc2;
    QComboBox* m_cbAcc2;
    QLineEdit* m_eVolume2;
    QLabel* m_vAcc2;
    QToolButton* m_toolButton4;
    TLimitedMemo* m_mComments;

    /// The first half (or the only row) and the second half of a pair.
    TDBMainInfo m_dbInfo1;
    TDBMainInfo m_dbInfo2;
    int m_code = 0;
    /// The accounts by name, and in the order of use (the first account's list).
    TAccountChoices m_accountsByName;
    TAccountChoices m_accounts;
    TAccountChoices m_accounts2;
    TValueList m_categories;
    TValueList m_subcategories;
    /// While the lists are rebuilt their change handlers do nothing.
    bool m_building = false;
};
