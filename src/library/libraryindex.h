#pragma once
// The user library's index file, uscripts.dat: one line per tree node in
// pre-order, each line its node's level as that many spaces followed by the
// node's text, every line ended by CR LF.  Categories are the top-level
// nodes, scripts their children.

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct LibraryNode {
    QString text;
    LibraryNode *parent = nullptr;  // nullptr for a top-level node
    std::vector<std::unique_ptr<LibraryNode>> children;

    bool isCategory() const { return parent == nullptr; }
    LibraryNode *addChild(const QString &text);
};

class LibraryTree {
public:
    LibraryTree() = default;
    ~LibraryTree();
    LibraryTree(const LibraryTree &) = delete;
    LibraryTree &operator=(const LibraryTree &) = delete;

    std::vector<std::unique_ptr<LibraryNode>> roots;

    LibraryNode *addRoot(const QString &text);
    /// Removes every node (without recursion, however deep the tree).
    void clear();
    bool isEmpty() const { return roots.empty(); }
    /// Removes the node (and whatever hangs below it).
    void remove(LibraryNode *node);
    /// Every script node (a node below a category), in tree order.
    std::vector<LibraryNode *> scripts() const;
    /// The scripts whose name equals name without regard to letter case.
    std::vector<LibraryNode *> scriptsNamed(const QString &name) const;
    int nodeCount() const;
    /// The position of a node among its siblings.
    int rowOf(const LibraryNode *node) const;
};

struct IndexReadResult {
    bool ok = true;
    QString error;  // "Invalid TreeNode Level" when a line's level does not fit
};

/// The index text for a tree; an empty tree gives no bytes.
QByteArray writeIndex(const LibraryTree &tree);

/// Reads an index into tree (emptied first).  Lines end at CR LF, a lone
/// CR or a lone LF; a line holding only 0x1A ends the reading; spaces and
/// tabs each count one level.  On a level that does not fit, reading stops
/// with the error and the nodes read so far stay.
IndexReadResult readIndex(const QByteArray &bytes, LibraryTree &tree);
