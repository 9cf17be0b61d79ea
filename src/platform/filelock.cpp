#include "platform/filelock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

FileLock::FileLock(QString path) : m_path(std::move(path)) {}

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    const QByteArray name = QFile::encodeName(m_path);
    // A holder that removes the file (unlockAndRemove) may do so between
    // our open and our flock: the lock taken is then on a file no longer
    // at the path, which a third process could create and lock anew.  Such
    // a lock is let go and the path opened again.
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int fd;
        do {
            fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return false;
        // flock locks belong to the open file, so a second FileLock on the
        // same path, in this process or another, is refused.
        int result;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            ::close(fd);
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::lstat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
    return false;
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

void FileLock::unlockAndRemove()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so no other process can take a lock on the
    // name in between and then lose its file.
    QFile::remove(m_path);
    unlock();
}
