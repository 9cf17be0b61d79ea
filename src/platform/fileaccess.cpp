#include "platform/fileaccess.h"

#include <QFileInfo>

#include <cstring>

QString systemErrorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString refusedLinkText(const QString &path)
{
    return QStringLiteral("%1 is a symbolic link; links are not followed here").arg(path);
}

QString unusedBackupPath(const QString &path)
{
    const QString first = path + QStringLiteral(".bak");
    QString candidate = first;
    for (int n = 2; QFileInfo(candidate).exists() || QFileInfo(candidate).isSymLink(); ++n)
        candidate = first + QString::number(n);
    return candidate;
}
