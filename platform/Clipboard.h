#pragma once

#include <QByteArray>
#include <QString>

/**
 * \brief The desktop's clipboard.
 *
 * Pictures travel as PNG bytes so that this layer needs no graphics library; the photo editor decodes
 * them. The service is owned by whoever installs it with SetClipboardService(); user-interface thread only.
 */
class TClipboardService
{
public:
    virtual ~TClipboardService() = default;
    /// The text on the clipboard (empty when none).
    virtual QString Text() const = 0;
    /// Puts \a text on the clipboard.
    virtual void SetText(const QString& text) = 0;
    /// The picture on the clipboard as PNG bytes; empty when the clipboard holds no picture.
    virtual QByteArray Picture() const = 0;
};

/// The installed service; a clipboard private to this process until one is installed.
TClipboardService& Clipboard();
/// Installs \a service (not owned; nullptr restores the default). Returns the previous one.
TClipboardService* SetClipboardService(TClipboardService* service);
