#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kTempMarker = QStringLiteral(".qtmp-");
constexpr qint64 kStaleTemporaryMs = 60 * 60 * 1000;

/// The host part of a temporary name: letters, digits, dots and dashes.
QString hostTag()
{
    static const QString tag = [] {
        QString host = QSysInfo::machineHostName();
        QString out;
        for (const QChar c : host)
            if ((c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u'-')
                out += c;
        return out.isEmpty() ? QStringLiteral("host") : out.left(64);
    }();
    return tag;
}

const QRegularExpression &temporaryNamePattern()
{
    // ".<name>.qtmp-<pid>-<host>-<six letters>"
    static const QRegularExpression pattern(QStringLiteral("^\\..*\\.qtmp-([0-9]+)-([A-Za-z0-9.-]+)-[A-Za-z0-9]{6}$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

QString randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString out;
    for (int i = 0; i < 6; ++i)
        out += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return out;
}

QString temporaryPathFor(const QString &target)
{
    const QFileInfo info(target);
    return info.path() + QStringLiteral("/.") + info.fileName() + kTempMarker +
           QString::number(QCoreApplication::applicationPid()) + u'-' + hostTag() + u'-' + randomSuffix();
}

#ifdef Q_OS_UNIX

/// Writes through a temporary file of ours beside the target, renamed over
/// it at the end.  rename() replaces a link at the target instead of the
/// file it leads to, so what a refused link cannot redirect this either.
class PosixSaveTarget final : public SaveTarget {
public:
    PosixSaveTarget(const QString &path, LinkPolicy links) : m_path(path), m_links(links) {}
    ~PosixSaveTarget() override { cancel(); }

    bool open() override
    {
        QByteArray target = QFile::encodeName(m_path);
        mode_t mode = 0666;
        bool keepMode = false;
        struct stat st = {};
        if (::lstat(target.constData(), &st) == 0) {
            if (S_ISLNK(st.st_mode)) {
                if (m_links == LinkPolicy::Refuse)
                    return fail(refusedLinkText(m_path));
                // A path the user chose: the file the link leads to is saved.
                const QFileInfo link(m_path);
                QString resolved = link.canonicalFilePath();
                if (resolved.isEmpty())
                    resolved = link.symLinkTarget();
                m_path = resolved;
                target = QFile::encodeName(m_path);
                if (::stat(target.constData(), &st) != 0)
                    st = {};
            }
            if (st.st_mode != 0 && !S_ISREG(st.st_mode))
                return fail(QStringLiteral("%1 is not a regular file").arg(m_path));
            if (st.st_mode != 0) {
                mode = st.st_mode & 07777;
                keepMode = true;
            }
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_tempPath = temporaryPathFor(m_path);
            m_fd = ::open(QFile::encodeName(m_tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          0666);
            if (m_fd >= 0)
                break;
            if (errno != EEXIST) {
                m_tempPath.clear();
                return fail(systemErrorText(errno));
            }
        }
        if (m_fd < 0) {
            m_tempPath.clear();
            return fail(QStringLiteral("no temporary file could be made beside %1").arg(m_path));
        }
        // An existing file keeps its permissions.
        if (keepMode)
            ::fchmod(m_fd, mode);
        return true;
    }

    qint64 write(const char *data, qint64 size) override
    {
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fail(systemErrorText(errno));
                break;
            }
            if (n == 0)
                break;
            done += n;
        }
        return done;
    }

    bool flush() override { return !m_failed; }

    bool sync() override
    {
        if (::fsync(m_fd) != 0)
            return fail(systemErrorText(errno));
        return true;
    }

    bool hasError() const override { return m_failed; }
    QString errorString() const override { return m_error; }

    bool commit() override
    {
        if (m_fd < 0 || m_failed)
            return false;
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            fail(systemErrorText(errno));
            removeTemporary();
            return false;
        }
        if (::rename(QFile::encodeName(m_tempPath).constData(), QFile::encodeName(m_path).constData()) != 0) {
            fail(systemErrorText(errno));
            removeTemporary();
            return false;
        }
        m_tempPath.clear();
        // The new name reaches the disk with the folder.
        const int dir = ::open(QFile::encodeName(QFileInfo(m_path).path()).constData(), O_RDONLY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return true;
    }

    void cancel() override
    {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
        removeTemporary();
    }

private:
    bool fail(const QString &why)
    {
        if (!m_failed) {
            m_failed = true;
            m_error = why;
        }
        return false;
    }

    void removeTemporary()
    {
        if (!m_tempPath.isEmpty()) {
            ::unlink(QFile::encodeName(m_tempPath).constData());
            m_tempPath.clear();
        }
    }

    QString m_path;
    LinkPolicy m_links;
    QString m_tempPath;
    int m_fd = -1;
    bool m_failed = false;
    QString m_error;
};

bool processIsGone(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return true;
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

#else

class QSaveFileTarget final : public SaveTarget {
public:
    QSaveFileTarget(const QString &path, LinkPolicy links) : m_file(path), m_path(path), m_links(links) {}
    bool open() override
    {
        if (m_links == LinkPolicy::Refuse && QFileInfo(m_path).isSymLink()) {
            m_refused = refusedLinkText(m_path);
            return false;
        }
        return m_file.open(QIODevice::WriteOnly);
    }
    qint64 write(const char *data, qint64 size) override { return m_file.write(data, size); }
    bool flush() override { return m_file.flush(); }
    bool sync() override { return true; }
    bool hasError() const override { return m_file.error() != QFileDevice::NoError; }
    QString errorString() const override { return m_refused.isEmpty() ? m_file.errorString() : m_refused; }
    bool commit() override { return m_file.commit(); }
    void cancel() override { m_file.cancelWriting(); }

private:
    QSaveFile m_file;
    QString m_path;
    LinkPolicy m_links;
    QString m_refused;
};

bool processIsGone(qint64)
{
    return false;
}

#endif

} // namespace

std::unique_ptr<SaveTarget> makeSaveTarget(const QString &path, LinkPolicy links)
{
#ifdef Q_OS_UNIX
    return std::make_unique<PosixSaveTarget>(path, links);
#else
    return std::make_unique<QSaveFileTarget>(path, links);
#endif
}

SaveResult writeThrough(SaveTarget &target, const QByteArray &bytes, SaveDurability durability)
{
    if (!target.open())
        return {false, target.errorString()};

    // A device that takes fewer bytes than it was given has failed (a full
    // disk, a file-size limit): nothing of it may replace the old file.
    const qint64 written = target.write(bytes.constData(), bytes.size());
    if (written != bytes.size() || target.hasError()) {
        const QString why = target.hasError() ? target.errorString()
                                              : QStringLiteral("only %1 of %2 bytes could be written").arg(qMax<qint64>(written, 0)).arg(bytes.size());
        target.cancel();
        return {false, why};
    }
    if (!target.flush() || target.hasError()) {
        const QString why = target.errorString();
        target.cancel();
        return {false, why.isEmpty() ? QStringLiteral("the data could not be flushed") : why};
    }
    if (durability == SaveDurability::Sync && !target.sync()) {
        const QString why = target.errorString();
        target.cancel();
        return {false, why.isEmpty() ? QStringLiteral("the data could not reach the disk") : why};
    }
    if (!target.commit()) {
        const QString why = target.errorString();
        return {false, why.isEmpty() ? QStringLiteral("the file could not be replaced") : why};
    }
    return {true, {}};
}

SaveResult saveFileAtomically(const QString &path, const QByteArray &bytes, SaveDurability durability, LinkPolicy links)
{
    auto target = makeSaveTarget(path, links);
    return writeThrough(*target, bytes, durability);
}

bool isSaveTemporaryName(const QString &fileName)
{
    return temporaryNamePattern().match(fileName).hasMatch();
}

int removeStaleTemporaryFiles(const QString &folder, StaleTemporaries which)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral(".*") + kTempMarker + u'*'},
                                            QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    int removed = 0;
    for (const QString &name : names) {
        const QRegularExpressionMatch match = temporaryNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        const QFileInfo info(dir.filePath(name));
        const bool old =
            which == StaleTemporaries::GoneOrOld && now - info.lastModified().toMSecsSinceEpoch() > kStaleTemporaryMs;
        const bool orphan = match.captured(2) == hostTag() && processIsGone(match.captured(1).toLongLong());
        if ((old || orphan) && QFile::remove(info.filePath()))
            ++removed;
    }
    return removed;
}

void ignoreFileSizeLimitSignal()
{
#ifdef Q_OS_UNIX
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
#endif
}
