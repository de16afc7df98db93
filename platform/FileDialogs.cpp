#include "platform/FileDialogs.h"

namespace {

// Command-line tools have no one to ask: every choice is declined.
class TNoFileDialogs final : public TFileDialogService
{
public:
    QString OpenFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString ExistingFolder(const QString&, const QString&) override { return QString(); }
};

TNoFileDialogs g_none;
TFileDialogService* g_service = nullptr;

} // namespace

TFileDialogService& FileDialogs()
{
    return g_service ? *g_service : g_none;
}

TFileDialogService* SetFileDialogService(TFileDialogService* service)
{
    TFileDialogService* previous = g_service;
    g_service = service;
    return previous;
}
