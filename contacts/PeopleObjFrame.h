#pragma once

#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of a person: the person editor, and the sections of how to reach them, roles, links,
 * events, notes, kinship, neighbours and money operations.
 *
 * Each section shows the frame its subsystem registered for the person card under the section's code
 * (Screens::RegisterSection); a section nobody registered shows nothing.
 */
class TPeopleObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPeopleObjFrame)

public:
    /// The section codes of the person card.
    enum TSection : int {
        HowConnect = 1,
        Links = 2,
        Events = 3,
        Notes = 4,
        Parents = 5,
        Families = 6,
        RelationTree = 7,
        Godparents = 8,
        Neighbours = 9,
        Finance = 10,
        Roles = 20,
    };

    explicit TPeopleObjFrame(QWidget* parent = nullptr);
    ~TPeopleObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
    void aPrintExecute() override;
};
