#pragma once

#include "activities/EventSections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of an event: the event editor, and the sections of the people and organizations taking
 * part, the linked events, the notes and the money operations of the event.
 *
 * Each section shows the frame its subsystem registered for the event card under the section's code; a
 * section nobody registered shows nothing. Printing writes the event report once one is registered.
 */
class TEventObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEventObjFrame)

public:
    explicit TEventObjFrame(QWidget* parent = nullptr);
    ~TEventObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
    void aPrintExecute() override;
};
