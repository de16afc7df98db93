#pragma once

#include "platform/Desktop.h"

#include <QList>
#include <QStringList>

/// Records every address opened and every program started, answering from a queue of results (success
/// when it is empty); nothing is ever opened. Installs itself for its lifetime.
class TScriptedDesktop final : public TDesktopService
{
public:
    TScriptedDesktop();
    ~TScriptedDesktop() override;
    TScriptedDesktop(const TScriptedDesktop&) = delete;
    TScriptedDesktop& operator=(const TScriptedDesktop&) = delete;

    void QueueResult(bool result) { m_results.append(result); }
    /// Every URL asked for, in order.
    const QList<QUrl>& Opened() const { return m_opened; }
    /// Every program started, as "program arg1 arg2 ... @ folder".
    const QStringList& Started() const { return m_started; }

    bool OpenUrl(const QUrl& url) override;
    bool StartProgram(const QString& program, const QStringList& arguments, const QString& workingFolder) override;

private:
    bool Next();

    QList<bool> m_results;
    QList<QUrl> m_opened;
    QStringList m_started;
    TDesktopService* m_previous = nullptr;
};
