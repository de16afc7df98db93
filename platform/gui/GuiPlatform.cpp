#include "platform/gui/GuiPlatform.h"

TGuiPlatform::TGuiPlatform()
    : m_previousMessages(SetMessageService(&m_messages))
    , m_previousFileDialogs(SetFileDialogService(&m_fileDialogs))
    , m_previousDesktop(SetDesktopService(&m_desktop))
    , m_previousClipboard(SetClipboardService(&m_clipboard))
{
}

TGuiPlatform::~TGuiPlatform()
{
    SetMessageService(m_previousMessages);
    SetFileDialogService(m_previousFileDialogs);
    SetDesktopService(m_previousDesktop);
    SetClipboardService(m_previousClipboard);
}
