#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

int SystemShell::openPath(const QString &path)
{
    if (!QFileInfo::exists(path))
        return FileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? Success : NoAssociation;
}

int SystemShell::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url)) ? Success : NoAssociation;
}
