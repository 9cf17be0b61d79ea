#pragma once
// Library archives: a zip file holding an index uscripts.dat (in the
// library's own format, naming only the categories and scripts it carries)
// and one "<name>.js" file per script, as the library folder holds them.
// People mail such a file or keep it in a repository, and import it into
// this or another copy of the library.
//
// An archive comes from anywhere, so reading it checks everything before
// anything is used: the zip itself, every entry's name and kind, the index
// against the files, and the sizes (declared and actually unpacked), so a
// damaged or hostile archive is refused whole.

#include <QByteArray>
#include <QString>

#include <vector>

/// One script of an archive: its name and its file's bytes, as stored.
struct ArchiveScript {
    QString name;
    QByteArray bytes;
};

/// One category of an archive with the scripts it carries.
struct ArchiveCategory {
    QString name;
    std::vector<ArchiveScript> scripts;
};

/// What an archive carries, in the index's order.
struct ArchiveContents {
    std::vector<ArchiveCategory> categories;
    int scriptCount() const;
};

/// What an archive may hold at most: more is refused, on reading and on
/// writing alike, so every archive the program writes can be read back.
struct ArchiveLimits {
    int maxEntries = 5000;
    qint64 maxUnpackedBytes = qint64(64) * 1024 * 1024;  // all entries together
    qint64 maxArchiveBytes = qint64(64) * 1024 * 1024;   // the zip file itself
};

/// The name of the index in an archive.
inline const QString kArchiveIndexName = QStringLiteral("uscripts.dat");

struct ArchiveWrite {
    bool ok = false;
    QByteArray bytes;  // the zip file
    QString error;     // why it could not be made
};

/// Makes the zip file of contents: its index and one file per script.
ArchiveWrite writeLibraryArchive(const ArchiveContents &contents, const ArchiveLimits &limits = {});

struct ArchiveRead {
    bool ok = false;
    ArchiveContents contents;
    QString error;  // why the archive is refused, a sentence's end ("it holds ...")
};

/// Reads and checks a zip file.  Entries are the index and "<name>.js" files
/// at the top level (or all of them in one folder, as when the library
/// folder itself was zipped); refused are a damaged zip, names that climb
/// out ("../"), absolute names, links and other special files, folders
/// deeper than that one, encrypted entries, script names the library's
/// rules refuse, an index deeper than categories and scripts, a script
/// named twice, a script without its file or a file without its script,
/// and an archive over the limits, whatever its entries declare.
ArchiveRead readLibraryArchive(const QByteArray &zip, const ArchiveLimits &limits = {});
