#pragma once
// The files opened or saved last, newest first, as the File menu lists
// them and the settings store keeps them between runs.

#include <QString>
#include <QStringList>

class RecentFiles final {
public:
    /// How many files the list keeps.
    static constexpr int kMost = 8;

    RecentFiles() = default;
    /// The list as it was stored: empty and repeated names are dropped and
    /// it is cut to kMost.
    explicit RecentFiles(const QStringList &stored);

    const QStringList &paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    /// path becomes the newest (moved up when it was listed already).
    void add(const QString &path);
    /// path leaves the list; false when it was not on it.
    bool remove(const QString &path);

private:
    QStringList m_paths;
};

/// A folder as the window's title and the File menu show it: in native
/// separators, with home written as "~".
QString shownFolder(const QString &folder, const QString &home);

/// A menu item's caption for the file at index (0 the newest): its number
/// as the item's key, the file's name and its folder, with home written as
/// "~" and every "&" of the names doubled so none becomes a key.
QString recentFileCaption(int index, const QString &path, const QString &home);
