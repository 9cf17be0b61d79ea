#include "document/recoveryfiles.h"

#include "platform/fileaccess.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("recovery-");

QString lockPathOf(const QString &scriptPath)
{
    return scriptPath.chopped(3) + QStringLiteral(".lock");
}

} // namespace

RecoveryFiles::RecoveryFiles(QString folder, qint64 processId) : m_folder(std::move(folder)), m_processId(processId) {}

QString RecoveryFiles::ownPath() const
{
    return m_folder + kPrefix + QString::number(m_processId) + QStringLiteral(".js");
}

SaveResult RecoveryFiles::claim()
{
    if (!enabled())
        return {false, QStringLiteral("no folder for recovery files")};
    if (m_lock && m_lock->isLocked())
        return {true, {}};
    if (!QDir().mkpath(m_folder))
        return {false, QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(m_folder))};
    m_lock = std::make_unique<FileLock>(lockPathOf(ownPath()));
    if (!m_lock->tryLock())
        return {false, QStringLiteral("cannot lock %1").arg(QDir::toNativeSeparators(m_lock->path()))};
    return {true, {}};
}

QByteArray RecoveryFiles::encode(const ScriptFragments &script)
{
    return encodeText(composeScriptFile(script.head, script.body));
}

ScriptFragments RecoveryFiles::decode(const QByteArray &bytes)
{
    // The script file format puts a CR LF between the HEAD fragment and
    // the BODY marker; reading it back takes that line break off again, so
    // the fragments come back exactly as they were written.
    const QString text = QString::fromUtf8(bytes);
    ScriptFragments script;
    const QString headStart = kHeadMarker + u"\r\n";
    const QString bodyMarker = u"\r\n" + kBodyMarker + u"\r\n";
    if (!text.startsWith(headStart))
        return splitScriptText(text);
    const qsizetype body = text.indexOf(bodyMarker, headStart.size() - 2);
    if (body < 0)
        return splitScriptText(text);
    if (body >= headStart.size())
        script.head = text.mid(headStart.size(), body - headStart.size());
    script.body = text.mid(body + bodyMarker.size());
    return script;
}

SaveResult RecoveryFiles::write(const QByteArray &bytes) const
{
    if (!enabled())
        return {false, QStringLiteral("no folder for recovery files")};
    // Synced like every file of the user's work: the file is there for a
    // power cut as much as for a crash.
    return saveFileAtomically(ownPath(), bytes, SaveDurability::Sync, LinkPolicy::Refuse);
}

void RecoveryFiles::remove() const
{
    if (enabled())
        QFile::remove(ownPath());
}

QList<OrphanedScript> RecoveryFiles::takeOrphans() const
{
    QList<OrphanedScript> orphans;
    if (!enabled())
        return orphans;
    static const QRegularExpression name(QStringLiteral("^recovery-(\\d+)\\.js$"));
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({kPrefix + QStringLiteral("*.js")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        if (!match.hasMatch() || match.captured(1).toLongLong() == m_processId)
            continue;
        auto lock = std::make_shared<FileLock>(lockPathOf(file.filePath()));
        if (!lock->tryLock())
            continue;  // its copy is still running, or another copy is offering it now
        const TextFileRead read = readFileBytes(file.filePath(), kMaxTextFileBytes, LinkPolicy::Refuse);
        if (!read.ok())
            continue;
        orphans.append({file.filePath(), file.lastModified(), decode(read.bytes), lock});
    }
    std::sort(orphans.begin(), orphans.end(),
              [](const OrphanedScript &a, const OrphanedScript &b) { return a.written < b.written; });
    return orphans;
}

void RecoveryFiles::discard(OrphanedScript &orphan)
{
    QFile::remove(orphan.path);
    if (orphan.lock)
        orphan.lock->unlockAndRemove();
    orphan.lock.reset();
}

void RecoveryFiles::keep(OrphanedScript &orphan)
{
    if (orphan.lock)
        orphan.lock->unlockAndRemove();
    orphan.lock.reset();
}
