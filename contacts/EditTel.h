#pragma once

#include "shell/frames/BaseDBFrame.h"

#include <QList>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

/**
 * \brief The editor of a phone (the dialog "Данные о телефоне"): the number in its mask, whose phone it is,
 * its type, the role of an organization's phone, the comment.
 *
 * A new phone starts with the beginning of the number its owner's other numbers suggest (PhonePrefix), the
 * caret just after it, so that the user types only the rest.
 */
class TEditTel final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditTel)

public:
    explicit TEditTel(QWidget* parent = nullptr);
    ~TEditTel() override;

    QLineEdit* eTel() const { return m_eTel; }
    /// The owner's kind: "Личный", "Домашний", "Рабочий" (shown, never chosen).
    QButtonGroup* rbLink() const { return m_rbLink; }
    /// "Телефон", "Факс", "Тел./факс", "Мобильный", by PhoneType.
    QButtonGroup* rbType() const { return m_rbType; }
    QWidget* pRole() const { return m_pRole; }
    QComboBox* cbRole() const { return m_cbRole; }
    QPlainTextEdit* mComments() const { return m_mComments; }

    void LoadData() override;
    bool ValidateData() override;
    void StoreData() override;
    /// Tells the lists that a phone was saved.
    void AfterSave() override;

    /// The caret entering the number at its very start goes past the "+" onto the first digit.
    void eTelEnter();

private:
    QLineEdit* m_eTel;
    QButtonGroup* m_rbLink;
    QButtonGroup* m_rbType;
    QWidget* m_pRole;
    QComboBox* m_cbRole;
    QPlainTextEdit* m_mComments;
};
