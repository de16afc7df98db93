#pragma once

#include "contacts/PersonSections.h"
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
    /// The section codes of the person card (contacts/PersonSections.h).
    enum TSection : int {
        HowConnect = PersonSection::HowConnect,
        Links = PersonSection::Links,
        Events = PersonSection::Events,
        Notes = PersonSection::Notes,
        Parents = PersonSection::Parents,
        Families = PersonSection::Families,
        RelationTree = PersonSection::RelationTree,
        Godparents = PersonSection::Godparents,
        Neighbours = PersonSection::Neighbours,
        Finance = PersonSection::Finance,
        Roles = PersonSection::Roles,
    };

    explicit TPeopleObjFrame(QWidget* parent = nullptr);
    ~TPeopleObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
    void aPrintExecute() override;
    /// Writes the person into a vCard file (3.0).
    void aExportVCardExecute();
};
