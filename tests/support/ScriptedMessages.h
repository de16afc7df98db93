#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QStringList>

/// Records every message and question and answers questions from a queue (No / Cancel when it is empty).
/// Installs itself for its lifetime.
class TScriptedMessages final : public TMessageService
{
public:
    TScriptedMessages();
    ~TScriptedMessages() override;
    TScriptedMessages(const TScriptedMessages&) = delete;
    TScriptedMessages& operator=(const TScriptedMessages&) = delete;

    void QueueAnswer(TAnswer answer) { m_answers.append(answer); }
    /// Every text shown or asked, in order.
    const QStringList& Shown() const { return m_shown; }
    void ClearShown() { m_shown.clear(); }

    void ShowMessage(const QString& text) override;
    TAnswer AskYesNo(const QString& text) override;
    TAnswer AskYesNoCancel(const QString& text) override;

private:
    TAnswer Next(TAnswer fallback);

    QList<TAnswer> m_answers;
    QStringList m_shown;
    TMessageService* m_previous = nullptr;
};
