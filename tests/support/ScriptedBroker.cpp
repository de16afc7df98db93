#include "tests/support/ScriptedBroker.h"

#include "store/ObjectKinds.h"

namespace {

TScriptedBroker::TRequest RequestOf(TMainMessage message)
{
    switch (message) {
    case TMainMessage::WM_OPENOBJECT:
        return TScriptedBroker::TRequest::Open;
    case TMainMessage::WM_EDITOBJECT:
        return TScriptedBroker::TRequest::Edit;
    case TMainMessage::WM_PICKOBJECT:
        return TScriptedBroker::TRequest::Pick;
    case TMainMessage::WM_DELETEOBJECT:
        return TScriptedBroker::TRequest::Delete;
    default:
        return TScriptedBroker::TRequest::Other;
    }
}

} // namespace

TScriptedBroker::TScriptedBroker()
    : m_previous(SetMainBroker(this))
{
}

TScriptedBroker::~TScriptedBroker()
{
    SetMainBroker(m_previous);
}

void TScriptedBroker::Queue(TRequest request, int answer, TEffect effect)
{
    m_script.append(TStep{request, answer, std::move(effect)});
}

int TScriptedBroker::Request(TMainMessage message, TDBMainInfo& record)
{
    const TRequest request = RequestOf(message);
    TCall call;
    call.Request = request;
    call.Kind = record.ObjType;
    call.Id = record.Obj;
    call.Record = record;
    m_calls.append(call);
    for (qsizetype i = 0; i < m_script.size(); ++i) {
        if (m_script[i].Request != request)
            continue;
        const TStep step = m_script.takeAt(i);
        if (step.Effect)
            step.Effect(record);
        return step.Answer;
    }
    if (request == TRequest::Other)
        return 0;
    return request == TRequest::Open ? 0 : RequestAnswer::NotDone;
}

void TScriptedBroker::WinListAdd(TBaseDBFrame* card)
{
    m_winListAdds.append(card);
}

void TScriptedBroker::WinListUpdate(TBaseDBFrame* card)
{
    m_winListUpdates.append(card);
}

TLinksWindow* TScriptedBroker::NewLinksWindow()
{
    ++m_linksWindowRequests;
    return m_linksWindow;
}

TBaseDBFrame* TScriptedBroker::NewNoteLinks(QWidget*)
{
    return nullptr;
}

int TScriptedBroker::IsDialogKind(int kind)
{
    return kind == Kind::Phone || kind == Kind::InternetContact || kind == Kind::Role || kind == Kind::Account
               || kind == Kind::Residence
           ? 1
           : 0;
}

TMyDBServerList* TScriptedBroker::DatabaseList()
{
    return nullptr;
}
