#include "platform/savefile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace {

class QSaveFileTarget final : public SaveTarget {
public:
    explicit QSaveFileTarget(const QString &path) : m_file(path) {}
    bool open() override { return m_file.open(QIODevice::WriteOnly); }
    qint64 write(const char *data, qint64 size) override { return m_file.write(data, size); }
    bool flush() override { return m_file.flush(); }
    bool sync() override
    {
#ifdef Q_OS_UNIX
        const int fd = m_file.handle();
        if (fd < 0)
            return false;
        if (::fsync(fd) != 0) {
            m_syncError = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
#endif
        return true;
    }
    bool hasError() const override { return m_file.error() != QFileDevice::NoError; }
    QString errorString() const override { return m_syncError.isEmpty() ? m_file.errorString() : m_syncError; }
    bool commit() override { return m_file.commit(); }
    void cancel() override { m_file.cancelWriting(); }

private:
    QSaveFile m_file;
    QString m_syncError;
};

} // namespace

std::unique_ptr<SaveTarget> makeSaveTarget(const QString &path)
{
    return std::make_unique<QSaveFileTarget>(path);
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
    if (!target.commit())
        return {false, target.errorString()};
    return {true, {}};
}

SaveResult saveFileAtomically(const QString &path, const QByteArray &bytes, SaveDurability durability)
{
    auto target = makeSaveTarget(path);
    return writeThrough(*target, bytes, durability);
}
