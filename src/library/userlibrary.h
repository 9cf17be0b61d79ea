#pragma once
// The user library on disk: a folder holding the index uscripts.dat and
// one script file "<name>.js" per script, in the section-marker format.
//
// The store holds the tree in memory.  Several copies of the program may
// use one folder: every change is made under a lock file in the folder,
// and a store whose index was changed on disk by another copy re-reads it
// before its next change, so nothing another copy added is lost.
//
// The operations are kept small so that the caller can order them for a
// crash at any moment: a new script's file is written before the index
// names it, and a script leaves the index before its file is removed.

#include "library/libraryfind.h"
#include "library/libraryindex.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLockFile;

/// Which scripts names are allowed.
enum class NameProblem {
    None,
    Empty,        // "Please don't use blank names!": empty, or no visible character
    Backslash,    // a "\"
    Slash,        // a "/" (it would lead out of the folder)
    ControlChar,  // a line break, a tab or another control character
    Direction,    // a bidirectional control character, which makes a name look like another
    InvalidText,  // not valid Unicode (a lone surrogate)
};

/// A script name as typed, with leading and trailing spaces and tabs removed
/// (a leading space would make a deeper line of the index).
QString cleanScriptName(const QString &typed);
/// Checks a cleaned script name.
NameProblem checkScriptName(const QString &name);
/// A category name as edited: control characters, direction controls and
/// lone surrogates removed, then trimmed.
QString cleanCategoryName(const QString &edited);

/// The name a copy of a script gets: "name (2)", or the next number free in
/// tree ("name (3)" for a copy of "name (2)" when that is taken), and not
/// one of alsoTaken (case folded).
QString duplicateScriptName(const QString &name, const LibraryTree &tree, const QSet<QString> &alsoTaken = {});

/// Where a node stands, to find it again after the tree was re-read: the
/// rows from the top and the texts along the way.
struct NodeRef {
    QList<int> rows;
    QStringList texts;
    bool isNull() const { return rows.isEmpty(); }
};

/// The user library folder, its index and its script files.
class UserLibraryStore {
public:
    explicit UserLibraryStore(const QString &folder);
    ~UserLibraryStore();
    UserLibraryStore(const UserLibraryStore &) = delete;
    UserLibraryStore &operator=(const UserLibraryStore &) = delete;

    QString folder() const;     // ends with "/"
    QString indexPath() const;  // folder + "uscripts.dat"
    QString scriptPath(const QString &name) const;  // folder + name + ".js"
    /// Where an index that could not be read whole is kept before it is
    /// first overwritten: folder + "uscripts.dat.bak", or when that was
    /// taken at the time of the reading "uscripts.dat.bak2", "uscripts.dat.bak3"
    /// and so on.
    QString backupPath() const;
    QString lockPath() const;  // folder + "uscripts.lock"

    LibraryTree &tree() { return m_tree; }
    const LibraryTree &tree() const { return m_tree; }

    struct LoadResult {
        enum Status {
            Loaded,            // the index was read
            EmptyIndexCreated, // folder present, index missing: an empty index was written
            FolderCreated,     // folder missing: created, with the one category "User scripts"
            FolderNotCreated,  // folder missing and could not be created; the tree is unchanged
            InvalidIndex,      // "Invalid TreeNode Level"; the nodes read so far are kept
            IndexReadInPart,   // a NUL or a 0x1A line ended the reading before the end
            IndexUnreadable,   // the index exists but cannot be read (or is too large)
            IndexNotWritten,   // the new index could not be written
        } status = Loaded;
        QString error;
        int failedLine = 0;  // InvalidIndex, IndexReadInPart: the 1-based line that stopped the reading
        bool ok() const { return status == Loaded || status == EmptyIndexCreated || status == FolderCreated; }
        /// Temporary files of crashed saves that were cleared from the folder.
        int staleFilesRemoved = 0;
    };
    /// Builds the tree from the folder and its index.
    LoadResult load();

    /// How the index was last read (by load() or a reload).
    IndexReadResult lastIndexRead() const { return m_lastRead; }

    /// True while the index on disk is one that could not be read (a pipe,
    /// a folder, a link, too large): no change is written over it.
    /// unreadableIndexReason() tells why.
    bool indexUnreadable() const;
    QString unreadableIndexReason() const { return m_unreadableReason; }

    /// True when the index on disk differs from what this store last read or
    /// wrote (another copy of the program changed it).
    bool changedOnDisk() const;
    /// Re-reads the index when another copy changed it; true when it did.
    /// An index that vanished is not taken for an empty library: the tree
    /// stays, and the next write puts the index back.
    bool reloadIfChanged();

    /// Holds the folder's lock file while a change is written.  Creating one
    /// also re-reads the index when another copy changed it (check
    /// reloaded()).  locked() is false when the lock could not be had; the
    /// change should then not be made.  Then error() says why when it was
    /// not another copy holding it (a full disk: the system's reason).
    class Change {
    public:
        ~Change();
        bool locked() const { return m_locked; }
        bool reloaded() const { return m_reloaded; }
        QString error() const { return m_error; }

    private:
        friend class UserLibraryStore;
        Change() = default;
        std::unique_ptr<QLockFile> m_lock;
        bool m_locked = false;
        bool m_reloaded = false;
        QString m_error;
    };
    std::unique_ptr<Change> beginChange();
    /// How long beginChange() waits for another copy's lock (3 s unless set).
    void setLockTimeout(int milliseconds) { m_lockTimeoutMs = milliseconds; }

    /// Where a node of the tree stands.
    NodeRef refOf(const LibraryNode *node) const;
    /// Finds a node again by its reference (after a reload): the node at the
    /// same rows with the same texts, else the first node with the same
    /// texts along the way, else for a script the script of that name
    /// wherever it stands (script names are unique), else nullptr.
    LibraryNode *resolve(const NodeRef &ref) const;

    struct SaveOutcome {
        bool ok = false;
        bool folderMissing = false;
        QString error;  // the system's reason when it failed
    };
    /// Writes the index from the tree, through the checked save helper.  An
    /// index on disk that was read only in part is first kept at
    /// backupPath(); one that could not be read at all is not overwritten.
    SaveOutcome writeIndexFile();

    /// Writes the script file for name (section-marker format).
    SaveOutcome writeScriptFile(const QString &name, const QString &head, const QString &body);
    /// Writes a script file's bytes as they are (an imported script).
    SaveOutcome writeScriptBytes(const QString &name, const QByteArray &bytes);
    /// Creates the library folder (one level); true when it is there.
    bool createFolder(QString *error = nullptr);
    /// Removes a script's file (a link of that name goes, never what it
    /// leads to); false when it could not be removed (or was not there).
    bool removeScriptFile(const QString &name);

    struct ScriptRead {
        /// CannotOpen also for a name that cannot be a file of the folder;
        /// TooLarge for a file over kMaxTextFileBytes.
        TextFileRead::Status status = TextFileRead::Status::CannotOpen;
        QString head;
        QString body;
        bool ok() const { return status == TextFileRead::Status::Ok; }
    };
    /// Reads a script file and splits it into its two fragments.
    ScriptRead readScript(const QString &name) const;

    /// The text of every script of the tree, for finding: the files are read
    /// on the first call, and the copy follows every script this store
    /// writes, renames or removes.  An index another copy changed drops it,
    /// to be read again.
    const ScriptTexts &scriptTexts();
    /// One script's stored text from the copy, read when the copy does not
    /// hold it yet; nullptr when its file cannot be read.
    const ScriptTexts::Entry *scriptText(const QString &name);

    struct RenameOutcome {
        enum Status {
            Renamed,
            Refused,          // the name rules refuse the new name (problem says which)
            FileMissing,      // the script's file cannot be read
            FileNotWritten,   // the file under its new name could not be written
            IndexNotWritten,  // the index could not be written; nothing changed
        } status = Refused;
        NameProblem problem = NameProblem::None;
        QString error;  // the system's reason
        bool ok() const { return status == Renamed; }
    };
    /// Renames a script: its file gets the new name and the index is
    /// rewritten.  replaced is the other script of that name (the user
    /// agreed to replace it) or nullptr; its node goes and its file is
    /// written over.  A rename that fails leaves tree and files as they were.
    RenameOutcome renameScript(LibraryNode *script, const QString &newName, LibraryNode *replaced = nullptr);

    /// Copies a script under duplicateScriptName(), placed right after it in
    /// its category, the index rewritten; the new node, or nullptr (error
    /// says why) with nothing changed.
    LibraryNode *duplicateScript(LibraryNode *script, QString *error = nullptr);

    /// Moves scripts (in the order given) into category, before the script
    /// before of that category (nullptr: to its end; a script that moves
    /// itself stands for the next one that stays).  Only the index is
    /// rewritten: a script's file is its name, not its place.  A move the
    /// index cannot take leaves the tree as it was.
    SaveOutcome moveScripts(const std::vector<LibraryNode *> &scripts, LibraryNode *category, LibraryNode *before);
    /// Moves a category, with its scripts, before the category before
    /// (nullptr: to the end), as moveScripts() does.
    SaveOutcome moveCategory(LibraryNode *category, LibraryNode *before);
    /// Deletes scripts: they leave the index (written once) before their
    /// files go.  notRemoved gets the scripts whose files could not be
    /// removed.  When the index cannot be written nothing changes.
    SaveOutcome removeScripts(const std::vector<LibraryNode *> &scripts, QStringList *notRemoved = nullptr);

private:
    /// The order of the children of some nodes (nullptr: the categories),
    /// to be put back when a rearranged tree cannot be written.
    struct Arrangement {
        std::vector<std::pair<LibraryNode *, std::vector<LibraryNode *>>> levels;
    };
    Arrangement arrangementOf(const std::vector<LibraryNode *> &parents) const;
    /// Puts the children back in their recorded order; loose holds the
    /// nodes taken out of the tree meanwhile.
    void restore(const Arrangement &arrangement, std::vector<std::unique_ptr<LibraryNode>> *loose = nullptr);
    /// Writes the index after the tree was rearranged, or puts the tree
    /// back as it was; nothing is written when the index would not change.
    SaveOutcome writeRearranged(const Arrangement &before, std::vector<std::unique_ptr<LibraryNode>> *loose = nullptr);
    bool folderExists() const;
    /// The folder's lock, taken when it could be had in time.
    std::unique_ptr<QLockFile> tryLock() const;
    /// Why no lock file could be made when no copy holds one.
    QString lockFailureReason() const;
    IndexReadResult adoptIndex(const QByteArray &bytes);
    LoadResult readIndexFile();

    QString m_folder;
    LibraryTree m_tree;
    QByteArray m_knownIndex;  // the index as last read or written
    bool m_knownIndexExists = false;
    bool m_indexReadInPart = false;     // the index on disk stopped at a bad level
    bool m_indexUnreadable = false;     // the index on disk could not be read at all
    QString m_unreadableReason;         // why, the system's reason
    IndexReadResult m_lastRead;
    QString m_backupPath;  // chosen when an index was read in part
    mutable ScriptTexts m_texts;  // what finding searches
    bool m_textsFilled = false;   // every script of the tree was read into m_texts
    int m_lockTimeoutMs = 3000;
};
