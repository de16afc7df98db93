#include "platform/Messages.h"

#include <QTextStream>

namespace {

// Used by command-line tools and before the desktop installs its own service: nothing can be asked there,
// so every question is declined.
class TConsoleMessages final : public TMessageService
{
public:
    void ShowMessage(const QString& text) override { Print(text); }
    TAnswer AskYesNo(const QString& text) override
    {
        Print(text);
        return TAnswer::No;
    }
    TAnswer AskYesNoCancel(const QString& text) override
    {
        Print(text);
        return TAnswer::Cancel;
    }

private:
    static void Print(const QString& text)
    {
        QTextStream err(stderr);
        QString shown = text;
        err << shown.replace(QLatin1Char('\r'), QLatin1Char('\n')) << Qt::endl;
    }
};

TConsoleMessages g_console;
TMessageService* g_service = nullptr;

} // namespace

TMessageService& Messages()
{
    return g_service ? *g_service : g_console;
}

TMessageService* SetMessageService(TMessageService* service)
{
    TMessageService* previous = g_service;
    g_service = service;
    return previous;
}
