#pragma once
// Checked, atomic writing of files that hold user data.
//
// Every file the program writes for the user (script files, the library
// index, the preview page) goes through saveFileAtomically(): the bytes go
// to a temporary file beside the target, every write() must take every
// byte, flush() and the device's error state must be clean and the data
// must reach the disk before the temporary file replaces the target.  On
// any failure the temporary file is discarded and the old file stays whole.
// (QSaveFile::commit() alone can report success on a full disk and leave a
// cut or empty file, so it is never trusted on its own.)
//
// The temporary file is named after the target and carries the writer's
// process id and host (".<name>.qtmp-<pid>-<host>-XXXXXX"), so that one
// left by a crash can be told from one another running copy is writing:
// removeStaleTemporaryFiles() clears those of copies that are gone.

#include "platform/fileaccess.h"

#include <QByteArray>
#include <QString>

#include <memory>

struct SaveResult {
    bool ok = false;
    QString error;  // what failed, for the message shown to the user
    explicit operator bool() const { return ok; }
};

/// The device the helper writes through.  Production uses QSaveFile; tests
/// put a faulty device in its place.
class SaveTarget {
public:
    virtual ~SaveTarget() = default;
    virtual bool open() = 0;
    virtual qint64 write(const char *data, qint64 size) = 0;
    virtual bool flush() = 0;
    virtual bool sync() = 0;  // push the data to the disk
    virtual bool hasError() const = 0;
    virtual QString errorString() const = 0;
    virtual bool commit() = 0;
    virtual void cancel() = 0;
};

enum class SaveDurability { Sync, NoSync };

std::unique_ptr<SaveTarget> makeSaveTarget(const QString &path, LinkPolicy links = LinkPolicy::Follow);

/// Writes all bytes through the target and commits only when nothing failed.
SaveResult writeThrough(SaveTarget &target, const QByteArray &bytes, SaveDurability durability = SaveDurability::Sync);

/// Replaces (or creates) the file at path with exactly these bytes.
/// A link at path is followed (the file it leads to is replaced) or, with
/// LinkPolicy::Refuse, the save fails and nothing is written.
SaveResult saveFileAtomically(const QString &path, const QByteArray &bytes,
                              SaveDurability durability = SaveDurability::Sync, LinkPolicy links = LinkPolicy::Follow);

/// Whether a file name is one of the save helper's temporary files.
bool isSaveTemporaryName(const QString &fileName);

/// Which temporary files of the save helper a crash left.
enum class StaleTemporaries {
    /// Those of a process of this host that is gone, and any older than an
    /// hour: for the program's own folders, which another machine may share.
    GoneOrOld,
    /// Only those of a process of this host that is gone: for the user's
    /// folders, where nothing that may still be written is touched.
    OfGoneProcesses,
};

/// Removes the save helper's temporary files in folder that a crash left
/// (only files named exactly as the helper names them).  Files of running
/// copies are left alone.  Returns how many went.
int removeStaleTemporaryFiles(const QString &folder, StaleTemporaries which = StaleTemporaries::GoneOrOld);

/// Makes a write past a file-size limit (ulimit -f, a quota) fail with an
/// error the save helper reports, instead of a signal that ends the
/// program with the user's work.  Called once at start.
void ignoreFileSizeLimitSignal();
