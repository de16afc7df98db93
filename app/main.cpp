// The desktop program: the platform's desktop services, the screens, the picture data and the main window.
#include "activities/EventScreens.h"
#include "activities/GroupScreens.h"
#include "activities/NoteScreens.h"
#include "activities/ReminderScreens.h"
#include "activities/RoleScreens.h"
#include "contacts/ContactScreens.h"
#include "finance/FinanceScreens.h"
#include "photos/PhotoScreens.h"
#include "platform/gui/GuiPlatform.h"
#include "reports/ReportScreens.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/MainData.h"
#include "shell/mainwindow/ShellScreens.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvin"));
    // The menu entry's name, so the desktop shows the window with the program's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zorvin.Zorvin"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/zorvin-48.png"));
    icon.addFile(QStringLiteral(":/icons/zorvin-128.png"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zorvin"), icon));
    // Dates are shown and typed as dd.mm.yyyy, and standard dialog buttons speak Russian.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    TGuiPlatform platform;
    RegisterShellScreens();
    RegisterContactScreens();
    RegisterPhotoScreens();
    RegisterReminderScreens();
    RegisterGroupScreens();
    RegisterReportScreens();
    RegisterEventScreens();
    RegisterNoteScreens();
    RegisterRoleScreens();
    RegisterFinanceScreens();

    TMainData pictures;
    TMain main;
    QObject::connect(&main, &TMain::Terminate, &application, []() { QCoreApplication::exit(1); });
    main.show();
    return QApplication::exec();
}
