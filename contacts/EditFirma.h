#pragma once

#include "shell/frames/BaseDBFrame.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class TDBImageFrame;
class TFSelectClientFrame;
class TdbTimeEdit;

/**
 * \brief The editor of an organization (the dialog "Новая организация" and the organization card's edit
 * frame): name, form of ownership, logo, founding and closing dates, comment, and the parent of a branch.
 *
 * The hierarchy has two levels: an organization with branches cannot be made a branch, and a branch cannot
 * become a parent. The display name is built on save: the parent's display name and the name for a branch,
 * the form of ownership and the name for an independent organization. The branches of a renamed
 * organization are renamed in the same write transaction as the save (the store's organization rule).
 */
class TEditFirma final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditFirma)

public:
    explicit TEditFirma(QWidget* parent = nullptr);
    ~TEditFirma() override;

    QLineEdit* eName() const { return m_name; }
    QLineEdit* eFS() const { return m_form; }
    QWidget* pPS() const { return m_formPanel; }
    QPlainTextEdit* mComments() const { return m_comments; }
    TDBImageFrame* pFoto() const { return m_foto; }
    TdbTimeEdit* dtStart() const { return m_start; }
    TdbTimeEdit* dtEnd() const { return m_end; }
    QCheckBox* cbLinkObj() const { return m_linkBox; }
    TFSelectClientFrame* LinkObj() const { return m_link; }

    void SetMasterDBInfo(TDBMainInfo* record) override;
    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    void AfterSave() override;

    void cbLinkObjClick();

private:
    /// Whether the stored organization is the parent of some other one now.
    bool HasBranchesNow() const;

    QLineEdit* m_name;
    QWidget* m_formPanel;
    QLineEdit* m_form;
    QPlainTextEdit* m_comments;
    TDBImageFrame* m_foto;
    TdbTimeEdit* m_start;
    TdbTimeEdit* m_end;
    QCheckBox* m_linkBox;
    TFSelectClientFrame* m_link;
    /// The display name of the chosen parent, taken while validating.
    QString m_parentName;
    /// The parent the organization was loaded with (empty for an independent one).
    QString m_loadedParent;
};
