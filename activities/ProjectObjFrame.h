#pragma once

#include "activities/ProjectSections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of a project: the group editor, and the sections of the project's participants, events,
 * notes and money operations.
 *
 * Each section shows the frame its subsystem registered for the project card under the section's code
 * (Screens::RegisterSection(Kind::Group, ...)); a section nobody registered shows nothing. The events and
 * notes of a project are not deleted from its card.
 */
class TProjectObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TProjectObjFrame)

public:
    explicit TProjectObjFrame(QWidget* parent = nullptr);
    ~TProjectObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
};
