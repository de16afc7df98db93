#include "tests/support/ScriptedMessages.h"

TScriptedMessages::TScriptedMessages()
    : m_previous(SetMessageService(this))
{
}

TScriptedMessages::~TScriptedMessages()
{
    SetMessageService(m_previous);
}

void TScriptedMessages::ShowMessage(const QString& text)
{
    m_shown.append(text);
}

TAnswer TScriptedMessages::AskYesNo(const QString& text)
{
    m_shown.append(text);
    return Next(TAnswer::No);
}

TAnswer TScriptedMessages::AskYesNoCancel(const QString& text)
{
    m_shown.append(text);
    return Next(TAnswer::Cancel);
}

TAnswer TScriptedMessages::Next(TAnswer fallback)
{
    return m_answers.isEmpty() ? fallback : m_answers.takeFirst();
}
