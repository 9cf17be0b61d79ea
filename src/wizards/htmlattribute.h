#pragma once
// An attribute of a tag the form builders write: a space, the name and
// the value in double quotes, written as typed.

#include <QString>

inline QString htmlAttribute(const char *name, const QString &value)
{
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
}
