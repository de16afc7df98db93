#include "platform/Clipboard.h"

namespace {

// Without a desktop, text put on the clipboard stays within this process; there is never a picture.
class TProcessClipboard final : public TClipboardService
{
public:
    QString Text() const override { return m_text; }
    void SetText(const QString& text) override { m_text = text; }
    QByteArray Picture() const override { return QByteArray(); }

private:
    QString m_text;
};

TProcessClipboard g_process;
TClipboardService* g_service = nullptr;

} // namespace

TClipboardService& Clipboard()
{
    return g_service ? *g_service : g_process;
}

TClipboardService* SetClipboardService(TClipboardService* service)
{
    TClipboardService* previous = g_service;
    g_service = service;
    return previous;
}
