#include "library/libraryindex.h"

#include "platform/textfile.h"

#include <QStringView>

LibraryNode *LibraryNode::addChild(const QString &childText)
{
    auto node = std::make_unique<LibraryNode>();
    node->text = childText;
    node->parent = this;
    children.push_back(std::move(node));
    return children.back().get();
}

LibraryNode *LibraryTree::addRoot(const QString &text)
{
    auto node = std::make_unique<LibraryNode>();
    node->text = text;
    roots.push_back(std::move(node));
    return roots.back().get();
}

namespace {

std::vector<std::unique_ptr<LibraryNode>> *siblingsOf(LibraryTree &tree, LibraryNode *node)
{
    return node->parent ? &node->parent->children : &tree.roots;
}

// Destroys a subtree without recursion, however deep it is.
void destroyFlat(std::unique_ptr<LibraryNode> node)
{
    std::vector<std::unique_ptr<LibraryNode>> pending;
    pending.push_back(std::move(node));
    while (!pending.empty()) {
        std::unique_ptr<LibraryNode> next = std::move(pending.back());
        pending.pop_back();
        for (auto &child : next->children)
            pending.push_back(std::move(child));
        next->children.clear();
    }
}

template <typename Visit>
void preOrder(const LibraryTree &tree, Visit visit)
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

void LibraryTree::clear()
{
    for (auto &root : roots)
        destroyFlat(std::move(root));
    roots.clear();
}

LibraryTree::~LibraryTree()
{
    clear();
}

void LibraryTree::remove(LibraryNode *node)
{
    auto *siblings = siblingsOf(*this, node);
    for (auto it = siblings->begin(); it != siblings->end(); ++it) {
        if (it->get() == node) {
            std::unique_ptr<LibraryNode> taken = std::move(*it);
            siblings->erase(it);
            destroyFlat(std::move(taken));
            return;
        }
    }
}

std::vector<LibraryNode *> LibraryTree::scripts() const
{
    std::vector<LibraryNode *> out;
    preOrder(*this, [&](LibraryNode *node, int level) {
        if (level > 0)
            out.push_back(node);
    });
    return out;
}

std::vector<LibraryNode *> LibraryTree::scriptsNamed(const QString &name) const
{
    std::vector<LibraryNode *> out;
    preOrder(*this, [&](LibraryNode *node, int level) {
        if (level > 0 && node->text.compare(name, Qt::CaseInsensitive) == 0)
            out.push_back(node);
    });
    return out;
}

int LibraryTree::nodeCount() const
{
    int count = 0;
    preOrder(*this, [&](LibraryNode *, int) { ++count; });
    return count;
}

int LibraryTree::rowOf(const LibraryNode *node) const
{
    const auto &siblings = node->parent ? node->parent->children : roots;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == node)
            return int(i);
    return -1;
}

QByteArray writeIndex(const LibraryTree &tree)
{
    QString text;
    preOrder(tree, [&](LibraryNode *node, int level) {
        text += QString(level, u' ');
        text += node->text;
        text += u"\r\n";
    });
    return encodeText(text);
}

IndexReadResult readIndex(const QByteArray &bytes, LibraryTree &tree)
{
    tree.clear();
    const QString text = decodeText(joinLinesWithCrLf(bytes));
    IndexReadResult result;
    LibraryNode *previous = nullptr;  // the node of the line before
    int previousLevel = 0;
    bool first = true;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(u"\r\n", at);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(at, end - at);
        at = end + 2;
        if (line.size() == 1 && line.front() == QChar(0x1A))
            break;
        qsizetype level = 0;
        while (level < line.size() && (line[level] == u' ' || line[level] == u'\t'))
            ++level;
        const QString nodeText = line.mid(level).toString();

        LibraryNode *parent = nullptr;
        if (first || level == previousLevel + 1) {
            parent = previous;
        } else if (level <= previousLevel) {
            // Up from the previous node P - L + 1 times.
            LibraryNode *reached = previous;
            for (qsizetype step = 0; step < previousLevel - level + 1; ++step) {
                if (!reached) {
                    result.ok = false;
                    break;
                }
                reached = reached->parent;
            }
            if (!result.ok)
                break;
            parent = reached;
        } else {
            result.ok = false;
            break;
        }
        previous = parent ? parent->addChild(nodeText) : tree.addRoot(nodeText);
        // The level the next line is measured against is the node's real
        // depth when the first line was indented.
        previousLevel = int(level);
        first = false;
    }
    if (!result.ok)
        result.error = QStringLiteral("Invalid TreeNode Level");
    return result;
}
