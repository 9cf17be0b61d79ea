#include "app/application.h"

#include "app/appconfig.h"
#include "library/libraryfolder.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QuillonApplication::QuillonApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    ignoreFileSizeLimitSignal();
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
