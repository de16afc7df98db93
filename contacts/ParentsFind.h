#pragma once

#include "contacts/FindFamily.h"

/**
 * \brief The parents of a person ("Родители"): the native family and the adoptive families, each with its
 * status, a mark telling whether it shares the father or the mother with the native family, its period
 * and the partners' names. An adoptive row carries the adoption row as its link and shows the period of
 * the adoption. A family picked with "Создать" becomes native or adoptive as the user answers.
 */
class TParentsFind final : public TFindFamily
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TParentsFind)

public:
    /// The question asked when the person has no native family yet.
    static const QString AddParentsQuestion;

    explicit TParentsFind(QWidget* parent = nullptr);
    ~TParentsFind() override;

    /// The person's native family as the last statement found it (empty when none).
    const TDBMainInfo& NativeFamily() const { return *m_nativeFamily; }

    void InitFindMode() override;
    QString GetSelectSQL() override;
    /// The current family, with Link4 naming the person: the family's children listed from here leave the
    /// person out.
    TDBMainInfo* GetCurrentObjInfo() override;
    bool LinkObject() override;
    /// Removes the current row's tie: an adoption row is deleted with the main window's confirmation; the
    /// native family is cleared after the user agreed.
    void miDelRoleClick();

private:
    TDBMainInfo* m_nativeFamily;
};
