#include "document/recentfiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

/// The form two names of one file share (a "." or ".." or a doubled
/// separator makes no other file).
QString sameFileForm(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

}  // namespace

RecentFiles::RecentFiles(const QStringList &stored)
{
    // Oldest first, so that each add() puts the next newer one on top.
    for (auto it = stored.crbegin(); it != stored.crend(); ++it)
        add(*it);
}

void RecentFiles::add(const QString &path)
{
    if (path.trimmed().isEmpty())
        return;
    remove(path);
    m_paths.prepend(sameFileForm(path));
    while (m_paths.size() > kMost)
        m_paths.removeLast();
}

bool RecentFiles::remove(const QString &path)
{
    return m_paths.removeAll(sameFileForm(path)) > 0;
}

QString recentFileCaption(int index, const QString &path, const QString &home)
{
    const QFileInfo info(path);
    const auto escaped = [](QString text) { return text.replace(u'&', QStringLiteral("&&")); };
    // Items 1 to 9 take their digit as the key; the list has fewer.
    const QString number = index < 9 ? u'&' + QString::number(index + 1) : QString::number(index + 1);
    return number + u' ' + escaped(info.fileName()) + QStringLiteral(" \u2014 ") +
           escaped(shownFolder(info.path(), home));
}

QString shownFolder(const QString &folder, const QString &home)
{
    QString shown = sameFileForm(folder);
    const QString homeForm = sameFileForm(home);
    if (!homeForm.isEmpty() && (shown == homeForm || shown.startsWith(homeForm + u'/')))
        shown = u'~' + shown.mid(homeForm.size());
    return QDir::toNativeSeparators(shown);
}
