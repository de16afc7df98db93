#include "shell/mainwindow/ShellScreens.h"

#include "shell/frames/ShellKinds.h"
#include "shell/mainwindow/DBManagerFrame.h"

namespace {
constexpr int kDatabaseManager = 904;
}

void RegisterShellScreens()
{
    TShellKind manager;
    manager.Code = kDatabaseManager;
    manager.HasEditDialog = true;
    manager.EditDialog.Caption = QStringLiteral("Подключенные базы данных");
    manager.EditFrame = [](QWidget* parent) { return new TDBManagerFrame(parent); };
    ShellKinds::Register(manager);
}
