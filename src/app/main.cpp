// Starts the program: the splash, the main window, the message loop.

#include "app/application.h"
#include "app/appconfig.h"
#include "app/mainwindow.h"
#include "app/splash.h"
#include "platform/errors.h"
#include "platform/helpwindow.h"
#include "platform/prompter.h"
#include "platform/shell.h"

#include <QDir>
#include <QSettings>

int main(int argc, char **argv)
{
    QuillonApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.6"));
    initQuillonResources();

    auto *splash = new TRunDlg;
    splash->show();
    splash->repaint();
    app.processEvents();

    QtPrompter prompter;
    SystemShell shell;
    HelpWindow help(shell, prompter);
    setGeneralErrorHandler([&prompter](const QString &message) {
        prompter.ShowMessageBox(IconError, applicationTitle(), message);
    });

    AppConfig config;
    config.prompter = &prompter;
    config.shell = &shell;
    config.help = &help;
    QSettings settings;
    settings.beginGroup(QCoreApplication::applicationVersion());
    config.settings = &settings;
    config.userLibraryFolder = prepareUserLibraryFolder(config.startupNotices);
    config.tempFolder = QDir::tempPath();
    config.internalBrowserAllowed = qEnvironmentVariable("QUILLON_NO_WEBENGINE") != QLatin1String("1");

    TVM_Quillon_MF window(config);
    window.showMaximizedAtStart();
    splash->finish(&window);
    splash->deleteLater();
    return app.exec();
}
