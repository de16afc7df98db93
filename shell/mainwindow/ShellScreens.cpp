#include "shell/mainwindow/ShellScreens.h"

#include "shell/mainwindow/DBManagerFrame.h"
#include "shell/frames/ScreenRegistry.h"

namespace {
constexpr int kDatabaseManager = 904;
}

void RegisterShellScreens()
{
    Screens::RegisterEditFrame(kDatabaseManager, [](QWidget* parent) { return new TDBManagerFrame(parent); });
}
