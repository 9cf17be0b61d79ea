#include "library/libraryindex.h"

#include "platform/textfile.h"

#include <QStringList>
#include <QStringView>

// --- nodes and the tree ------------------------------------------------------------

LibraryNode::~LibraryNode()
{
    // A chain of unique_ptr members would be destroyed by one nested call
    // per level; take the subtree apart level by level instead, so every
    // node dies with no children left.
    std::vector<std::unique_ptr<LibraryNode>> pending = std::move(children);
    children.clear();
    while (!pending.empty()) {
        std::unique_ptr<LibraryNode> next = std::move(pending.back());
        pending.pop_back();
        for (auto &child : next->children)
            pending.push_back(std::move(child));
        next->children.clear();
    }
}

LibraryNode *LibraryNode::addChild(const QString &childText)
{
    auto node = std::make_unique<LibraryNode>();
    node->text = childText;
    node->parent = this;
    children.push_back(std::move(node));
    return children.back().get();
}

LibraryTree::~LibraryTree() = default;

LibraryNode *LibraryTree::addRoot(const QString &text)
{
    auto node = std::make_unique<LibraryNode>();
    node->text = text;
    roots.push_back(std::move(node));
    return roots.back().get();
}

void LibraryTree::clear()
{
    roots.clear();
}

void LibraryTree::remove(LibraryNode *node)
{
    if (!node)
        return;
    auto &siblings = node->parent ? node->parent->children : roots;
    for (auto it = siblings.begin(); it != siblings.end(); ++it) {
        if (it->get() == node) {
            std::unique_ptr<LibraryNode> taken = std::move(*it);
            siblings.erase(it);
            return;  // taken destroys the subtree
        }
    }
}

namespace {

/// Calls visit(node, level) for every node in pre-order, with an explicit
/// stack.
template <typename Visit>
void forEachInPreOrder(const LibraryTree &tree, Visit visit)
{
    struct Item {
        LibraryNode *node;
        int level;
    };
    std::vector<Item> stack;
    for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it)
        stack.push_back({it->get(), 0});
    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        visit(item.node, item.level);
        for (auto it = item.node->children.rbegin(); it != item.node->children.rend(); ++it)
            stack.push_back({it->get(), item.level + 1});
    }
}

} // namespace

std::vector<LibraryNode *> LibraryTree::scripts() const
{
    std::vector<LibraryNode *> out;
    forEachInPreOrder(*this, [&](LibraryNode *node, int level) {
        if (level > 0)
            out.push_back(node);
    });
    return out;
}

std::vector<LibraryNode *> LibraryTree::scriptsNamed(const QString &name) const
{
    std::vector<LibraryNode *> out;
    forEachInPreOrder(*this, [&](LibraryNode *node, int level) {
        if (level > 0 && node->text.compare(name, Qt::CaseInsensitive) == 0)
            out.push_back(node);
    });
    return out;
}

int LibraryTree::nodeCount() const
{
    int count = 0;
    forEachInPreOrder(*this, [&](LibraryNode *, int) { ++count; });
    return count;
}

int LibraryTree::rowOf(const LibraryNode *node) const
{
    if (!node)
        return -1;
    const auto &siblings = node->parent ? node->parent->children : roots;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node)
            return int(i);
    return -1;
}

// --- the index text ------------------------------------------------------------------

namespace {

/// The text of a node as its index line holds it after the indentation.
QString lineTextOf(const QString &text, int level)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // A line break would split the line, a NUL would end the reading.
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            continue;
        // Leading blanks would read as a deeper level.
        if (out.isEmpty() && (c == u' ' || c == u'\t'))
            continue;
        out += c;
    }
    // A top-level line holding only 0x1A would end the reading there.
    if (level == 0 && out.size() == 1 && out.front() == QChar(0x1A))
        out.clear();
    return out;
}

bool needsCleaning(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (text.front() == u' ' || text.front() == u'\t' || (text.size() == 1 && text.front() == QChar(0x1A)))
        return true;
    for (const QChar c : text)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            return true;
    return false;
}

} // namespace

QByteArray writeIndex(const LibraryTree &tree)
{
    QByteArray out;
    forEachInPreOrder(tree, [&](LibraryNode *node, int level) {
        out.append(qsizetype(level), ' ');
        out.append(needsCleaning(node->text) ? encodeText(lineTextOf(node->text, level)) : encodeText(node->text));
        out.append("\r\n", 2);
    });
    return out;
}

namespace {

/// Whether bytes hold anything but line breaks, blanks, NULs and 0x1A.
bool holdsText(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != '\0' && c != '\x1a')
            return true;
    return false;
}

/// The lines of the index, decoded: the whole text at once when it is all
/// UTF-8 (the usual case), else line by line.
QStringList decodedLines(const QByteArray &joined)
{
    QStringList lines;
    TextEncoding used = TextEncoding::Utf8;
    const QString whole = decodeText(joined, &used);
    if (used == TextEncoding::Utf8) {
        const QStringView all(whole);
        qsizetype at = 0;
        while (at < all.size()) {
            qsizetype end = all.indexOf(u"\r\n", at);
            if (end < 0)
                end = all.size();
            lines << all.sliced(at, end - at).toString();
            at = end + 2;
        }
        return lines;
    }
    QByteArrayView rest(joined);
    if (rest.startsWith("\xef\xbb\xbf"))
        rest = rest.sliced(3);
    qsizetype at = 0;
    while (at < rest.size()) {
        qsizetype end = rest.indexOf(QByteArrayView("\r\n"), at);
        if (end < 0)
            end = rest.size();
        lines << decodeLine(rest.sliced(at, end - at));
        at = end + 2;
    }
    return lines;
}

} // namespace

IndexReadResult readIndex(const QByteArray &bytes, LibraryTree &tree)
{
    tree.clear();
    IndexReadResult result;
    const QByteArray joined = joinLinesWithCrLf(bytes);
    const QStringList lines = decodedLines(joined);

    LibraryNode *previous = nullptr;  // the node of the line before; nullptr before the first
    qsizetype previousLevel = 0;
    int lineNumber = 0;
    bool stopped = false;
    for (const QString &text : lines) {
        const QStringView line(text);
        ++lineNumber;

        if (line.size() == 1 && line.front() == QChar(0x1A)) {
            stopped = true;
            break;
        }
        qsizetype level = 0;
        while (level < line.size() && (line[level] == u' ' || line[level] == u'\t'))
            ++level;

        // Before the first line the level counts as 0, so a first line may
        // be indented once (it still becomes a top-level node) but not twice.
        if (level > previousLevel + 1) {
            result.ok = false;
            break;
        }
        LibraryNode *parent = nullptr;
        if (!previous) {
            parent = nullptr;
        } else if (level == previousLevel + 1) {
            parent = previous;
        } else {
            // Up from the node before, once per level it is not deeper than
            // this line, and once more.
            LibraryNode *reached = previous;
            for (qsizetype steps = previousLevel - level + 1; steps > 0; --steps) {
                if (!reached) {
                    result.ok = false;
                    break;
                }
                reached = reached->parent;
            }
            if (!result.ok)
                break;
            parent = reached;
        }
        const QString nodeText = line.sliced(level).toString();
        previous = parent ? parent->addChild(nodeText) : tree.addRoot(nodeText);
        previousLevel = level;
    }
    if (!result.ok) {
        result.error = QStringLiteral("Invalid TreeNode Level");
        result.failedLine = lineNumber;
        result.readInPart = true;
        result.stoppedAtLine = lineNumber;
        return result;
    }
    // What follows a 0x1A line or a NUL byte is not read; when it holds
    // anything, the index was read only in part.
    bool leftUnread = false;
    if (stopped)
        for (qsizetype i = lineNumber; i < lines.size() && !leftUnread; ++i)
            leftUnread = holdsText(lines[i].toUtf8());
    if (!leftUnread) {
        const qsizetype nul = bytes.indexOf('\0');
        if (nul >= 0 && holdsText(QByteArrayView(bytes).sliced(nul))) {
            leftUnread = true;
            // The line that holds the NUL.
            if (!stopped)
                lineNumber = 1;
            for (qsizetype i = 0; i < nul && !stopped; ++i)
                if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= nul || bytes[i + 1] != '\n')))
                    ++lineNumber;
        }
    }
    if (leftUnread) {
        result.readInPart = true;
        result.stoppedAtLine = lineNumber;
    }
    return result;
}
