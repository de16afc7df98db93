#pragma once

#include "shell/frames/BaseDBFrame.h"
#include "store/LookupLists.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief The editor of a group, category, subcategory or project (kind 21) and of a meeting kind (kind 31):
 * the name, the category of a subcategory, whether an organization or event group is limited to its
 * owner, a project's period and the comment.
 *
 * A name is refused when it is blank, holds a double quote (stored names and the statements built from
 * them rely on it) or is taken by another group of the same scope (GroupLists::NameTaken). A subcategory
 * that moves to another category takes its money operations with it.
 */
class TFEditGroup final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFEditGroup)

public:
    static constexpr int NameLength = 250;
    static constexpr int CommentLength = 255;
    /// The picture of a meeting kind, stored on every save.
    static constexpr int MeetingPicture = 79;

    explicit TFEditGroup(QWidget* parent = nullptr);
    ~TFEditGroup() override;

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    QWidget* Panel1() const { return m_panel1; }
    QLineEdit* eName() const { return m_eName; }
    QWidget* pIn() const { return m_pIn; }
    QComboBox* cbCategory() const { return m_cbCategory; }
    QWidget* pOnly1Firma() const { return m_pOnly1Firma; }
    QCheckBox* cbOnly1Firma() const { return m_cbOnly1Firma; }
    QGroupBox* gbDT() const { return m_gbDT; }
    TdbTimeEdit* dtStart() const { return m_dtStart; }
    TdbTimeEdit* dtEnd() const { return m_dtEnd; }
    QGroupBox* gbMemo() const { return m_gbMemo; }
    TLimitedMemo* mComments() const { return m_mComments; }
    /// The categories cbCategory offers, in its order.
    const TValueList& Categories() const { return m_categories; }

private:
    /// The id of the category chosen in cbCategory; empty when none.
    QString ChosenCategory() const;

    QWidget* m_panel1;
    QLineEdit* m_eName;
    QWidget* m_pIn;
    QComboBox* m_cbCategory;
    QWidget* m_pOnly1Firma;
    QCheckBox* m_cbOnly1Firma;
    QGroupBox* m_gbDT;
    TdbTimeEdit* m_dtStart;
    TdbTimeEdit* m_dtEnd;
    QGroupBox* m_gbMemo;
    TLimitedMemo* m_mComments;
    TValueList m_categories;
    /// The category of a stored subcategory as it was loaded or last saved.
    QString m_storedCategory;
};
