#include "platform/fileaccess.h"

#include <cstring>

QString systemErrorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString refusedLinkText(const QString &path)
{
    return QStringLiteral("%1 is a symbolic link; links are not followed here").arg(path);
}
