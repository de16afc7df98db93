#include "shell/ShellScreens.h"

#include "shell/DBManagerFrame.h"
#include "shell/ScreenRegistry.h"

namespace {
constexpr int kDatabaseManager = 904;
}

void RegisterShellScreens()
{
    Screens::RegisterEditFrame(kDatabaseManager, [](QWidget* parent) { return new TDBManagerFrame(parent); });
}
