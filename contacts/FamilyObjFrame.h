#pragma once

#include "contacts/FamilySections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of a family: the family editor, and the sections of the children, the notes and the
 * money operations, each the frame its subsystem registered for the family card.
 */
class TFamilyObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFamilyObjFrame)

public:
    explicit TFamilyObjFrame(QWidget* parent = nullptr);
    ~TFamilyObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
};
