#include "tests/support/ScriptedDesktop.h"

TScriptedDesktop::TScriptedDesktop()
    : m_previous(SetDesktopService(this))
{
}

TScriptedDesktop::~TScriptedDesktop()
{
    SetDesktopService(m_previous);
}

bool TScriptedDesktop::OpenUrl(const QUrl& url)
{
    m_opened.append(url);
    return Next();
}

bool TScriptedDesktop::StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder)
{
    QStringList words{program};
    words << arguments;
    m_started.append(words.join(QLatin1Char(' ')) + QStringLiteral(" @ ") + workingFolder);
    return Next();
}

bool TScriptedDesktop::Next()
{
    return m_results.isEmpty() ? true : m_results.takeFirst();
}
