#pragma once

#include "shell/frames/ModalForm.h"

class TBaseDBFrame;

/**
 * \brief The modal edit dialog: hosts the frame of its record's dialog kind, linked to DBMain, so that
 * "Записать" validates, stores and writes the record in one step.
 *
 * The frame is made on the first assignment of DBMain; a kind without a frame closes the dialog with Cancel.
 */
class TMainModalForm final : public TModalForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainModalForm)

public:
    explicit TMainModalForm(QWidget* parent = nullptr);
    ~TMainModalForm() override;

    /// The hosted frame (owned by the dialog), nullptr before DBMain was first assigned.
    TBaseDBFrame* Frame() const { return m_frame; }
    void DBMainChangeEvent();

private:
    void FrameResized();

    TBaseDBFrame* m_frame = nullptr;
    bool m_sizing = false;
};
