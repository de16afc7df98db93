#include "tests/support/ScriptedFileDialogs.h"

TScriptedFileDialogs::TScriptedFileDialogs()
    : m_previous(SetFileDialogService(this))
{
}

TScriptedFileDialogs::~TScriptedFileDialogs()
{
    SetFileDialogService(m_previous);
}

QString TScriptedFileDialogs::OpenFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return Next(QStringLiteral("open: ") + caption + QStringLiteral(" | ") + folder + QStringLiteral(" | ") + filter);
}

QString TScriptedFileDialogs::SaveFileName(const QString& caption, const QString& folder, const QString& filter)
{
    return Next(QStringLiteral("save: ") + caption + QStringLiteral(" | ") + folder + QStringLiteral(" | ") + filter);
}

QString TScriptedFileDialogs::ExistingFolder(const QString& caption, const QString& folder)
{
    return Next(QStringLiteral("folder: ") + caption + QStringLiteral(" | ") + folder);
}

QString TScriptedFileDialogs::Next(const QString& request)
{
    m_requests.append(request);
    return m_choices.isEmpty() ? QString() : m_choices.takeFirst();
}
