#include "preview/browseraddress.h"

#include <QUrl>

namespace {

bool hasDriveLetter(const QString &path)
{
    return path.size() >= 3 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':') &&
           (path.at(2) == QLatin1Char('\\') || path.at(2) == QLatin1Char('/'));
}

} // namespace

QString BrowserFileUrl(const QString &path)
{
    if (hasDriveLetter(path))
        return QStringLiteral("file:///") + path.at(0) + QLatin1Char('|') + path.mid(2);
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

QString NormalizeUrl(const QString &address)
{
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    QString scheme = colon < 0 ? QString() : address.left(colon);
    if (!scheme.isEmpty())
        scheme += QLatin1Char(':');

    QString host;
    const qsizetype slashes = address.indexOf(QStringLiteral("//"));
    if (slashes >= 0) {
        const QString after = address.mid(slashes + 2);
        const qsizetype end = after.indexOf(QLatin1Char('/'));
        host = end < 0 ? QString() : after.left(end);
        if (host.isEmpty())
            host = after;
    }
    QString hostPart = host.isEmpty() ? QString() : QStringLiteral("//") + host + QLatin1Char('/');
    if (address.contains(QStringLiteral("///")))
        hostPart = QStringLiteral("///");

    const QString rest = address.mid(scheme.size() + hostPart.size());
    if (scheme.isEmpty())
        scheme = QStringLiteral("http:");
    if (hostPart.isEmpty())
        hostPart = QStringLiteral("///");
    return scheme.toLower() + hostPart + rest;
}
