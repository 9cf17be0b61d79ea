#include "library/userlibrary.h"

#include "document/scripttext.h"
#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unordered_map>

namespace {

const QString kIndexName = QStringLiteral("uscripts.dat");
const QString kBackupName = QStringLiteral("uscripts.dat.bak");
const QString kLockName = QStringLiteral("uscripts.lock");
const QString kFirstCategory = QStringLiteral("User scripts");

// A change takes milliseconds; a lock older than this was left by a copy
// that died on another machine (a dead copy on this one is noticed at once).
constexpr int kStaleLockMs = 10000;

bool isSpaceOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

/// The marks that reorder text on screen: a name holding one can show as
/// another ("gnp.js" in place of "sj.png").
bool isDirectionControl(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

/// Whether a character leaves a mark: spaces of every width, format
/// characters (zero-width space, joiners, byte-order mark) and the Hangul
/// fillers do not.
bool isVisible(char32_t c)
{
    if (c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || c == 0x2800)
        return false;
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate:
        return false;
    default:
        return true;
    }
}

/// Whether a text holds a surrogate without its partner.
bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

QString reasonOf(const TextFileRead &file)
{
    if (file.status == TextFileRead::Status::TooLarge)
        return QStringLiteral("the file is larger than %1 MiB").arg(kMaxTextFileBytes / (qint64(1024) * 1024));
    return unreadableReason(file);
}

/// Whether a name can be a file of the folder: names already in an index
/// stay usable even when a new name like them would be refused.
bool canBeFileName(const QString &name)
{
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || hasLoneSurrogate(name))
        return false;
    return std::none_of(name.begin(), name.end(), isControl);
}

} // namespace

// --- names ---------------------------------------------------------------------------

QString cleanScriptName(const QString &typed)
{
    qsizetype from = 0;
    qsizetype to = typed.size();
    while (from < to && isSpaceOrTab(typed[from]))
        ++from;
    while (to > from && isSpaceOrTab(typed[to - 1]))
        --to;
    return typed.mid(from, to - from);
}

NameProblem checkScriptName(const QString &name)
{
    if (hasLoneSurrogate(name))
        return NameProblem::InvalidText;
    if (name.isEmpty())
        return NameProblem::Empty;
    if (name.contains(u'\\'))
        return NameProblem::Backslash;
    if (name.contains(u'/'))
        return NameProblem::Slash;
    for (const QChar c : name)
        if (isControl(c))
            return NameProblem::ControlChar;
    const QList<uint> characters = name.toUcs4();
    if (std::none_of(characters.begin(), characters.end(), [](uint c) { return isVisible(c); }))
        return NameProblem::Empty;
    if (std::any_of(characters.begin(), characters.end(), [](uint c) { return isDirectionControl(c); }))
        return NameProblem::Direction;
    return NameProblem::None;
}

QString cleanCategoryName(const QString &edited)
{
    QString out;
    out.reserve(edited.size());
    for (qsizetype i = 0; i < edited.size(); ++i) {
        const QChar c = edited[i];
        if (c.isHighSurrogate() && i + 1 < edited.size() && edited[i + 1].isLowSurrogate()) {
            out += c;
            out += edited[++i];
            continue;
        }
        if (!isControl(c) && !c.isSurrogate() && !isDirectionControl(c.unicode()))
            out += c;
    }
    return out.trimmed();
}

QString duplicateScriptName(const QString &name, const LibraryTree &tree, const QSet<QString> &alsoTaken)
{
    // A copy of "clock (2)" is "clock (3)", not "clock (2) (2)".
    QString base = name;
    int number = 2;
    static const QRegularExpression numbered(QStringLiteral("^(.*\\S) \\((\\d{1,6})\\)$"));
    if (const QRegularExpressionMatch m = numbered.match(name); m.hasMatch()) {
        base = m.captured(1);
        number = std::max(2, m.captured(2).toInt() + 1);
    }
    for (;; ++number) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(base).arg(number);
        if (tree.scriptsNamed(candidate).empty() && !alsoTaken.contains(candidate.toCaseFolded()))
            return candidate;
    }
}

// --- the store ------------------------------------------------------------------------

UserLibraryStore::UserLibraryStore(const QString &folder) : m_folder(folder)
{
    if (!m_folder.isEmpty() && !m_folder.endsWith(u'/'))
        m_folder += u'/';
}

UserLibraryStore::~UserLibraryStore() = default;

QString UserLibraryStore::folder() const
{
    return m_folder;
}

QString UserLibraryStore::indexPath() const
{
    return m_folder + kIndexName;
}

QString UserLibraryStore::scriptPath(const QString &name) const
{
    return m_folder + name + QStringLiteral(".js");
}

QString UserLibraryStore::backupPath() const
{
    return m_backupPath.isEmpty() ? m_folder + kBackupName : m_backupPath;
}

QString UserLibraryStore::lockPath() const
{
    return m_folder + kLockName;
}

bool UserLibraryStore::folderExists() const
{
    return QFileInfo(m_folder).isDir();
}

std::unique_ptr<QLockFile> UserLibraryStore::tryLock() const
{
    // The lock is read to find its owner: a pipe in its place would block
    // that read, a link would lead it elsewhere.  The name is ours, so what
    // is not a plain file there is cleared away.
    const QString path = lockPath();
    const QFileInfo existing(path);
    if (existing.isSymLink() || (existing.exists() && !existing.isFile() && !existing.isDir()))
        QFile::remove(path);
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(kStaleLockMs);
    lock->tryLock(m_lockTimeoutMs);
    return lock;
}

IndexReadResult UserLibraryStore::adoptIndex(const QByteArray &bytes)
{
    // Another copy may have written scripts too.
    m_texts.clear();
    m_textsFilled = false;
    m_lastRead = readIndex(bytes, m_tree);
    m_knownIndex = bytes;
    m_knownIndexExists = true;
    m_indexReadInPart = m_lastRead.readInPart;
    if (m_indexReadInPart)
        m_backupPath = unusedBackupPath(indexPath());
    m_indexUnreadable = false;
    return m_lastRead;
}

UserLibraryStore::LoadResult UserLibraryStore::readIndexFile()
{
    LoadResult result;
    const TextFileRead file = readFileBytes(indexPath(), kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!file.ok()) {
        result.status = LoadResult::IndexUnreadable;
        result.error = reasonOf(file);
        m_knownIndex.clear();
        m_knownIndexExists = false;
        m_indexUnreadable = true;
        m_unreadableReason = result.error;
        m_indexReadInPart = false;
        m_lastRead = IndexReadResult{false, result.error, 0};
        return result;
    }
    const IndexReadResult read = adoptIndex(file.bytes);
    if (!read.ok) {
        result.status = LoadResult::InvalidIndex;
        result.error = read.error;
        result.failedLine = read.failedLine;
    } else if (read.readInPart) {
        result.status = LoadResult::IndexReadInPart;
        result.failedLine = read.stoppedAtLine;
    }
    return result;
}

UserLibraryStore::LoadResult UserLibraryStore::load()
{
    LoadResult result;
    bool created = false;
    if (!folderExists()) {
        QString why;
        // Another copy starting at the same moment may have made it first.
        if (!createFolder(&why) && !folderExists()) {
            result.status = LoadResult::FolderNotCreated;
            result.error = why;
            return result;
        }
        created = true;
    }
    // Temporary files that crashed saves left behind (never those of a copy
    // that is still writing).
    const int staleRemoved = removeStaleTemporaryFiles(m_folder);
    m_tree.clear();
    m_lastRead = IndexReadResult();
    m_knownIndex.clear();
    m_knownIndexExists = false;
    m_indexReadInPart = false;
    m_indexUnreadable = false;
    // A link in the index's place counts as an index (one that is refused).
    const auto indexPresent = [this] {
        const QFileInfo info(indexPath());
        return info.exists() || info.isSymLink();
    };
    const auto readExisting = [&] {
        LoadResult read = readIndexFile();
        read.staleFilesRemoved = staleRemoved;
        return read;
    };
    if (indexPresent())
        return readExisting();

    // A new index is written under the lock (when it can be had in time),
    // and only when no other copy wrote one meanwhile.
    const std::unique_ptr<QLockFile> lock = tryLock();
    if (indexPresent())
        return readExisting();
    result.staleFilesRemoved = staleRemoved;
    if (created)
        m_tree.addRoot(kFirstCategory);
    result.status = created ? LoadResult::FolderCreated : LoadResult::EmptyIndexCreated;
    const SaveOutcome written = writeIndexFile();
    if (!written.ok) {
        result.status = LoadResult::IndexNotWritten;
        result.error = written.error;
    }
    return result;
}

bool UserLibraryStore::indexUnreadable() const
{
    // One removed since can be written again.
    const QFileInfo info(indexPath());
    return m_indexUnreadable && (info.exists() || info.isSymLink());
}

bool UserLibraryStore::changedOnDisk() const
{
    const QFileInfo info(indexPath());
    if (!info.exists())
        return m_knownIndexExists;
    if (!m_knownIndexExists)
        return true;
    if (info.isSymLink() || !info.isFile() || info.size() != m_knownIndex.size())
        return true;
    const TextFileRead file = readFileBytes(indexPath(), kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!file.ok())
        return false;  // cannot tell; keep what we have
    return file.bytes != m_knownIndex;
}

bool UserLibraryStore::reloadIfChanged()
{
    if (!changedOnDisk())
        return false;
    if (!QFileInfo::exists(indexPath())) {
        // Removed by hand or with its folder: the tree in memory is now the
        // only copy, and the next write brings the index back.
        m_knownIndex.clear();
        m_knownIndexExists = false;
        return false;
    }
    const TextFileRead file = readFileBytes(indexPath(), kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!file.ok()) {
        // What is there now cannot be read: keep the tree, and leave that
        // file alone until it can be read again.
        m_knownIndex.clear();
        m_knownIndexExists = false;
        m_indexUnreadable = true;
        m_unreadableReason = reasonOf(file);
        m_indexReadInPart = false;
        return false;
    }
    adoptIndex(file.bytes);
    return true;
}

QString UserLibraryStore::lockFailureReason() const
{
    // QLockFile keeps the system's reason to itself: a lock's worth of
    // bytes written beside the lock file (and thrown away) finds it.
    const std::unique_ptr<SaveTarget> probe = makeSaveTarget(lockPath(), LinkPolicy::Refuse);
    const QByteArray bytes(4096, ' ');
    const SaveResult written = [&]() -> SaveResult {
        if (!probe->open())
            return {false, probe->errorString()};
        if (probe->write(bytes.constData(), bytes.size()) != bytes.size() || probe->hasError() || !probe->sync())
            return {false, probe->errorString()};
        return {true, {}};
    }();
    probe->cancel();
    if (!written.ok && !written.error.isEmpty())
        return written.error;
    return QStringLiteral("the lock file %1 could not be made").arg(lockPath());
}

UserLibraryStore::Change::~Change() = default;

std::unique_ptr<UserLibraryStore::Change> UserLibraryStore::beginChange()
{
    std::unique_ptr<Change> change(new Change);
    if (!folderExists()) {
        // No folder, no lock and no index to re-read: the write that
        // follows reports the missing folder.
        change->m_locked = true;
        return change;
    }
    std::unique_ptr<QLockFile> lock = tryLock();
    if (lock->isLocked()) {
        change->m_lock = std::move(lock);
        change->m_locked = true;
    } else if (lock->error() == QLockFile::PermissionError) {
        // Nothing can be created in the folder, so no copy can change it
        // either: go on, and the write reports the system's reason.
        change->m_locked = true;
    } else if (lock->error() == QLockFile::UnknownError) {
        // Not another copy: the lock file could not be made or written
        // (a full disk, a quota).
        change->m_error = lockFailureReason();
    }
    if (change->m_locked)
        change->m_reloaded = reloadIfChanged();
    return change;
}

// --- finding nodes again -----------------------------------------------------------------

NodeRef UserLibraryStore::refOf(const LibraryNode *node) const
{
    NodeRef ref;
    std::vector<const LibraryNode *> chain;
    for (const LibraryNode *n = node; n; n = n->parent)
        chain.push_back(n);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        ref.rows << m_tree.rowOf(*it);
        ref.texts << (*it)->text;
    }
    return ref;
}

LibraryNode *UserLibraryStore::resolve(const NodeRef &ref) const
{
    if (ref.texts.isEmpty() || ref.rows.size() != ref.texts.size())
        return nullptr;

    // The same place with the same texts.
    const std::vector<std::unique_ptr<LibraryNode>> *level = &m_tree.roots;
    LibraryNode *node = nullptr;
    for (qsizetype i = 0; i < ref.texts.size(); ++i) {
        const int row = ref.rows[i];
        if (row < 0 || std::size_t(row) >= level->size() || (*level)[row]->text != ref.texts[i]) {
            node = nullptr;
            break;
        }
        node = (*level)[row].get();
        level = &node->children;
    }
    if (node)
        return node;

    // The first node with the same texts along the way.
    level = &m_tree.roots;
    for (qsizetype i = 0; i < ref.texts.size(); ++i) {
        LibraryNode *found = nullptr;
        for (const auto &candidate : *level)
            if (candidate->text == ref.texts[i]) {
                found = candidate.get();
                break;
            }
        node = found;
        if (!found)
            break;
        level = &found->children;
    }
    if (node)
        return node;

    // A script is its name, wherever another copy put it.
    if (ref.texts.size() >= 2) {
        const std::vector<LibraryNode *> named = m_tree.scriptsNamed(ref.texts.back());
        if (!named.empty())
            return named.front();
    }
    return nullptr;
}

// --- writing and reading files ----------------------------------------------------------

UserLibraryStore::SaveOutcome UserLibraryStore::writeIndexFile()
{
    SaveOutcome outcome;
    if (!folderExists()) {
        outcome.folderMissing = true;
        outcome.error = QStringLiteral("The folder %1 does not exist").arg(m_folder);
        return outcome;
    }
    if (indexUnreadable()) {
        // Writing the tree over a file that could not be read would lose
        // whatever it holds.
        outcome.error = QStringLiteral("The index %1 could not be read, so it is not overwritten").arg(indexPath());
        return outcome;
    }
    if (m_indexReadInPart && m_knownIndexExists && QFileInfo::exists(indexPath())) {
        // The tree holds only the lines before the bad one; the rest of the
        // old index survives in the copy.
        const QString backup = backupPath();
        const SaveResult kept =
            saveFileAtomically(backup, m_knownIndex, SaveDurability::Sync, LinkPolicy::Refuse);
        if (!kept.ok) {
            outcome.error = QStringLiteral("A copy of the index could not be kept in %1: %2").arg(backup, kept.error);
            return outcome;
        }
    }
    const QByteArray bytes = writeIndex(m_tree);
    const SaveResult saved = saveFileAtomically(indexPath(), bytes, SaveDurability::Sync, LinkPolicy::Refuse);
    if (!saved.ok) {
        outcome.error = saved.error;
        outcome.folderMissing = !folderExists();
        return outcome;
    }
    outcome.ok = true;
    m_knownIndex = bytes;
    m_knownIndexExists = true;
    m_indexReadInPart = false;
    m_indexUnreadable = false;
    return outcome;
}

UserLibraryStore::SaveOutcome UserLibraryStore::writeScriptFile(const QString &name, const QString &head,
                                                                const QString &body)
{
    return writeScriptBytes(name, encodeText(composeScriptFile(head, body)));
}

UserLibraryStore::SaveOutcome UserLibraryStore::writeScriptBytes(const QString &name, const QByteArray &bytes)
{
    SaveOutcome outcome;
    if (!canBeFileName(name)) {
        outcome.error = QStringLiteral("\"%1\" cannot be the name of a script file").arg(name);
        return outcome;
    }
    if (!folderExists()) {
        outcome.folderMissing = true;
        outcome.error = QStringLiteral("The folder %1 does not exist").arg(m_folder);
        return outcome;
    }
    const SaveResult saved = saveFileAtomically(scriptPath(name), bytes, SaveDurability::Sync, LinkPolicy::Refuse);
    if (saved.ok) {
        // The copy holds the text as it reads back from the file.
        const ScriptFragments stored = readScriptBytes(bytes);
        m_texts.put(name, stored.head, stored.body);
    }
    outcome.ok = saved.ok;
    outcome.error = saved.error;
    outcome.folderMissing = !saved.ok && !folderExists();
    return outcome;
}

bool UserLibraryStore::createFolder(QString *error)
{
    std::error_code failure;
    const std::filesystem::path path(QFile::encodeName(m_folder).toStdString());
    std::filesystem::create_directory(path, failure);
    if (!failure && folderExists())
        return true;
    if (error) {
        const QString why = failure ? QString::fromLocal8Bit(failure.message()) : QStringLiteral("it is not a folder");
        *error = QStringLiteral("The folder %1 could not be created: %2").arg(m_folder, why);
    }
    return false;
}

bool UserLibraryStore::removeScriptFile(const QString &name)
{
    if (!canBeFileName(name))
        return false;
    m_texts.remove(name);
    return QFile::remove(scriptPath(name));
}

UserLibraryStore::ScriptRead UserLibraryStore::readScript(const QString &name) const
{
    ScriptRead read;
    if (!canBeFileName(name))
        return read;
    const TextFileRead file = readFileBytes(scriptPath(name), kMaxTextFileBytes, LinkPolicy::Refuse);
    read.status = file.status;
    if (!file.ok())
        return read;
    const ScriptFragments fragments = readScriptBytes(file.bytes);
    read.head = fragments.head;
    read.body = fragments.body;
    m_texts.put(name, read.head, read.body);
    return read;
}

const ScriptTexts &UserLibraryStore::scriptTexts()
{
    if (!m_textsFilled) {
        for (const LibraryNode *script : m_tree.scripts())
            if (!m_texts.find(script->text))
                readScript(script->text);
        m_textsFilled = true;
    }
    return m_texts;
}

const ScriptTexts::Entry *UserLibraryStore::scriptText(const QString &name)
{
    if (const ScriptTexts::Entry *entry = m_texts.find(name))
        return entry;
    if (!readScript(name).ok())
        return nullptr;
    return m_texts.find(name);
}

// --- renaming and copying scripts -------------------------------------------------------

UserLibraryStore::RenameOutcome UserLibraryStore::renameScript(LibraryNode *script, const QString &newName,
                                                               LibraryNode *replaced)
{
    RenameOutcome outcome;
    outcome.problem = checkScriptName(newName);
    if (outcome.problem != NameProblem::None || !script || script->isCategory())
        return outcome;
    const QString oldName = script->text;
    if (newName == oldName) {
        outcome.status = RenameOutcome::Renamed;
        return outcome;
    }
    const TextFileRead file = readFileBytes(scriptPath(oldName), kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!canBeFileName(oldName) || !file.ok()) {
        outcome.status = RenameOutcome::FileMissing;
        outcome.error = canBeFileName(oldName) ? reasonOf(file) : QString();
        return outcome;
    }
    const bool caseOnly = oldName.compare(newName, Qt::CaseInsensitive) == 0;
    if (caseOnly) {
        // One file whose name changes case: where names are told apart by
        // case the new name is a file of its own until the old one goes, and
        // where they are not, a copy would be the same file.  The file is
        // renamed, and named back when the index cannot follow.
        std::error_code failure;
        const auto path = [](const QString &p) { return std::filesystem::path(QFile::encodeName(p).toStdString()); };
        std::filesystem::rename(path(scriptPath(oldName)), path(scriptPath(newName)), failure);
        if (failure) {
            outcome.status = RenameOutcome::FileNotWritten;
            outcome.error = QString::fromLocal8Bit(failure.message());
            return outcome;
        }
        script->text = newName;
        const SaveOutcome written = writeIndexFile();
        if (!written.ok) {
            script->text = oldName;
            std::filesystem::rename(path(scriptPath(newName)), path(scriptPath(oldName)), failure);
            outcome.status = RenameOutcome::IndexNotWritten;
            outcome.error = written.error;
            return outcome;
        }
        m_texts.rename(oldName, newName);
        outcome.status = RenameOutcome::Renamed;
        return outcome;
    }

    // The file under its new name is there before the index names it, and
    // the old one goes after the index no longer does: a crash in between
    // leaves a stray file, never an entry without its file.  What a
    // replaced script's file held is kept until the index is written, to be
    // put back if it cannot be.
    if (replaced == script)
        replaced = nullptr;
    const TextFileRead replacedFile =
        replaced ? readFileBytes(scriptPath(replaced->text), kMaxTextFileBytes, LinkPolicy::Refuse) : TextFileRead();
    const auto fsPath = [](const QString &p) { return std::filesystem::path(QFile::encodeName(p).toStdString()); };
    const SaveResult copied =
        saveFileAtomically(scriptPath(newName), file.bytes, SaveDurability::Sync, LinkPolicy::Refuse);
    if (!copied.ok) {
        outcome.status = RenameOutcome::FileNotWritten;
        outcome.error = copied.error;
        return outcome;
    }
    std::unique_ptr<LibraryNode> removed;
    LibraryNode *replacedParent = nullptr;
    std::size_t replacedRow = 0;
    if (replaced) {
        replacedParent = replaced->parent;
        replacedRow = std::size_t(m_tree.rowOf(replaced));
        auto &siblings = replacedParent->children;
        removed = std::move(siblings[replacedRow]);
        siblings.erase(siblings.begin() + qsizetype(replacedRow));
    }
    script->text = newName;
    const SaveOutcome written = writeIndexFile();
    if (!written.ok) {
        script->text = oldName;
        std::error_code failure;
        const bool sameFile = removed && std::filesystem::equivalent(fsPath(scriptPath(removed->text)),
                                                                     fsPath(scriptPath(newName)), failure);
        if (!sameFile)
            QFile::remove(scriptPath(newName));
        if (removed) {
            if (replacedFile.ok())
                saveFileAtomically(scriptPath(removed->text), replacedFile.bytes, SaveDurability::Sync,
                                   LinkPolicy::Refuse);
            auto &siblings = replacedParent->children;
            siblings.insert(siblings.begin() + qsizetype(replacedRow), std::move(removed));
        }
        outcome.status = RenameOutcome::IndexNotWritten;
        outcome.error = written.error;
        return outcome;
    }
    if (removed && removed->text != newName) {
        // The replaced script's file under its own spelling, where letter
        // case makes it another file than the one just written.
        std::error_code failure;
        if (!std::filesystem::equivalent(fsPath(scriptPath(removed->text)), fsPath(scriptPath(newName)), failure) &&
            !failure)
            QFile::remove(scriptPath(removed->text));
    }
    QFile::remove(scriptPath(oldName));
    if (removed)
        m_texts.remove(removed->text);
    m_texts.remove(oldName);
    const ScriptFragments stored = readScriptBytes(file.bytes);
    m_texts.put(newName, stored.head, stored.body);
    outcome.status = RenameOutcome::Renamed;
    return outcome;
}

LibraryNode *UserLibraryStore::duplicateScript(LibraryNode *script, QString *error)
{
    const auto fail = [error](const QString &why) -> LibraryNode * {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!script || script->isCategory())
        return fail(QString());
    const QString name = script->text;
    const TextFileRead file = readFileBytes(scriptPath(name), kMaxTextFileBytes, LinkPolicy::Refuse);
    if (!canBeFileName(name) || !file.ok())
        return fail(QStringLiteral("Cannot copy selected script. Its file is missing or corrupted"));
    const QString copyName = duplicateScriptName(name, m_tree);
    if (QFileInfo(scriptPath(copyName)).isSymLink())
        return fail(QStringLiteral("%1 is a link").arg(scriptPath(copyName)));
    const SaveResult copied =
        saveFileAtomically(scriptPath(copyName), file.bytes, SaveDurability::Sync, LinkPolicy::Refuse);
    if (!copied.ok)
        return fail(copied.error);
    LibraryNode *category = script->parent;
    auto node = std::make_unique<LibraryNode>();
    node->text = copyName;
    node->parent = category;
    LibraryNode *added = node.get();
    const auto at = category->children.begin() + m_tree.rowOf(script) + 1;
    category->children.insert(at, std::move(node));
    const SaveOutcome written = writeIndexFile();
    if (!written.ok) {
        m_tree.remove(added);
        QFile::remove(scriptPath(copyName));
        return fail(written.error);
    }
    const ScriptFragments stored = readScriptBytes(file.bytes);
    m_texts.put(copyName, stored.head, stored.body);
    return added;
}

// --- moving and deleting scripts --------------------------------------------------------------

UserLibraryStore::Arrangement UserLibraryStore::arrangementOf(const std::vector<LibraryNode *> &parents) const
{
    Arrangement arrangement;
    for (LibraryNode *parent : parents) {
        const bool known = std::any_of(arrangement.levels.begin(), arrangement.levels.end(),
                                       [parent](const auto &level) { return level.first == parent; });
        if (known)
            continue;
        const auto &children = parent ? parent->children : m_tree.roots;
        std::vector<LibraryNode *> order;
        order.reserve(children.size());
        for (const auto &child : children)
            order.push_back(child.get());
        arrangement.levels.emplace_back(parent, std::move(order));
    }
    return arrangement;
}

void UserLibraryStore::restore(const Arrangement &arrangement, std::vector<std::unique_ptr<LibraryNode>> *loose)
{
    std::unordered_map<LibraryNode *, std::unique_ptr<LibraryNode>> pool;
    for (const auto &[parent, order] : arrangement.levels) {
        auto &children = parent ? parent->children : m_tree.roots;
        for (auto &child : children)
            pool.emplace(child.get(), std::move(child));
        children.clear();
    }
    if (loose) {
        for (auto &node : *loose)
            pool.emplace(node.get(), std::move(node));
        loose->clear();
    }
    for (const auto &[parent, order] : arrangement.levels) {
        auto &children = parent ? parent->children : m_tree.roots;
        for (LibraryNode *node : order) {
            const auto it = pool.find(node);
            if (it == pool.end())
                continue;
            node->parent = parent;
            children.push_back(std::move(it->second));
        }
    }
}

UserLibraryStore::SaveOutcome UserLibraryStore::writeRearranged(const Arrangement &before,
                                                                std::vector<std::unique_ptr<LibraryNode>> *loose)
{
    if (m_knownIndexExists && !m_indexReadInPart && writeIndex(m_tree) == m_knownIndex &&
        QFileInfo::exists(indexPath()))
        return {true, false, {}};
    SaveOutcome written = writeIndexFile();
    if (!written.ok)
        restore(before, loose);
    return written;
}

namespace {

/// Takes node out of its siblings.
std::unique_ptr<LibraryNode> takeOut(std::vector<std::unique_ptr<LibraryNode>> &siblings, const LibraryNode *node)
{
    for (auto it = siblings.begin(); it != siblings.end(); ++it)
        if (it->get() == node) {
            std::unique_ptr<LibraryNode> taken = std::move(*it);
            siblings.erase(it);
            return taken;
        }
    return nullptr;
}

/// The first of siblings from node on that is not one of moving.
LibraryNode *firstStaying(const std::vector<std::unique_ptr<LibraryNode>> &siblings, LibraryNode *node,
                          const QSet<const LibraryNode *> &moving)
{
    if (!node)
        return nullptr;
    auto it = std::find_if(siblings.begin(), siblings.end(), [node](const auto &c) { return c.get() == node; });
    while (it != siblings.end() && moving.contains(it->get()))
        ++it;
    return it == siblings.end() ? nullptr : it->get();
}

/// Puts nodes before the sibling before (nullptr: at the end).
void putBefore(std::vector<std::unique_ptr<LibraryNode>> &siblings, const LibraryNode *before,
               std::vector<std::unique_ptr<LibraryNode>> nodes)
{
    auto at = std::find_if(siblings.begin(), siblings.end(), [before](const auto &c) { return c.get() == before; });
    siblings.insert(at, std::make_move_iterator(nodes.begin()), std::make_move_iterator(nodes.end()));
}

}  // namespace

UserLibraryStore::SaveOutcome UserLibraryStore::moveScripts(const std::vector<LibraryNode *> &scripts,
                                                            LibraryNode *category, LibraryNode *before)
{
    SaveOutcome outcome;
    QSet<const LibraryNode *> moving;
    for (const LibraryNode *script : scripts) {
        if (!script || script->isCategory() || moving.contains(script))
            return outcome;
        moving.insert(script);
    }
    if (!category || !category->isCategory() || (before && before->parent != category) || m_tree.rowOf(category) < 0)
        return outcome;
    std::vector<LibraryNode *> parents{category};
    for (const LibraryNode *script : scripts)
        parents.push_back(script->parent);
    const Arrangement was = arrangementOf(parents);

    before = firstStaying(category->children, before, moving);
    std::vector<std::unique_ptr<LibraryNode>> taken;
    taken.reserve(scripts.size());
    for (LibraryNode *script : scripts) {
        taken.push_back(takeOut(script->parent->children, script));
        script->parent = category;
    }
    putBefore(category->children, before, std::move(taken));
    return writeRearranged(was);
}

UserLibraryStore::SaveOutcome UserLibraryStore::moveCategory(LibraryNode *category, LibraryNode *before)
{
    if (!category || !category->isCategory() || m_tree.rowOf(category) < 0 || (before && !before->isCategory()))
        return {};
    const Arrangement was = arrangementOf({nullptr});
    before = firstStaying(m_tree.roots, before, {category});
    std::vector<std::unique_ptr<LibraryNode>> taken;
    taken.push_back(takeOut(m_tree.roots, category));
    putBefore(m_tree.roots, before, std::move(taken));
    return writeRearranged(was);
}

UserLibraryStore::SaveOutcome UserLibraryStore::removeScripts(const std::vector<LibraryNode *> &scripts,
                                                              QStringList *notRemoved)
{
    QSet<const LibraryNode *> seen;
    std::vector<LibraryNode *> parents;
    for (const LibraryNode *script : scripts) {
        if (!script || script->isCategory() || seen.contains(script))
            return {};
        seen.insert(script);
        parents.push_back(script->parent);
    }
    const Arrangement was = arrangementOf(parents);
    std::vector<std::unique_ptr<LibraryNode>> taken;
    taken.reserve(scripts.size());
    for (LibraryNode *script : scripts)
        taken.push_back(takeOut(script->parent->children, script));
    const SaveOutcome written = writeRearranged(was, &taken);
    if (!written.ok)
        return written;
    for (const auto &script : taken)
        if (!removeScriptFile(script->text) && notRemoved)
            *notRemoved << script->text;
    return written;
}
