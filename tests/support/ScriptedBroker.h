#pragma once

#include "shell/mainwindow/MainBroker.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

#include <QList>
#include <QString>

#include <functional>

/**
 * Stands in for the main window as the frames' broker: records every request with a copy of its record and
 * answers from a queue of scripted steps, each of which may change the record as the real dialog would
 * (save it, pick another object). Unscripted requests answer as a cancelled dialog does (0 for open, 2 for
 * the others). Installs itself for its lifetime.
 */
class TScriptedBroker final : public TMainBroker
{
public:
    enum class TRequest { Open, Edit, Pick, Delete, Other };
    struct TCall
    {
        TRequest Request = TRequest::Other;
        int Kind = 0;
        QString Id;
        TObjectRow Record;
    };
    using TEffect = std::function<void(TDBMainInfo& record)>;

    TScriptedBroker();
    ~TScriptedBroker() override;
    TScriptedBroker(const TScriptedBroker&) = delete;
    TScriptedBroker& operator=(const TScriptedBroker&) = delete;

    /// The next \a request answers \a answer, after \a effect ran on its record.
    void Queue(TRequest request, int answer, TEffect effect = {});
    const QList<TCall>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }
    /// What NewLinksWindow hands out (not owned).
    void SetLinksWindow(TLinksWindow* window) { m_linksWindow = window; }
    int LinksWindowRequests() const { return m_linksWindowRequests; }
    /// The cards that joined the window list, and those whose row was shown anew, in order.
    const QList<TBaseDBFrame*>& WinListAdds() const { return m_winListAdds; }
    const QList<TBaseDBFrame*>& WinListUpdates() const { return m_winListUpdates; }

    int Request(TMainMessage message, TDBMainInfo& record) override;
    void WinListAdd(TBaseDBFrame* card) override;
    void WinListUpdate(TBaseDBFrame* card) override;
    TLinksWindow* NewLinksWindow() override;
    TBaseDBFrame* NewNoteLinks(QWidget* owner) override;
    int IsDialogKind(int kind) override;
    TMyDBServerList* DatabaseList() override;

private:
    struct TStep
    {
        TRequest Request;
        int Answer;
        TEffect Effect;
    };

    QList<TStep> m_script;
    QList<TCall> m_calls;
    TLinksWindow* m_linksWindow = nullptr;
    int m_linksWindowRequests = 0;
    QList<TBaseDBFrame*> m_winListAdds;
    QList<TBaseDBFrame*> m_winListUpdates;
    TMainBroker* m_previous = nullptr;
};
