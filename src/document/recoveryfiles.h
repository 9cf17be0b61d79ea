#pragma once
// The files that keep the editors' unsaved work across a crash.
//
// Each running copy of the program writes its script, while it is modified,
// to a file "recovery-<pid>.js" in the recovery folder, in the script file
// format, and holds a lock on "recovery-<pid>.lock" for as long as it runs.
// The system lets go of that lock when the process ends, however it ends,
// so a recovery file whose lock can be taken belongs to a copy that is
// gone, whatever number it carries: its work is offered back at the next
// start.  A copy that still runs is never touched.  A process id comes
// round again (a sandbox runs every copy as pid 1), so a copy whose own
// name holds a left file takes "recovery-<pid>-<n>.js" with the first n
// that is free: it never writes over a file it did not write itself.
//
// The HEAD fragment is stored with one "\" put before each of its lines
// that starts with backslashes and the BODY marker, so the first BODY
// marker line of the file is always the one that ends HEAD and both
// fragments come back exactly.  Scripts without such a line are stored as plain script
// files, as earlier versions wrote them.

#include "document/scripttext.h"
#include "platform/filelock.h"
#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

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
    /// The largest recovery file written, and read back.
    static constexpr qint64 kMaxFileBytes = kMaxTextFileBytes;

    /// folder ends with "/"; an empty folder switches recovery off.
    explicit RecoveryFiles(QString folder, qint64 processId);

    bool enabled() const { return !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }
    /// This copy's recovery file; empty until claimed.
    QString ownPath() const { return m_ownPath; }

    /// Makes the folder and takes a name of this copy's own with its
    /// lock.  False (with the reason) when that cannot be done; writing
    /// then fails too.
    SaveResult claim();
    /// Lets go of the name: the file and its lock go (a clean close).
    void release();

    /// The bytes a script is kept in.
    static QByteArray encode(const ScriptFragments &script);
    /// The script of those bytes, exactly as it was kept.
    static ScriptFragments decode(const QByteArray &bytes);

    /// Whether bytes are small enough for a recovery file.
    static bool fits(const QByteArray &bytes) { return bytes.size() <= kMaxFileBytes; }
    /// Writes this copy's recovery file; bytes that do not fit are refused
    /// and the file keeps what it held.  Safe to call from a worker thread
    /// (it touches nothing but the file).
    SaveResult write(const QByteArray &bytes) const;
    /// Removes this copy's recovery file (the script is saved or given up).
    void remove() const;

    /// The recovery files of copies that are gone, oldest first, each
    /// locked so that another copy starting now leaves it alone.  Files
    /// that cannot be read (too large, ...) are left where they are; with
    /// unreadable given, each is added to it as "<path>: <reason>".
    QList<OrphanedScript> takeOrphans(QStringList *unreadable = nullptr) const;
    /// Gives an orphan up for good: its file and lock go.
    static void discard(OrphanedScript &orphan);
    /// Leaves an orphan for a later start.
    static void keep(OrphanedScript &orphan);

private:
    QString m_folder;
    qint64 m_processId;
    QString m_ownPath;
    std::unique_ptr<FileLock> m_lock;
};
