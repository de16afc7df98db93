#pragma once

#include "activities/NoteSections.h"
#include "shell/frames/BaseObjFrame.h"

/**
 * \brief The card of a note: the note editor, the objects the note is attached to (the note-links list the
 * main window hands out) and the money operations linked to it.
 */
class TMemoObjFrame final : public TBaseObjFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMemoObjFrame)

public:
    explicit TMemoObjFrame(QWidget* parent = nullptr);
    ~TMemoObjFrame() override;

    void CreateEditFrame() override;
    void FillSections() override;
    TBaseDBFrame* CreateSectionFrame(int code, QWidget* parent) override;
};
