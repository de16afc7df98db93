#pragma once

#include "platform/gui/QtClipboard.h"
#include "platform/gui/QtDesktop.h"
#include "platform/gui/WidgetFileDialogs.h"
#include "platform/gui/WidgetMessages.h"

/**
 * \brief The desktop implementations of every platform service, installed for the object's lifetime
 * (the services in place before are restored when it goes). Create it after the QApplication.
 */
class TGuiPlatform final
{
public:
    TGuiPlatform();
    ~TGuiPlatform();
    TGuiPlatform(const TGuiPlatform&) = delete;
    TGuiPlatform& operator=(const TGuiPlatform&) = delete;

private:
    TWidgetMessages m_messages;
    TWidgetFileDialogs m_fileDialogs;
    TQtDesktop m_desktop;
    TQtClipboard m_clipboard;
    TMessageService* m_previousMessages = nullptr;
    TFileDialogService* m_previousFileDialogs = nullptr;
    TDesktopService* m_previousDesktop = nullptr;
    TClipboardService* m_previousClipboard = nullptr;
};
