#pragma once

#include "activities/RoleRules.h"
#include "shell/frames/BaseDBFrame.h"
#include "store/LookupLists.h"
#include "store/ObjectRecord.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QToolButton;
class TFSelectClientFrame;
class TGradientPanel;
class TLimitedMemo;
class TdbTimeEdit;

/**
 * \brief One side of a link (a role row, the frame's linked record): the holder's preview, the group the
 * other object is filed under, the role and its rating, the third object ("Связать с"), the side's check
 * box and the comment. What is shown follows the kinds of the holder and of the other side
 * (RoleRules::SideLayout).
 */
class TFObjRole final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFObjRole)

public:
    static constexpr int CommentLength = 200;
    static constexpr int GroupTableDialog = 125;

    explicit TFObjRole(QWidget* parent = nullptr);
    ~TFObjRole() override;

    void LoadData() override;
    void StoreData() override;

    const RoleRules::TSideLayout& Layout() const { return m_layout; }
    QGroupBox* GroupBox1() const { return m_groupBox1; }
    QGroupBox* gbGrp() const { return m_gbGrp; }
    QComboBox* cbGroup() const { return m_cbGroup; }
    QToolButton* tbGroups() const { return m_tbGroups; }
    QWidget* pRole() const { return m_pRole; }
    QGroupBox* GroupBox2() const { return m_groupBox2; }
    QComboBox* eRole() const { return m_eRole; }
    QComboBox* cbRating() const { return m_cbRating; }
    QWidget* pLink() const { return m_pLink; }
    QCheckBox* cbLinkObj() const { return m_cbLinkObj; }
    TFSelectClientFrame* LinkObj() const { return m_linkObj; }
    QWidget* pLinkTel() const { return m_pLinkTel; }
    QCheckBox* cbLinkTel() const { return m_cbLinkTel; }
    TLimitedMemo* mComments() const { return m_mComments; }
    /// The preview of the holder; nullptr when its kind has none.
    TBaseDBFrame* Preview() const { return m_preview; }
    /// The holder.
    const TDBMainInfo& DBPeople() const { return m_holder; }

    // Handlers
    void cbGroupChange();
    void tbGroupsClick();
    void cbLinkObjClick();

private:
    /// The holder was (re)loaded: the preview of its kind and the parts its side shows.
    void HolderLoaded();
    void LoadGroups(const QString& chosen);
    void LoadRoles();
    QString ChosenGroup() const;

    TDBMainInfo m_holder;
    RoleRules::TSideLayout m_layout;
    TValueList m_groups;
    bool m_loading = false;
    QGroupBox* m_groupBox1;
    QWidget* m_pObj;
    TBaseDBFrame* m_preview = nullptr;
    int m_previewKind = 0;
    QGroupBox* m_gbGrp;
    QComboBox* m_cbGroup;
    QToolButton* m_tbGroups;
    QWidget* m_pRole;
    QGroupBox* m_groupBox2;
    QComboBox* m_eRole;
    QGroupBox* m_groupBox3;
    QComboBox* m_cbRating;
    QWidget* m_pLink;
    QCheckBox* m_cbLinkObj;
    TFSelectClientFrame* m_linkObj;
    QWidget* m_pLinkTel;
    QCheckBox* m_cbLinkTel;
    QGroupBox* m_gbMemo;
    TLimitedMemo* m_mComments;
};

/**
 * \brief "Взаимосвязь, определение ролей": the link between two objects with a role on each side, or a
 * one-sided role, edited side by side over their shared period.
 *
 * Given a stored role row or the template of a new link (RoleRules::DeriveSides), the frame shows side A
 * and, for a link, side B. Its ApplyData writes both rows in one write transaction (RoleRules::WritePair);
 * a failed write refuses with the store's words, so the dialog stays open and nothing is left written.
 * Once written, the dialog's record holds side A under kind 0, so the dialog's own save writes nothing.
 */
class TFRoles final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFRoles)

public:
    explicit TFRoles(QWidget* parent = nullptr);
    ~TFRoles() override;

    void LoadData() override;
    bool ValidateData() override;
    int ApplyData() override;

    TFObjRole* FObj1() const { return m_fObj1; }
    /// nullptr for a one-sided role.
    TFObjRole* FObj2() const { return m_obj2->isHidden() ? nullptr : m_fObj2; }
    TdbTimeEdit* dtStart() const { return m_dtStart; }
    TdbTimeEdit* dtEnd() const { return m_dtEnd; }
    QWidget* Obj2() const { return m_obj2; }
    const TDBMainInfo& db1() const { return m_db1; }
    const TDBMainInfo& db2() const { return m_db2; }

private:
    TDBMainInfo m_db1;
    TDBMainInfo m_db2;
    QWidget* m_obj1;
    QWidget* m_pDT;
    TdbTimeEdit* m_dtStart;
    TdbTimeEdit* m_dtEnd;
    TGradientPanel* m_gradientPanel1;
    QWidget* m_obj2;
    TFObjRole* m_fObj1;
    TFObjRole* m_fObj2;
};
