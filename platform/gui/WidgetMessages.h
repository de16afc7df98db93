#pragma once

#include "platform/Messages.h"

class QWidget;

/**
 * \brief Message boxes and questions as modal Qt message boxes with Russian button texts.
 *
 * Each box is modal to the active dialog or window. Texts are shown as plain text (never as markup), with
 * every "\r" as a line break. Esc answers No for Yes/No questions and Cancel for Yes/No/Cancel ones.
 */
class TWidgetMessages final : public TMessageService
{
public:
    void ShowMessage(const QString& text) override;
    TAnswer AskYesNo(const QString& text) override;
    TAnswer AskYesNoCancel(const QString& text) override;

    /// \a text as a message box shows it: "\r\n" and "\r" become line breaks.
    static QString DisplayText(const QString& text);
    /// The window a box is shown over: the active modal dialog, else the active window (may be nullptr).
    static QWidget* ParentWindow();
};
