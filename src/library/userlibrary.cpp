#include "library/userlibrary.h"

#include "document/scripttext.h"
#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

const QString kIndexName = QStringLiteral("uscripts.dat");
const QString kLockName = QStringLiteral("uscripts.lock");

bool isSpaceOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QString cleanScriptName(const QString &typed)
{
    qsizetype from = 0, to = typed.size();
    while (from < to && isSpaceOrTab(typed[from]))
        ++from;
    while (to > from && isSpaceOrTab(typed[to - 1]))
        --to;
    return typed.mid(from, to - from);
}

NameProblem checkScriptName(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    if (name.contains(u'\\'))
        return NameProblem::Backslash;
    if (name.contains(u'/'))
        return NameProblem::Slash;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return NameProblem::ControlChar;
    return NameProblem::None;
}

QString cleanCategoryName(const QString &edited)
{
    QString out;
    out.reserve(edited.size());
    for (const QChar c : edited)
        if (c.category() != QChar::Other_Control && c != QChar::LineSeparator && c != QChar::ParagraphSeparator)
            out += c;
    return out.trimmed();
}

NodeRef UserLibraryStore::refOf(const LibraryNode *node) const
{
    NodeRef ref;
    if (!node)
        return ref;
    std::vector<const LibraryNode *> chain;
    for (const LibraryNode *n = node; n; n = n->parent)
        chain.push_back(n);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        ref.rows << m_tree.rowOf(*it);
        ref.texts << (*it)->text;
    }
    return ref;
}

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

UserLibraryStore::LoadResult UserLibraryStore::load()
{
    LoadResult result;
    const QFileInfo folderInfo(m_folder);
    if (!folderInfo.isDir()) {
        if (!QDir().mkdir(m_folder)) {
            result.status = LoadResult::FolderNotCreated;
            return result;
        }
        m_tree.clear();
        m_tree.addRoot(QStringLiteral("User scripts"));
        result.status = LoadResult::FolderCreated;
        if (!writeIndexFile().ok)
            result.status = LoadResult::IndexNotWritten;
        return result;
    }
    m_tree.clear();
    if (!QFileInfo::exists(indexPath())) {
        result.status = LoadResult::EmptyIndexCreated;
        if (!writeIndexFile().ok)
            result.status = LoadResult::IndexNotWritten;
        return result;
    }
    const TextFileRead file = readFileBytes(indexPath());
    if (!file.ok()) {
        result.status = LoadResult::IndexUnreadable;
        result.error = file.error;
        m_knownIndex.clear();
        m_knownIndexExists = false;
        return result;
    }
    m_knownIndex = file.bytes;
    m_knownIndexExists = true;
    const IndexReadResult read = readIndex(file.bytes, m_tree);
    if (!read.ok) {
        result.status = LoadResult::InvalidIndex;
        result.error = read.error;
    }
    return result;
}

bool UserLibraryStore::changedOnDisk() const
{
    QFile file(indexPath());
    if (!file.exists())
        return m_knownIndexExists;
    if (!file.open(QIODevice::ReadOnly))
        return false;  // cannot tell; keep what we have
    if (!m_knownIndexExists)
        return true;
    if (file.size() != m_knownIndex.size())
        return true;
    return file.readAll() != m_knownIndex;
}

bool UserLibraryStore::reloadIfChanged()
{
    if (!changedOnDisk())
        return false;
    const TextFileRead file = readFileBytes(indexPath());
    if (!file.ok()) {
        if (!QFileInfo::exists(indexPath())) {
            m_tree.clear();
            m_knownIndex.clear();
            m_knownIndexExists = false;
            return true;
        }
        return false;
    }
    m_knownIndex = file.bytes;
    m_knownIndexExists = true;
    readIndex(file.bytes, m_tree);
    return true;
}

UserLibraryStore::Change::~Change() = default;

std::unique_ptr<UserLibraryStore::Change> UserLibraryStore::beginChange()
{
    std::unique_ptr<Change> change(new Change);
    if (!QFileInfo(m_folder).isDir()) {
        // No folder, no lock to take: the write that follows reports it.
        change->m_locked = true;
        return change;
    }
    change->m_lock = std::make_unique<QLockFile>(m_folder + kLockName);
    change->m_lock->setStaleLockTime(30000);
    change->m_locked = change->m_lock->tryLock(3000);
    if (change->m_locked)
        change->m_reloaded = reloadIfChanged();
    return change;
}

LibraryNode *UserLibraryStore::resolve(const NodeRef &ref) const
{
    if (ref.texts.isEmpty())
        return nullptr;
    // First by place and texts.
    const std::vector<std::unique_ptr<LibraryNode>> *level = &m_tree.roots;
    LibraryNode *node = nullptr;
    bool placed = true;
    for (int i = 0; i < ref.texts.size(); ++i) {
        const int row = ref.rows.value(i, -1);
        LibraryNode *found = nullptr;
        if (row >= 0 && row < int(level->size()) && (*level)[row]->text == ref.texts[i])
            found = (*level)[row].get();
        if (!found)
            for (const auto &candidate : *level)
                if (candidate->text == ref.texts[i]) {
                    found = candidate.get();
                    break;
                }
        if (!found) {
            placed = false;
            break;
        }
        node = found;
        level = &node->children;
    }
    if (placed)
        return node;
    // A script is found by its name anywhere (names are unique).
    if (ref.texts.size() >= 2) {
        const auto named = m_tree.scriptsNamed(ref.texts.back());
        if (!named.empty())
            return named.front();
    }
    return nullptr;
}

UserLibraryStore::SaveOutcome UserLibraryStore::writeIndexFile()
{
    SaveOutcome outcome;
    const QByteArray bytes = writeIndex(m_tree);
    const SaveResult saved = saveFileAtomically(indexPath(), bytes);
    outcome.ok = saved.ok;
    outcome.error = saved.error;
    outcome.folderMissing = !saved.ok && !QFileInfo(m_folder).isDir();
    if (saved.ok) {
        m_knownIndex = bytes;
        m_knownIndexExists = true;
    }
    return outcome;
}

UserLibraryStore::SaveOutcome UserLibraryStore::writeScriptFile(const QString &name, const QString &head,
                                                                const QString &body)
{
    SaveOutcome outcome;
    if (checkScriptName(name) != NameProblem::None) {
        outcome.error = QStringLiteral("The name \"%1\" cannot be a file name").arg(name);
        return outcome;
    }
    if (!QFileInfo(m_folder).isDir()) {
        outcome.folderMissing = true;
        outcome.error = QStringLiteral("The folder %1 does not exist").arg(m_folder);
        return outcome;
    }
    const SaveResult saved = saveFileAtomically(scriptPath(name), encodeText(composeScriptFile(head, body)));
    outcome.ok = saved.ok;
    outcome.error = saved.error;
    outcome.folderMissing = !saved.ok && !QFileInfo(m_folder).isDir();
    return outcome;
}

bool UserLibraryStore::createFolder(QString *error)
{
    if (QFileInfo(m_folder).isDir() || QDir().mkdir(m_folder))
        return true;
    if (error)
        *error = QStringLiteral("The folder %1 could not be created").arg(m_folder);
    return false;
}

bool UserLibraryStore::removeScriptFile(const QString &name)
{
    if (checkScriptName(name) != NameProblem::None)
        return false;
    return QFile::remove(scriptPath(name));
}

UserLibraryStore::ScriptRead UserLibraryStore::readScript(const QString &name) const
{
    ScriptRead read;
    if (checkScriptName(name) != NameProblem::None)
        return read;
    const TextFileRead file = readFileBytes(scriptPath(name));
    if (!file.ok())
        return read;
    const ScriptFragments fragments = readScriptBytes(file.bytes);
    read.ok = true;
    read.head = fragments.head;
    read.body = fragments.body;
    return read;
}
