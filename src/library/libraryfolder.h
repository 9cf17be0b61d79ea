#pragma once
// Where the user library lives.
//
// A program started from its build tree (a CMakeCache.txt beside it) keeps
// the library in the per-user data folder, so that a clean rebuild cannot
// delete the user's scripts; a "user-scripts" folder that earlier versions
// made in the build tree is copied there once, and the original stays.
// Elsewhere a "user-scripts" folder that already exists beside the program
// and can be written is used where it is (a portable copy); otherwise the
// per-user data folder.

#include <QString>

struct LibraryLocation {
    QString folder;    // the library folder, ending with "/"
    QString copyFrom;  // a folder to copy into folder first; empty when none
};

/// Chooses the library folder.  programFolder and dataFolder are folders
/// (with or without a final "/").
LibraryLocation chooseUserLibraryFolder(const QString &programFolder, const QString &dataFolder);

struct LibraryCopy {
    bool ok = false;
    int files = 0;   // files copied
    QString error;   // why the copy failed
};

/// Copies the index and the script files of a library folder into a new
/// folder `to` (which must not exist yet).  The copy is made in a
/// temporary folder beside `to` and renamed at the end, so `to` either
/// holds the whole library or is not there.  Links and what is not a plain
/// file are left out; `from` is not changed.
LibraryCopy copyLibraryFolder(const QString &from, const QString &to);
