#pragma once

#include "shell/frames/ModalForm.h"

class TBaseDBFrame;

/**
 * \brief The modal pick dialog: hosts the list of its record's dialog kind, which keeps its own copy of
 * DBMain (the kind and any filter values set beforehand). Choosing a row copies that object into DBMain
 * and closes the dialog with OK; a kind without a list closes it with Cancel.
 */
class TFindModalForm final : public TModalForm
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFindModalForm)

public:
    explicit TFindModalForm(QWidget* parent = nullptr);
    ~TFindModalForm() override;

    TBaseDBFrame* Frame() const { return m_frame; }
    void DBMainChangeEvent();
    /// Nothing without a list or a current row; otherwise takes the current row's object and closes with OK.
    void AOkExecute() override;

private:
    TBaseDBFrame* m_frame = nullptr;
};
