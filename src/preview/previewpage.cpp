#include "preview/previewpage.h"

#include "platform/fileaccess.h"
#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kPreviewFileName = QStringLiteral("prev.html");

} // namespace

QString composePreviewPage(const QString &head, const QString &body, const QString &pageFolder)
{
    QString base;
    if (!pageFolder.isEmpty()) {
        // On the page's first line, before HEAD: the lines stay the
        // fragments' own.  The address is percent-encoded, so no quote can
        // end the attribute; "&" is written as the entity it would start.
        QString address = QUrl::fromLocalFile(QDir(pageFolder).absolutePath() + u'/').toString(QUrl::FullyEncoded);
        address.replace(u'&', QStringLiteral("&amp;"));
        base = QStringLiteral("<BASE HREF=\"") + address + QStringLiteral("\">");
    }
    return QStringLiteral("<HTML><HEAD>") + base + head + QStringLiteral("</HEAD><BODY>") + body +
           QStringLiteral("</BODY></HTML>");
}

PreviewFile::PreviewFile(const QString &tempRoot) : m_root(tempRoot.isEmpty() ? QDir::tempPath() : tempRoot)
{
    while (m_root.size() > 1 && m_root.endsWith(u'/'))
        m_root.chop(1);
}

PreviewFile::~PreviewFile()
{
    // The usual folder is kept for the next run; a fallback folder has a
    // name nobody will use again.  Only what this program put there goes.
    if (!m_fellBack || m_folder.isEmpty() || !isPrivateFolder(m_folder))
        return;
    QDir dir(m_folder);
    dir.remove(kPreviewFileName);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (isSaveTemporaryName(name))
            dir.remove(name);
    QDir().rmdir(m_folder);
}

QString PreviewFile::usualFolder() const
{
#ifdef Q_OS_UNIX
    return m_root + QStringLiteral("/quillon-%1").arg(::geteuid());
#else
    return m_root + QStringLiteral("/quillon");
#endif
}

bool PreviewFile::isPrivateFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
#else
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink();
#endif
}

QString PreviewFile::folder()
{
    // Checked before every use: the folder may have been replaced since.
    if (!m_folder.isEmpty() && isPrivateFolder(m_folder))
        return m_folder;
    m_folder.clear();
    m_failure.clear();
    const QString usual = usualFolder();
#ifdef Q_OS_UNIX
    if (!m_fellBack) {
        const QByteArray usualBytes = QFile::encodeName(usual);
        if (::mkdir(usualBytes.constData(), 0700) == 0 || errno == EEXIST) {
            if (isPrivateFolder(usual)) {
                m_folder = usual;
                removeStaleTemporaryFiles(m_folder);
                return m_folder;
            }
        }
    }
    // The usual folder is taken by something that is not ours alone: a
    // fresh folder with a name nobody can guess serves the rest of the run.
    m_fellBack = true;
    QByteArray pattern = QFile::encodeName(usual + QStringLiteral("-XXXXXX"));
    if (char *made = ::mkdtemp(pattern.data())) {
        const QString fresh = QFile::decodeName(made);
        if (isPrivateFolder(fresh))
            m_folder = fresh;
        else
            m_failure = QStringLiteral("The folder %1 is not private.").arg(fresh);
    } else {
        m_failure = QStringLiteral("No private folder can be made in %1: %2").arg(m_root, systemErrorText(errno));
    }
#else
    if (QDir().mkpath(usual) && isPrivateFolder(usual))
        m_folder = usual;
    else
        m_failure = QStringLiteral("The folder %1 cannot be made.").arg(usual);
#endif
    return m_folder;
}

PreviewWrite PreviewFile::WritePreviewPage(const QString &head, const QString &body, const QString &pageFolder)
{
    const QString dir = folder();
    if (dir.isEmpty())
        return {QString(),
                QStringLiteral("Cannot create file %1\n%2").arg(usualFolder() + u'/' + kPreviewFileName, m_failure)};
    const QString path = dir + u'/' + kPreviewFileName;
    const SaveResult saved =
        saveFileAtomically(path, encodeText(composePreviewPage(head, body, pageFolder)), SaveDurability::NoSync);
    if (!saved)
        return {QString(), QStringLiteral("Cannot create file %1\n%2").arg(path, saved.error)};
    return {path, QString()};
}
