#pragma once

#include "shell/frames/BaseDBFrame.h"

class QVBoxLayout;
class QWidget;
class TBaseFind;
class TChildrenFind;
class TCrestParentsFind;

/**
 * \brief The family sections: a person's parents with the brothers and sisters under the family chosen
 * there ("Родители, братья и сестры"), a person's marriages with the children of the one chosen ("Семьи,
 * дети"), or the children of a family on its card ("Дети"). Under the children, the godparents of the
 * child chosen.
 */
class TFP2FamilyFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFP2FamilyFrame)

public:
    enum TMode : int {
        ParentsMode = 0,  ///< the person's parents, then brothers and sisters
        FamiliesMode = 1, ///< the person's marriages, then children
        ChildrenMode = 2, ///< the family's children (family card)
    };
    /// The height of the top list while the children are shown under it.
    static constexpr int TopListHeight = 168;
    static constexpr int CrestParentsHeight = 166;

    explicit TFP2FamilyFrame(int mode, QWidget* parent = nullptr);
    ~TFP2FamilyFrame() override;

    int Mode() const { return m_mode; }
    /// The parents or marriages list; nullptr in the children mode.
    TBaseFind* TopList() const { return m_topList; }
    QWidget* PMainFamily() const { return m_pMainFamily; }
    QWidget* Panel1() const { return m_panel1; }
    TChildrenFind* Childrens() const { return m_childrens; }
    TCrestParentsFind* CrestParentsFind1() const { return m_crestParents; }

    void LoadData() override;
    /// The top list moved: the children of its current family are shown, or nothing under it.
    void TopListIdChange();
    /// The children list moved: the godparents of the current child are shown, or none.
    void ChildrensIdChange();

private:
    int m_mode;
    QVBoxLayout* m_layout;
    QWidget* m_pMainFamily;
    TBaseFind* m_topList = nullptr;
    QWidget* m_panel1;
    TChildrenFind* m_childrens;
    TCrestParentsFind* m_crestParents;
};
