#include "preview/previewpage.h"

#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString composePreviewPage(const QString &head, const QString &body)
{
    return QStringLiteral("<HTML><HEAD>") + head + QStringLiteral("</HEAD><BODY>") + body +
           QStringLiteral("</BODY></HTML>");
}

PreviewFile::PreviewFile(const QString &tempRoot) : m_root(tempRoot.isEmpty() ? QDir::tempPath() : tempRoot) {}

bool PreviewFile::isPrivateFolder(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & (S_IRWXG | S_IRWXO)) == 0;
#else
    return QFileInfo(path).isDir();
#endif
}

QString PreviewFile::folder()
{
    if (!m_folder.isEmpty() && isPrivateFolder(m_folder))
        return m_folder;
    m_folder.clear();
#ifdef Q_OS_UNIX
    const QString named = m_root + QStringLiteral("/quillon-%1").arg(::geteuid());
    const QByteArray namedBytes = QFile::encodeName(named);
    if (::mkdir(namedBytes.constData(), 0700) == 0 || errno == EEXIST) {
        if (isPrivateFolder(named)) {
            m_folder = named;
            return m_folder;
        }
    }
    // The usual folder is taken by something that is not ours alone: make
    // a fresh one with a name nobody can guess.
    QByteArray pattern = QFile::encodeName(named + QStringLiteral("-XXXXXX"));
    if (char *made = ::mkdtemp(pattern.data())) {
        const QString fresh = QFile::decodeName(made);
        if (isPrivateFolder(fresh))
            m_folder = fresh;
    }
#else
    const QString named = m_root + QStringLiteral("/quillon");
    if (QDir().mkpath(named))
        m_folder = named;
#endif
    return m_folder;
}

QString PreviewFile::WritePreviewPage(const QString &head, const QString &body)
{
    const QString dir = folder();
    if (dir.isEmpty())
        throw PreviewWriteError(
            QStringLiteral("Cannot create file %1\r\nNo private folder for the preview could be made in %2.")
                .arg(m_root + QStringLiteral("/prev.html"), m_root)
                .toStdString());
    const QString path = dir + QStringLiteral("/prev.html");
    const SaveResult saved = saveFileAtomically(path, encodeText(composePreviewPage(head, body)), SaveDurability::NoSync);
    if (!saved)
        throw PreviewWriteError(QStringLiteral("Cannot create file %1\r\n%2").arg(path, saved.error).toStdString());
    return path;
}
