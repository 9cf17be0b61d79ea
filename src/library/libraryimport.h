#pragma once
// Scripts brought into the user library from outside (a library archive,
// files dropped from the file manager) and scripts gathered for an archive.
//
// An import is planned before anything is written: the names it shares
// with scripts of the library are asked about, and then the whole import is
// written at once: every script file first, then the index.  When any of it
// cannot be written, what was written is taken back, so the library is as
// it was.

#include "library/libraryarchive.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class UserLibraryStore;
struct LibraryNode;

/// What becomes of an imported script whose name the library already has.
enum class ClashChoice {
    Replace,   // the library's script gets the imported text and stays where it is
    KeepBoth,  // the imported script comes in as "name (2)", as a duplicate is named
    Skip,      // the imported script stays out
};

/// The imported scripts whose names the library already has (without
/// regard to case), in the import's order.
QStringList importClashes(const ArchiveContents &import, const UserLibraryStore &store);

struct ImportOutcome {
    bool ok = false;
    QString error;  // why nothing was imported
    int added = 0;  // new scripts, kept copies included
    int replaced = 0;
    int kept = 0;  // of added: those that came in under a new name
    int skipped = 0;
    std::vector<LibraryNode *> scripts;  // the scripts written, in the import's order
};

/// Writes an import into the library.  choices says, by an imported
/// script's name, what becomes of a clash; a clash without a choice is
/// skipped, so nothing is replaced that was not asked about.  Each category
/// of the import goes into into when given, else into the library's first
/// category of the same name, else into a new category at the end (a new
/// category is made only for scripts that come in, or for an import's
/// category that is empty itself).  Files go to the library folder only,
/// under the scripts' names.
ImportOutcome importIntoLibrary(UserLibraryStore &store, const ArchiveContents &import,
                                const QHash<QString, ClashChoice> &choices, LibraryNode *into = nullptr);

struct ExportGather {
    bool ok = false;
    ArchiveContents contents;
    QString error;
};

/// The given categories (each whole) and scripts of the library, in the
/// library's order, with their files' bytes as they are on disk; nothing
/// chosen means the whole library.  Fails when a script's file cannot be
/// read.
ExportGather gatherForExport(const UserLibraryStore &store, const std::vector<const LibraryNode *> &chosen);

/// One dropped file as a script: the name is the file's name without its
/// last extension, cleaned as a typed name is; a file without section
/// markers is all BODY.
struct DroppedScript {
    bool ok = false;
    ArchiveScript script;  // the name and the script file's bytes
    QString error;         // why the file cannot be read
};
DroppedScript scriptFromDroppedFile(const QString &path);
