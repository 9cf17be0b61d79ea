#pragma once
// How the program treats symbolic links where it reads and writes files.
//
// A path the user chose (Open, Save as) follows links, as editors do.  The
// files of the user library are the program's own: a link planted in a
// folder that several users can write would send a save to someone else's
// file, so there links are refused.

enum class LinkPolicy { Follow, Refuse };

#include <QString>

/// The system's text for an errno value.
QString systemErrorText(int code);

/// Why a link was not followed: "<path> is a symbolic link; …".
QString refusedLinkText(const QString &path);

/// A name for keeping a copy of the file at path: "<path>.bak", or
/// "<path>.bak2", "<path>.bak3", … when that is taken (by a file, a folder
/// or a link), so that an earlier copy is never overwritten.
QString unusedBackupPath(const QString &path);
