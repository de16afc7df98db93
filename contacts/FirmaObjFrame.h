#pragma once

#include "contacts/FirmaSections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of an organization: the organization editor, and the sections of how to reach it, its
 * branches (only for an organization that is no branch itself), roles, links, events, neighbours, notes and
 * money operations, each the frame its subsystem registered for the organization card.
 */
class TFirmaObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFirmaObjFrame)

public:
    explicit TFirmaObjFrame(QWidget* parent = nullptr);
    ~TFirmaObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
};
