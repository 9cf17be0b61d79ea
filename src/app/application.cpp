#include "app/application.h"

#include "app/appconfig.h"
#include "app/commandline.h"
#include "library/libraryfolder.h"
#include "platform/errors.h"
#include "platform/helpwindow.h"
#include "platform/logging.h"
#include "platform/prompter.h"
#include "platform/savefile.h"
#include "preview/browserloader.h"
#include "widgets/accessiblenames.h"
#include "widgets/focusring.h"
#include "widgets/screenfit.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

/// What has to be settled before the application object is made.
int &beforeTheApplication(int &argc)
{
    prepareApplicationForInternalBrowser();
    return argc;
}

} // namespace

QuillonApplication::QuillonApplication(int &argc, char **argv) : QApplication(beforeTheApplication(argc), argv)
{
    ignoreFileSizeLimitSignal();
    // Screen readers get a name for every control of every window.
    nameWindowsAsTheyShow(this);
    // A clear frame round whatever has the keyboard focus.
    showFocusRings(this);
    // No dialog larger than its screen (a large scale on a small screen).
    fitDialogsAsTheyShow(this);
}

bool QuillonApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        reportUnhandledException(error);
    } catch (...) {
        reportUnhandledError(QStringLiteral("Unknown error"));
    }
    return false;
}

void initQuillonResources()
{
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(help);
}

QString prepareUserLibraryFolder(QList<StartupNotice> &notices)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const LibraryLocation location = chooseUserLibraryFolder(QCoreApplication::applicationDirPath(), data);
    // The library makes its own folder, one level: the data folder above it
    // is made here, as a fresh account has none.
    QDir().mkpath(QFileInfo(location.folder.chopped(1)).path());
    if (location.copyFrom.isEmpty())
        return location.folder;
    const LibraryCopy copy = copyLibraryFolder(location.copyFrom, location.folder);
    if (!copy.ok) {
        // The scripts stay usable where they are until the copy succeeds.
        notices << StartupNotice{IconWarning, QStringLiteral("Warning!"),
                                 QStringLiteral("Your user library in %1 could not be copied to %2:\r\n%3\r\n"
                                                "This time Quillon uses it where it is.")
                                     .arg(QDir::toNativeSeparators(location.copyFrom),
                                          QDir::toNativeSeparators(location.folder), copy.error)};
        return location.copyFrom;
    }
    notices << StartupNotice{IconInformation, QStringLiteral("Information"),
                             QStringLiteral("Your user library was copied from %1 to %2, where Quillon keeps it from "
                                            "now on, safe from rebuilds. The old folder was left as it was.")
                                 .arg(QDir::toNativeSeparators(location.copyFrom),
                                      QDir::toNativeSeparators(location.folder))};
    return location.folder;
}

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery/");
}

QString startupFileFromCommandLine(const SplitArguments &split)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor and library of the small scripts of web pages."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A script file to open at start."),
                                 QStringLiteral("[FILE]"));
    parser.process(argumentsForParser(QCoreApplication::arguments(), split));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("%1: one file at most, %2 were given")
                                    .arg(QCoreApplication::applicationName())
                                    .arg(files.size())));
        parser.showHelp(2);
    }
    return files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();
}

void logStartupPlaces(const AppConfig &config, const HelpWindow &help)
{
    if (!lcStartup().isInfoEnabled())
        return;
    if (!internalBrowserBuilt()) {
        qCInfo(lcStartup, "preview plugin: none, built without the embedded browser");
    } else {
        const QString plugin = internalBrowserPluginFile();
        if (plugin.isEmpty())
            qCInfo(lcStartup, "preview plugin: not found in %s",
                   qPrintable(internalBrowserSearchFolders().join(QStringLiteral(", "))));
        else
            qCInfo(lcStartup, "preview plugin: %s", qPrintable(plugin));
    }
    // Read as the help window reads it: the contents tree and the pages.
    const qsizetype contents = help.contentsPages().size();
    const qsizetype pages = help.staticPages().size();
    if (contents == 0 || pages == 0)
        qCInfo(lcStartup, "help: not found in %s", qPrintable(HelpWindow::helpRoot()));
    else
        qCInfo(lcStartup, "help: %lld pages and %lld contents entries in %s", static_cast<long long>(pages),
               static_cast<long long>(contents), qPrintable(HelpWindow::helpRoot()));
    qCInfo(lcStartup, "user library: %s", qPrintable(config.userLibraryFolder));
    qCInfo(lcStartup, "recovery folder: %s", qPrintable(config.recoveryFolder));
    if (!config.startupFile.isEmpty())
        qCInfo(lcStartup, "file to open: %s", qPrintable(config.startupFile));
}

void quitAfterStartIfAsked(QWidget &window)
{
    if (qEnvironmentVariable("QUILLON_QUIT_AFTER_START") != QLatin1String("1"))
        return;
    // Queued behind what the first show queued (the start-up notices, the
    // file of the command line, the offer of unsaved work), so the whole
    // start runs before the window closes; the last window closed ends the
    // message loop.
    QTimer::singleShot(0, &window, [&window] {
        qCInfo(lcStartup, "started; closing as QUILLON_QUIT_AFTER_START=1 asks");
        window.close();
    });
}
