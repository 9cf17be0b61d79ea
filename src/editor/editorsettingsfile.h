#pragma once
// editsett.dat between the start and the close of a run.
//
// The file is read once at start.  One that is not an editor settings file
// (damaged, or something else under that name) is kept whole as
// editsett.dat.bak (or .bak2, …) before the first rewrite, so that closing
// the program never turns it into the defaults without a copy.  One that
// could not be read at all is not overwritten in that run.  A symbolic link
// in its place is neither read nor written through.

#include "editor/highlightscheme.h"
#include "platform/savefile.h"

#include <QByteArray>
#include <QString>

class EditorSettingsFile final {
public:
    enum class Loaded {
        Missing,     // no file yet: the first start
        Read,        // read over the defaults
        Damaged,     // not an editor settings file: kept before the first rewrite
        Unreadable,  // could not be read (a link, a folder, no permission): never overwritten
    };

    explicit EditorSettingsFile(QString path);

    const QString &path() const { return m_path; }

    /// Reads the file over settings; they stay as they are unless it was Read.
    Loaded load(EditorSettings &settings);
    /// What the user is told after load(); empty when there is nothing to say.
    QString loadMessage() const;
    /// Where a damaged file is kept (set once load() found it damaged).
    const QString &backupPath() const { return m_backupPath; }

    /// Writes the settings whole, first keeping a damaged file's copy.
    /// Nothing is written over a file that could not be read.
    SaveResult save(const EditorSettings &settings);

private:
    QString m_path;
    Loaded m_loaded = Loaded::Missing;
    QByteArray m_damagedBytes;  // until they are kept
    bool m_damagedKept = false;
    QString m_backupPath;
    QString m_reason;  // why the file could not be read
};
