// Starts the program: the splash, the main window, the message loop.

#include "app/appconfig.h"
#include "app/application.h"
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/splash.h"
#include "platform/errors.h"
#include "platform/helpwindow.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/webbrowsers.h"

#include <QDir>

int main(int argc, char **argv)
{
    // Qt never sees what follows "--": "quillon -- -reverse" opens the
    // file "-reverse".
    SplitArguments arguments = splitArguments(argc, argv);
    QuillonApplication app(arguments.qtArgc, arguments.qtArgv.data());
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));
    // The menu entry the desktop matches the window with (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Quillon"));
    initQuillonResources();
    const QString startupFile = startupFileFromCommandLine(arguments);

    auto *splash = new TRunDlg;
    splash->show();
    splash->repaint();
    app.processEvents();

    QtPrompter prompter;
    SystemShell shell;
    DesktopBrowsers browsers;
    HelpWindow help(shell, prompter);
    setGeneralErrorHandler([&prompter](const QString &message) {
        prompter.ShowMessageBox(IconError, applicationTitle(), message);
    });

    AppConfig config;
    config.prompter = &prompter;
    config.shell = &shell;
    config.browsers = &browsers;
    config.help = &help;
    config.userLibraryFolder = prepareUserLibraryFolder(config.startupNotices);
    config.tempFolder = QDir::tempPath();
    config.recoveryFolder = recoveryFolder();
    config.internalBrowserAllowed = qEnvironmentVariable("QUILLON_NO_WEBENGINE") != QLatin1String("1");
    config.startupFile = startupFile;
    logStartupPlaces(config, help);

    TVM_Quillon_MF window(config);
    window.showAtStart();
    splash->finish(&window);
    splash->deleteLater();
    quitAfterStartIfAsked(window);
    return app.exec();
}
