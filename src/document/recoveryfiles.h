#pragma once
// The files that keep the editors' unsaved work across a crash.
//
// Each running copy of the program writes its script, while it is modified,
// to "recovery-<pid>.js" in the recovery folder, in the script file format,
// and holds a lock on "recovery-<pid>.lock" for as long as it runs.  The
// system lets go of that lock when the process ends, however it ends, so a
// recovery file whose lock can be taken belongs to a copy that is gone:
// its work is offered back at the next start.  A copy that still runs is
// never touched.

#include "document/scripttext.h"
#include "platform/filelock.h"
#include "platform/savefile.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

/// The recovery file of a copy that is gone, held (locked) while the user
/// decides about it.
struct OrphanedScript {
    QString path;
    QDateTime written;
    ScriptFragments script;
    std::shared_ptr<FileLock> lock;
};

class RecoveryFiles {
public:
    /// folder ends with "/"; an empty folder switches recovery off.
    explicit RecoveryFiles(QString folder, qint64 processId);

    bool enabled() const { return !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }
    QString ownPath() const;

    /// Makes the folder and takes this copy's lock.  False (with the
    /// reason) when that cannot be done; writing then fails too.
    SaveResult claim();

    /// The bytes a script is kept in.
    static QByteArray encode(const ScriptFragments &script);
    /// The script of those bytes, exactly as it was kept.
    static ScriptFragments decode(const QByteArray &bytes);

    /// Writes this copy's recovery file.  Safe to call from a worker thread
    /// (it touches nothing but the file).
    SaveResult write(const QByteArray &bytes) const;
    /// Removes this copy's recovery file (the script is saved or given up).
    void remove() const;

    /// The recovery files of copies that are gone, oldest first, each
    /// locked so that another copy starting now leaves it alone.  Files
    /// that cannot be read are left where they are.
    QList<OrphanedScript> takeOrphans() const;
    /// Gives an orphan up for good: its file and lock go.
    static void discard(OrphanedScript &orphan);
    /// Leaves an orphan for a later start.
    static void keep(OrphanedScript &orphan);

private:
    QString m_folder;
    qint64 m_processId;
    std::unique_ptr<FileLock> m_lock;
};
