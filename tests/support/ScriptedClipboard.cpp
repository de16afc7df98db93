#include "tests/support/ScriptedClipboard.h"

TScriptedClipboard::TScriptedClipboard()
    : m_previous(SetClipboardService(this))
{
}

TScriptedClipboard::~TScriptedClipboard()
{
    SetClipboardService(m_previous);
}

void TScriptedClipboard::SetText(const QString& text)
{
    m_text = text;
    m_written.append(text);
}
