#pragma once

#include "shell/frames/BaseDBFrame.h"

class QToolButton;
class TPeoplePrev;

namespace Kinship {

/**
 * \brief The family panel (in this namespace: ::TFamilyView is the typed view of a family row) above the relation tree: the node's person and partner, with the actions that
 * change the family.
 *
 * Its private record is a family (kind 7) whose Link1 is the node's person and Link2 the partner; a person
 * without a family gives a record with only Link1, a family still to be created. After every change it
 * asks the tree to rebuild itself (RebuildRequested).
 */
class TFamilyView final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFamilyView)

public:
    explicit TFamilyView(QWidget* parent = nullptr);
    ~TFamilyView() override;

    TPeoplePrev* P1() const { return m_p1; }
    TPeoplePrev* P2() const { return m_p2; }
    QToolButton* TbAddParent1() const { return m_addParent; }
    QToolButton* TbDelParent1() const { return m_delParent; }
    QToolButton* TbNewFamily() const { return m_newFamily; }
    QToolButton* TbEditFamily() const { return m_editFamily; }
    QToolButton* TbDelFamily() const { return m_delFamily; }
    QToolButton* TbAddChildren() const { return m_addChildren; }

    void LoadData() override;

    void TbAddParent1Click();
    void TbDelParent1Click();
    void TbNewFamilyClick();
    void TbEditFamilyClick();
    void TbDelFamilyClick();
    void TbAddChildrenClick();

Q_SIGNALS:
    /// The family or a person's parents changed: the tree is built anew.
    void RebuildRequested();

private:
    QToolButton* Button(const QString& name, const QString& caption, const QString& hint, void (TFamilyView::*click)());
    QString PersonId() const;

    TDBMainInfo* m_db1; ///< the node's person, shown by p1
    TDBMainInfo* m_db2; ///< the partner, shown by p2
    TPeoplePrev* m_p1;
    TPeoplePrev* m_p2;
    QToolButton* m_addParent = nullptr;
    QToolButton* m_delParent = nullptr;
    QToolButton* m_newFamily = nullptr;
    QToolButton* m_editFamily = nullptr;
    QToolButton* m_delFamily = nullptr;
    QToolButton* m_addChildren = nullptr;
};

} // namespace Kinship
