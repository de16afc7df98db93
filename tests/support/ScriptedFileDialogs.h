#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

/// Answers file and folder choices from a queue (nothing chosen when it is empty) and records every
/// request as "open|save|folder: caption | folder | filter". Installs itself for its lifetime.
class TScriptedFileDialogs final : public TFileDialogService
{
public:
    TScriptedFileDialogs();
    ~TScriptedFileDialogs() override;
    TScriptedFileDialogs(const TScriptedFileDialogs&) = delete;
    TScriptedFileDialogs& operator=(const TScriptedFileDialogs&) = delete;

    /// The next dialog of any kind answers \a path (an empty text: the user cancelled).
    void QueueChoice(const QString& path) { m_choices.append(path); }
    const QStringList& Requests() const { return m_requests; }

    QString OpenFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString ExistingFolder(const QString& caption, const QString& folder) override;

private:
    QString Next(const QString& request);

    QStringList m_choices;
    QStringList m_requests;
    TFileDialogService* m_previous = nullptr;
};
