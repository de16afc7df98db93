#pragma once

#include "shell/frames/BaseDBFrame.h"

class TCrestnikyFind;
class TCrestParentsFind;
class TParentsFind;

/**
 * \brief The section "Крестные и крестники" of the person card: the person's godparents, the person's
 * godchildren and, under the godchild chosen, that godchild's parents.
 */
class TFP2CrestFrame final : public TBaseDBFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFP2CrestFrame)

public:
    static constexpr int CrestParentsHeight = 166;
    static constexpr int ParentsHeight = 140;

    explicit TFP2CrestFrame(QWidget* parent = nullptr);
    ~TFP2CrestFrame() override;

    TCrestParentsFind* CrestParentsFind1() const { return m_crestParents; }
    TCrestnikyFind* Crestnics() const { return m_crestnics; }
    TParentsFind* ParentsFind1() const { return m_parents; }

    void LoadData() override;
    /// The godchildren list moved: the parents of the current godchild are shown, or none.
    void CrestnicsIdChange();

private:
    TCrestParentsFind* m_crestParents;
    TCrestnikyFind* m_crestnics;
    TParentsFind* m_parents;
};
