#pragma once
// An exclusive lock on a file that the system itself lets go of when the
// process ends, however it ends (a crash, kill -9, a power cut): a lock
// held means a running process holds it.  Two locks on one file exclude
// each other even inside one process.

#include <QString>

class FileLock {
public:
    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    /// Takes the lock without waiting, creating the file when it is not
    /// there.  False when another holds it or the file cannot be opened.
    bool tryLock();
    /// Lets go of the lock; the file stays.
    void unlock();
    /// Lets go of the lock and removes the file.
    void unlockAndRemove();
    bool isLocked() const { return m_fd >= 0; }
    QString path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};
