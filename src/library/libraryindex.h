#pragma once
// The user library's index file, uscripts.dat: one line per tree node in
// pre-order, each line its node's level as that many spaces followed by the
// node's text, every line ended by CR LF.  Categories are the top-level
// nodes, scripts their children.
//
// A hand-edited index may nest far deeper than two levels; nothing here
// walks or destroys the tree by recursion, so any depth is safe.

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

/// One node of the user library tree: a category (top level) or a script.
struct LibraryNode {
    QString text;
    LibraryNode *parent = nullptr;  // nullptr for a top-level node
    std::vector<std::unique_ptr<LibraryNode>> children;

    LibraryNode() = default;
    /// Destroys the whole subtree without recursion.
    ~LibraryNode();
    LibraryNode(const LibraryNode &) = delete;
    LibraryNode &operator=(const LibraryNode &) = delete;

    bool isCategory() const { return parent == nullptr; }
    /// Appends a child and hands it back.
    LibraryNode *addChild(const QString &text);
};

/// The user library tree: its top-level nodes in index order.
class LibraryTree {
public:
    LibraryTree() = default;
    ~LibraryTree();
    LibraryTree(const LibraryTree &) = delete;
    LibraryTree &operator=(const LibraryTree &) = delete;

    std::vector<std::unique_ptr<LibraryNode>> roots;

    /// Appends a top-level node and hands it back.
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
    /// The position of a node among its siblings (-1 when it is not there).
    int rowOf(const LibraryNode *node) const;
};

/// How reading an index ended.
struct IndexReadResult {
    bool ok = true;
    QString error;       // "Invalid TreeNode Level" when a line's level does not fit
    int failedLine = 0;  // the 1-based line that stopped the reading, 0 when none did
    /// Lines that hold something were left unread: after a bad level, a NUL
    /// byte or a line holding only 0x1A.  A rewrite of the index from the
    /// tree would lose them.
    bool readInPart = false;
    int stoppedAtLine = 0;  // the 1-based line where the reading stopped, when readInPart
};

/// The index text for a tree; an empty tree gives no bytes.  A node text is
/// written so that it reads back as the same node: line breaks and NULs are
/// dropped from it, and leading spaces and tabs (which would read as a
/// deeper level) are left out.
QByteArray writeIndex(const LibraryTree &tree);

/// Reads an index into tree (emptied first), up to the first NUL.  Each line
/// is decoded on its own, as UTF-8 when valid, else as Windows-1250, so one
/// line of an older installation leaves the others' letters alone.  Lines end
/// at CR LF, a lone CR or a lone LF; a line holding only 0x1A ends the
/// reading; spaces and tabs each count one level.  On a level that does not
/// fit, reading stops with the error and the nodes read so far stay.
IndexReadResult readIndex(const QByteArray &bytes, LibraryTree &tree);
