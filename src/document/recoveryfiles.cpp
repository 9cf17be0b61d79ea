#include "document/recoveryfiles.h"

#include "platform/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("recovery-");
const QString kLineBreak = QStringLiteral("\r\n");
// Names tried after a copy's own pid is taken: recovery-<pid>-1 and on.
constexpr int kNamesPerProcess = 100;

QString lockPathOf(const QString &scriptPath)
{
    return scriptPath.chopped(3) + QStringLiteral(".lock");
}

// A line of HEAD that starts with any number of backslashes and then the
// BODY marker: stored with one backslash more.
bool startsWithEscapedMarker(QStringView line)
{
    qsizetype at = 0;
    while (at < line.size() && line[at] == u'\\')
        ++at;
    return line.sliced(at).startsWith(kBodyMarker);
}

QString escapeHead(const QString &head)
{
    if (!head.contains(kBodyMarker))
        return head;
    QStringList lines = head.split(kLineBreak);
    for (QString &line : lines) {
        if (startsWithEscapedMarker(line))
            line.prepend(u'\\');
    }
    return lines.join(kLineBreak);
}

QString unescapeHead(const QString &head)
{
    if (!head.contains(kBodyMarker))
        return head;
    QStringList lines = head.split(kLineBreak);
    for (QString &line : lines) {
        if (line.startsWith(u'\\') && startsWithEscapedMarker(line))
            line.remove(0, 1);
    }
    return lines.join(kLineBreak);
}

QString tooLargeText()
{
    return QStringLiteral("the script is larger than %1 MiB").arg(RecoveryFiles::kMaxFileBytes / (1024 * 1024));
}

} // namespace

RecoveryFiles::RecoveryFiles(QString folder, qint64 processId) : m_folder(std::move(folder)), m_processId(processId) {}

SaveResult RecoveryFiles::claim()
{
    if (!enabled())
        return {false, QStringLiteral("no folder for recovery files")};
    if (m_lock && m_lock->isLocked())
        return {true, {}};
    if (!QDir().mkpath(m_folder))
        return {false, QStringLiteral("cannot make the folder %1").arg(QDir::toNativeSeparators(m_folder))};
    const QString own = m_folder + kPrefix + QString::number(m_processId);
    for (int n = 0; n < kNamesPerProcess; ++n) {
        const QString path = (n == 0 ? own : own + u'-' + QString::number(n)) + QStringLiteral(".js");
        auto lock = std::make_unique<FileLock>(lockPathOf(path));
        if (!lock->tryLock())
            continue;  // a running copy's name
        // Nobody else holds the lock: a file of this name was left by a
        // copy that is gone, and is offered back, never written over.
        const QFileInfo file(path);
        if (file.exists() || file.isSymLink()) {
            lock->unlock();
            continue;
        }
        m_lock = std::move(lock);
        m_ownPath = path;
        return {true, {}};
    }
    return {false, QStringLiteral("cannot lock %1").arg(QDir::toNativeSeparators(lockPathOf(own + QStringLiteral(".js"))))};
}

void RecoveryFiles::release()
{
    if (!m_lock)
        return;
    remove();
    m_lock->unlockAndRemove();
    m_lock.reset();
    m_ownPath.clear();
}

QByteArray RecoveryFiles::encode(const ScriptFragments &script)
{
    return encodeText(composeScriptFile(escapeHead(script.head), script.body));
}

ScriptFragments RecoveryFiles::decode(const QByteArray &bytes)
{
    // The script file format puts a CR LF between the HEAD fragment and
    // the BODY marker; reading it back takes that line break off again, so
    // the fragments come back exactly as they were written.
    const QString text = QString::fromUtf8(bytes);
    ScriptFragments script;
    const QString headStart = kHeadMarker + kLineBreak;
    const QString bodyMarker = kLineBreak + kBodyMarker + kLineBreak;
    if (!text.startsWith(headStart))
        return splitScriptText(text);
    const qsizetype body = text.indexOf(bodyMarker, headStart.size() - 2);
    if (body < 0)
        return splitScriptText(text);
    if (body >= headStart.size())
        script.head = unescapeHead(text.mid(headStart.size(), body - headStart.size()));
    script.body = text.mid(body + bodyMarker.size());
    return script;
}

SaveResult RecoveryFiles::write(const QByteArray &bytes) const
{
    if (!enabled())
        return {false, QStringLiteral("no folder for recovery files")};
    if (m_ownPath.isEmpty())
        return {false, QStringLiteral("no recovery file of this copy")};
    // A file the next start would not read is not written: the one there
    // keeps the last script that fitted.
    if (!fits(bytes))
        return {false, tooLargeText()};
    // Synced like every file of the user's work: the file is there for a
    // power cut as much as for a crash.
    return saveFileAtomically(m_ownPath, bytes, SaveDurability::Sync, LinkPolicy::Refuse);
}

void RecoveryFiles::remove() const
{
    if (enabled() && !m_ownPath.isEmpty())
        QFile::remove(m_ownPath);
}

QList<OrphanedScript> RecoveryFiles::takeOrphans(QStringList *unreadable) const
{
    QList<OrphanedScript> orphans;
    if (!enabled())
        return orphans;
    static const QRegularExpression name(QStringLiteral("^recovery-\\d+(-\\d+)?\\.js$"));
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({kPrefix + QStringLiteral("*.js")}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        if (!name.match(file.fileName()).hasMatch())
            continue;
        // This copy's own file is skipped here too: its lock is held.
        auto lock = std::make_shared<FileLock>(lockPathOf(file.filePath()));
        if (!lock->tryLock())
            continue;  // its copy is still running, or another copy is offering it now
        const TextFileRead read = readFileBytes(file.filePath(), kMaxFileBytes, LinkPolicy::Refuse);
        if (!read.ok()) {
            if (unreadable) {
                *unreadable << QStringLiteral("%1: %2").arg(
                    QDir::toNativeSeparators(file.filePath()),
                    read.status == TextFileRead::Status::TooLarge ? tooLargeText() : read.error);
            }
            continue;
        }
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
