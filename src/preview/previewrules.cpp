#include "preview/previewrules.h"

bool scriptClosesWindow(const QString &head, const QString &body)
{
    // A plain substring test, as the warning has always worked: comments,
    // strings and names ending in "close" count too.
    return head.contains(QStringLiteral("close("), Qt::CaseInsensitive) ||
           body.contains(QStringLiteral("close("), Qt::CaseInsensitive);
}
