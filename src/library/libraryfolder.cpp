#include "library/libraryfolder.h"

#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kFolderName = QStringLiteral("user-scripts");

QString withSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString withoutSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

} // namespace

LibraryLocation chooseUserLibraryFolder(const QString &programFolder, const QString &dataFolder)
{
    const QString program = withSlash(programFolder);
    const QString beside = program + kFolderName + u'/';
    const QString perUser = withSlash(dataFolder) + kFolderName + u'/';
    const QFileInfo besideInfo(beside);

    LibraryLocation location;
    if (QFileInfo::exists(program + QStringLiteral("CMakeCache.txt"))) {
        location.folder = perUser;
        const QFileInfo perUserInfo(withoutSlash(perUser));
        if (besideInfo.isDir() && !perUserInfo.exists() && !perUserInfo.isSymLink())
            location.copyFrom = beside;
        return location;
    }
    location.folder = (besideInfo.isDir() && besideInfo.isWritable()) ? beside : perUser;
    return location;
}

LibraryCopy copyLibraryFolder(const QString &from, const QString &to)
{
    LibraryCopy result;
    const QString target = withoutSlash(to);
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink()) {
        result.error = QStringLiteral("%1 exists already").arg(target);
        return result;
    }
    const QString parent = targetInfo.path();
    if (!QDir().mkpath(parent)) {
        result.error = QStringLiteral("the folder %1 cannot be made").arg(parent);
        return result;
    }
    const QString staging =
        target + QStringLiteral(".copying-%1").arg(QCoreApplication::applicationPid());
    QDir(staging).removeRecursively();
    if (!QDir().mkdir(staging)) {
        result.error = QStringLiteral("the folder %1 cannot be made").arg(staging);
        return result;
    }
    const auto giveUp = [&](const QString &why) {
        QDir(staging).removeRecursively();
        result.files = 0;
        result.error = why;
        return result;
    };

    const QDir source(from);
    const QStringList names = source.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QString &name : names) {
        if (isSaveTemporaryName(name) || name == QLatin1String("uscripts.lock"))
            continue;
        const TextFileRead read = readFileBytes(source.filePath(name), kMaxTextFileBytes, LinkPolicy::Refuse);
        if (!read.ok())
            return giveUp(QStringLiteral("%1 cannot be read: %2").arg(source.filePath(name), read.error));
        const SaveResult saved = saveFileAtomically(staging + u'/' + name, read.bytes, SaveDurability::NoSync,
                                                    LinkPolicy::Refuse);
        if (!saved.ok)
            return giveUp(QStringLiteral("%1 cannot be written: %2").arg(staging + u'/' + name, saved.error));
        ++result.files;
    }
    if (!QDir().rename(staging, target))
        return giveUp(QStringLiteral("%1 cannot be renamed to %2").arg(staging, target));
    result.ok = true;
    return result;
}
