#include "shell/frames/BaseDBFrame.h"

#include "shell/frames/BaseForm.h"
#include "shell/mainwindow/MainBroker.h"
#include "shell/frames/ModalForm.h"
#include "store/DataBase.h"
#include "store/ObjectRecord.h"

TBaseDBFrame::TBaseDBFrame(QWidget* parent)
    : QFrame(parent)
    , m_ownMaster(std::make_unique<TDBMainInfo>())
    , m_workInfo(std::make_unique<TDBMainInfo>())
{
    m_master = m_ownMaster.get();
    m_master->AttachFrame(this);
}

TBaseDBFrame::~TBaseDBFrame()
{
    Detach();
}

void TBaseDBFrame::Detach()
{
    if (m_master)
        m_master->DetachFrame(this);
    m_master = nullptr;
}

void TBaseDBFrame::SetMasterDBInfo(TDBMainInfo* record)
{
    if (m_linkMode == 0) {
        // The private master only goes away with the frame, so a null record here asks to clear the copy.
        m_master->Assign(record);
    } else {
        Detach();
        m_master = record;
        if (m_master) {
            m_master->AttachFrame(this);
            LoadData();
        }
    }
    if (m_master)
        m_workInfo->SetDatabase(m_master->Database());
}

bool TBaseDBFrame::ValidateData()
{
    return true;
}

int TBaseDBFrame::OpenWorkInfo()
{
    return SendRequest(TMainMessage::WM_OPENOBJECT, *m_workInfo);
}

int TBaseDBFrame::EditWorkInfo()
{
    return SendRequest(TMainMessage::WM_EDITOBJECT, *m_workInfo);
}

int TBaseDBFrame::PickWorkInfo()
{
    return SendRequest(TMainMessage::WM_PICKOBJECT, *m_workInfo);
}

int TBaseDBFrame::DeleteWorkInfo()
{
    return SendRequest(TMainMessage::WM_DELETEOBJECT, *m_workInfo);
}

void TBaseDBFrame::StoreData() {}

void TBaseDBFrame::AfterSave() {}

void TBaseDBFrame::LoadData() {}

int TBaseDBFrame::ApplyData()
{
    if (!m_master)
        return -1;
    m_errorText.clear();
    if (!ValidateData())
        return 1;
    StoreData();
    return 0;
}

void TBaseDBFrame::SetLinkMode(int mode)
{
    if (mode == m_linkMode)
        return;
    Detach();
    m_linkMode = mode;
    if (mode == 0) {
        m_ownMaster = std::make_unique<TDBMainInfo>();
        m_master = m_ownMaster.get();
        m_master->AttachFrame(this);
    } else {
        m_ownMaster.reset();
    }
}

QString TBaseDBFrame::MasterId() const
{
    return m_master ? m_master->Obj.Text() : QString();
}

void TBaseDBFrame::SetMasterId(const QString& id)
{
    if (m_master)
        m_master->SetObj(id);
}

TBaseForm* TBaseDBFrame::HostForm() const
{
    return qobject_cast<TBaseForm*>(window());
}

bool TBaseDBFrame::InModalDialog() const
{
    return qobject_cast<TModalForm*>(window()) != nullptr;
}

void TBaseDBFrame::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Q_EMIT AfterResize();
}
