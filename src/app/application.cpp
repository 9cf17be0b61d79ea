#include "app/application.h"

#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QuillonApplication::QuillonApplication(int &argc, char **argv) : QApplication(argc, argv) {}

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

QString defaultUserLibraryFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString beside = programFolder + QStringLiteral("user-scripts/");
    const QFileInfo besideInfo(beside);
    if (besideInfo.exists() ? (besideInfo.isDir() && besideInfo.isWritable()) : QFileInfo(programFolder).isWritable())
        return beside;
    // An installed program's folder cannot be written: the library lives
    // with the user's data instead.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data + QStringLiteral("/user-scripts/");
}
