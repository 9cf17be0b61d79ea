#include "library/libraryarchive.h"

#include "library/libraryindex.h"
#include "library/userlibrary.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <memory>
#include <zip.h>

namespace {

const QString kScriptSuffix = QStringLiteral(".js");

// The kinds of file a Unix mode (the high half of the external attributes)
// names; what is not a plain file or a folder is refused.
constexpr quint32 kModeTypeMask = 0170000;
constexpr quint32 kModeRegular = 0100000;
constexpr quint32 kModeFolder = 0040000;
constexpr quint32 kModeLink = 0120000;
// The attribute bits of DOS and Windows archivers: a folder, and a
// reparse point (how Windows keeps links).
constexpr quint32 kDosFolder = 0x10;
constexpr quint32 kDosReparsePoint = 0x400;

struct ZipDiscard {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct ZipFileClose {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
struct ZipSourceFree {
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscard>;
using ZipFile = std::unique_ptr<zip_file_t, ZipFileClose>;
using ZipSource = std::unique_ptr<zip_source_t, ZipSourceFree>;

QString zipErrorText(zip_error_t *error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}

QString mebibytes(qint64 bytes)
{
    return QString::number(bytes / (qint64(1024) * 1024));
}

ArchiveRead refused(const QString &why)
{
    ArchiveRead read;
    read.error = why;
    return read;
}

/// Why a script name may not come into the library, or "" when it may.
QString scriptNameRefusal(const QString &name)
{
    if (cleanScriptName(name) != name)
        return QStringLiteral("the script name \"%1\" starts or ends with a space").arg(name);
    switch (checkScriptName(name)) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QStringLiteral("it holds a script with a blank name");
    case NameProblem::Backslash:
    case NameProblem::Slash:
        return QStringLiteral("the script name \"%1\" holds a \"\\\" or a \"/\"").arg(name);
    case NameProblem::ControlChar:
    case NameProblem::Direction:
    case NameProblem::InvalidText:
        break;
    }
    return QStringLiteral("a script name holds control characters or text that is not valid");
}

/// An entry as the archive lists it, once its name and kind were checked.
struct Entry {
    zip_uint64_t index = 0;
    QString name;  // below the archive's one folder, when it has one
    qint64 size = 0;
};

/// Checks an entry's kind from its external attributes; "" when it is a
/// plain file (or a folder, when folder is true).
QString kindRefusal(zip_t *archive, zip_uint64_t index, const QString &name, bool folder)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return QStringLiteral("the kind of \"%1\" cannot be read").arg(name);
    bool link = false;
    bool special = false;
    const quint32 mode = attributes >> 16;
    const quint32 type = mode & kModeTypeMask;
    if (system == ZIP_OPSYS_UNIX || system == ZIP_OPSYS_OS_X || mode != 0) {
        link = type == kModeLink;
        special = type != 0 && type != kModeRegular && !(folder && type == kModeFolder);
    }
    if (system == ZIP_OPSYS_DOS || system == ZIP_OPSYS_WINDOWS_NTFS || system == ZIP_OPSYS_VFAT) {
        link = link || (attributes & kDosReparsePoint) != 0;
        special = special || (!folder && (attributes & kDosFolder) != 0);
    }
    if (link)
        return QStringLiteral("\"%1\" is a link").arg(name);
    if (special)
        return QStringLiteral("\"%1\" is not a plain file").arg(name);
    return {};
}

/// Reads one entry whole, never more than it declared: an entry that
/// unpacks to more is refused before it can fill the memory.
QByteArray readEntry(zip_t *archive, const Entry &entry, QString *error)
{
    const ZipFile file(zip_fopen_index(archive, entry.index, 0));
    if (!file) {
        *error = QStringLiteral("\"%1\" cannot be unpacked (%2)").arg(entry.name, zipErrorText(zip_get_error(archive)));
        return {};
    }
    // One byte more than declared: to see that the entry ends where it says.
    QByteArray bytes(qsizetype(entry.size) + 1, Qt::Uninitialized);
    qint64 have = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + have, zip_uint64_t(bytes.size() - have));
        if (got < 0) {
            *error =
                QStringLiteral("\"%1\" is damaged (%2)").arg(entry.name, zipErrorText(zip_file_get_error(file.get())));
            return {};
        }
        if (got == 0)
            break;
        have += got;
        if (have > entry.size) {
            *error =
                QStringLiteral("\"%1\" unpacks to more than the %2 bytes it declares").arg(entry.name).arg(entry.size);
            return {};
        }
    }
    if (have != entry.size) {
        *error = QStringLiteral("\"%1\" unpacks to fewer bytes than it declares").arg(entry.name);
        return {};
    }
    bytes.truncate(qsizetype(have));
    error->clear();
    return bytes;
}

/// Whether a name is one the library folder holds besides its scripts and
/// index (its lock, its kept copies): such entries of a zipped library
/// folder are left out.
bool isLibraryLeftover(const QString &name)
{
    return name == QStringLiteral("uscripts.lock") || name.startsWith(QStringLiteral("uscripts.dat.bak"));
}

/// The entries of the archive, checked by name, kind and declared size.
/// Names are given without the one folder all of them may stand in.
ArchiveRead listEntries(zip_t *archive, const ArchiveLimits &limits, std::vector<Entry> &files)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0)
        return refused(QStringLiteral("its list of files cannot be read"));
    if (count > limits.maxEntries)
        return refused(
            QStringLiteral("it holds %1 files; at most %2 can be imported at once").arg(count).arg(limits.maxEntries));
    QString folder;  // the one folder all entries stand in, "" when none
    bool folderChosen = false;
    qint64 declaredTotal = 0;
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        const char *rawName = zip_get_name(archive, i, ZIP_FL_ENC_GUESS);
        if (!rawName)
            return refused(QStringLiteral("the name of its file %1 cannot be read").arg(i + 1));
        const QString name = QString::fromUtf8(rawName);
        if (name.startsWith(u'/') || name.startsWith(u'\\') || (name.size() > 1 && name[1] == u':'))
            return refused(QStringLiteral("it holds \"%1\", an absolute name").arg(name));
        if (name.contains(u'\\'))
            return refused(QStringLiteral("it holds \"%1\", a name with a \"\\\"").arg(name));
        QStringList parts = name.split(u'/');
        const bool isFolder = name.endsWith(u'/');
        if (isFolder)
            parts.removeLast();
        for (const QString &part : std::as_const(parts)) {
            if (part == QStringLiteral(".."))
                return refused(QStringLiteral("it holds \"%1\", a name that leads out of its folder").arg(name));
            if (part.isEmpty() || part == QStringLiteral("."))
                return refused(QStringLiteral("it holds \"%1\", which is not a file name of a library").arg(name));
        }
        if (parts.size() > 2 || (isFolder && parts.size() > 1))
            return refused(QStringLiteral("it holds \"%1\", in a folder within a folder").arg(name));
        const QString entryFolder = isFolder || parts.size() == 2 ? parts.first() : QString();
        if (!folderChosen) {
            folder = entryFolder;
            folderChosen = true;
        } else if (entryFolder != folder) {
            return refused(QStringLiteral("it holds \"%1\" beside files of another folder").arg(name));
        }
        if (const QString why = kindRefusal(archive, i, name, isFolder); !why.isEmpty())
            return refused(why);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return refused(QStringLiteral("the size of \"%1\" cannot be read").arg(name));
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return refused(QStringLiteral("\"%1\" is encrypted").arg(name));
        // Added up in 64 bits, each size checked first, so no sum can wrap.
        if (stat.size > zip_uint64_t(limits.maxUnpackedBytes) ||
            declaredTotal + qint64(stat.size) > limits.maxUnpackedBytes)
            return refused(QStringLiteral("its files would take more than %1 MiB unpacked; at most that can be "
                                          "imported at once")
                               .arg(mebibytes(limits.maxUnpackedBytes)));
        declaredTotal += qint64(stat.size);
        if (isFolder) {
            if (stat.size != 0)
                return refused(QStringLiteral("its folder \"%1\" holds data").arg(name));
            continue;
        }
        files.push_back({i, parts.last(), qint64(stat.size)});
    }
    ArchiveRead listed;
    listed.ok = true;
    return listed;
}

}  // namespace

int ArchiveContents::scriptCount() const
{
    int count = 0;
    for (const ArchiveCategory &category : categories)
        count += int(category.scripts.size());
    return count;
}

// --- reading ----------------------------------------------------------------------------

ArchiveRead readLibraryArchive(const QByteArray &zip, const ArchiveLimits &limits)
{
    if (zip.size() > limits.maxArchiveBytes)
        return refused(QStringLiteral("it is larger than %1 MiB").arg(mebibytes(limits.maxArchiveBytes)));
    zip_error_t error;
    zip_error_init(&error);
    ZipSource source(zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error));
    if (!source) {
        const QString why = zipErrorText(&error);
        zip_error_fini(&error);
        return refused(QStringLiteral("it cannot be opened (%1)").arg(why));
    }
    const ZipArchive archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        const QString why = zipErrorText(&error);
        zip_error_fini(&error);
        return refused(QStringLiteral("it is not a zip archive, or it is damaged (%1)").arg(why));
    }
    // The archive owns the source now.
    (void)source.release();
    zip_error_fini(&error);

    std::vector<Entry> entries;
    if (ArchiveRead listed = listEntries(archive.get(), limits, entries); !listed.ok)
        return listed;

    // Every entry's bytes, each no more than it declared.
    const Entry *indexEntry = nullptr;
    QHash<QString, const Entry *> scriptFiles;  // by script name, as the file spells it
    for (const Entry &entry : entries) {
        if (entry.name == kArchiveIndexName) {
            indexEntry = &entry;
        } else if (entry.name.endsWith(kScriptSuffix) && entry.name.size() > kScriptSuffix.size()) {
            const QString script = entry.name.chopped(kScriptSuffix.size());
            if (scriptFiles.contains(script))
                return refused(QStringLiteral("it holds \"%1\" twice").arg(entry.name));
            scriptFiles.insert(script, &entry);
        } else if (!isLibraryLeftover(entry.name)) {
            return refused(QStringLiteral("it holds \"%1\", which is not a file of a library").arg(entry.name));
        }
    }
    if (!indexEntry)
        return refused(QStringLiteral("it holds no index %1").arg(kArchiveIndexName));

    QString why;
    const QByteArray indexBytes = readEntry(archive.get(), *indexEntry, &why);
    if (!why.isEmpty())
        return refused(why);
    LibraryTree tree;
    const IndexReadResult index = readIndex(indexBytes, tree);
    if (!index.ok || index.readInPart)
        return refused(QStringLiteral("its index %1 is damaged at line %2")
                           .arg(kArchiveIndexName)
                           .arg(index.ok ? index.stoppedAtLine : index.failedLine));

    ArchiveRead read;
    QSet<QString> named;  // the scripts met so far, case folded
    for (const auto &category : tree.roots) {
        if (cleanCategoryName(category->text) != category->text.trimmed())
            return refused(QStringLiteral("a category name holds control characters"));
        ArchiveCategory out{category->text, {}};
        for (const auto &script : category->children) {
            if (!script->children.empty())
                return refused(QStringLiteral("its index has levels below the scripts"));
            const QString &name = script->text;
            if (const QString refusal = scriptNameRefusal(name); !refusal.isEmpty())
                return refused(refusal);
            if (named.contains(name.toCaseFolded()))
                return refused(QStringLiteral("its index names the script \"%1\" twice").arg(name));
            named.insert(name.toCaseFolded());
            const Entry *file = scriptFiles.value(name);
            if (!file)
                return refused(
                    QStringLiteral("its index names the script \"%1\", but the file %1.js is missing").arg(name));
            scriptFiles.remove(name);
            QByteArray bytes = readEntry(archive.get(), *file, &why);
            if (!why.isEmpty())
                return refused(why);
            out.scripts.push_back({name, std::move(bytes)});
        }
        read.contents.categories.push_back(std::move(out));
    }
    if (!scriptFiles.isEmpty()) {
        QStringList stray = scriptFiles.keys();
        stray.sort();
        return refused(QStringLiteral("it holds %1.js, a script its index does not name").arg(stray.first()));
    }
    read.ok = true;
    return read;
}

// --- writing ----------------------------------------------------------------------------

ArchiveWrite writeLibraryArchive(const ArchiveContents &contents, const ArchiveLimits &limits)
{
    ArchiveWrite out;
    const auto fail = [&out](const QString &why) {
        out.error = why;
        return out;
    };
    // What could not be imported again is not written.
    if (1 + contents.scriptCount() > limits.maxEntries)
        return fail(QStringLiteral("An archive can hold at most %1 scripts").arg(limits.maxEntries - 1));
    LibraryTree tree;
    qint64 total = 0;
    for (const ArchiveCategory &category : contents.categories) {
        LibraryNode *node = tree.addRoot(category.name);
        for (const ArchiveScript &script : category.scripts) {
            if (!scriptNameRefusal(script.name).isEmpty())
                return fail(QStringLiteral("The script \"%1\" has a name that cannot be imported; please rename it "
                                           "first")
                                .arg(script.name));
            node->addChild(script.name);
            total += script.bytes.size();
        }
    }
    const QByteArray index = writeIndex(tree);
    total += index.size();
    if (total > limits.maxUnpackedBytes)
        return fail(QStringLiteral("The scripts take more than %1 MiB; an archive can hold at most that")
                        .arg(mebibytes(limits.maxUnpackedBytes)));

    zip_error_t error;
    zip_error_init(&error);
    const ZipSource source(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_t *archive = source ? zip_open_from_source(source.get(), ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
    if (!archive) {
        const QString why = zipErrorText(&error);
        zip_error_fini(&error);
        return fail(QStringLiteral("The archive could not be made (%1)").arg(why));
    }
    zip_error_fini(&error);
    // Closing the archive writes it into the source, which stays ours.
    zip_source_keep(source.get());

    const auto add = [archive](const QString &name, const QByteArray &bytes) {
        zip_source_t *data = zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!data)
            return false;
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            return false;
        }
        // A plain file anyone may read, for the tools that unpack it.
        return zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                                (kModeRegular | 0644) << 16) == 0;
    };
    bool added = add(kArchiveIndexName, index);
    for (const ArchiveCategory &category : contents.categories)
        for (const ArchiveScript &script : category.scripts)
            added = added && add(script.name + kScriptSuffix, script.bytes);
    if (!added) {
        const QString why = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        return fail(QStringLiteral("The archive could not be made (%1)").arg(why));
    }
    if (zip_close(archive) != 0) {
        const QString why = zipErrorText(zip_get_error(archive));
        zip_discard(archive);
        return fail(QStringLiteral("The archive could not be made (%1)").arg(why));
    }

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source.get(), &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        stat.size > zip_uint64_t(limits.maxArchiveBytes) || zip_source_open(source.get()) != 0)
        return fail(QStringLiteral("The archive could not be made"));
    out.bytes.resize(qsizetype(stat.size));
    const zip_int64_t got = zip_source_read(source.get(), out.bytes.data(), stat.size);
    zip_source_close(source.get());
    if (got != zip_int64_t(stat.size)) {
        out.bytes.clear();
        return fail(QStringLiteral("The archive could not be made"));
    }
    out.ok = true;
    return out;
}
