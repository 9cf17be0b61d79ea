#pragma once
// The content of the Languages tab's tree: JavaScript, VBScript and event
// handler elements, under three roots and their categories.  Two dots in a
// leaf's text mark where the argument goes ("history.go(..)"), and insertion
// puts the caret (or wraps the selection) there.
//
// The tree ships as resources/languages.txt: one node a line in depth-first
// order, two spaces of indent a level, the text, a tab and the name of the
// node's picture (one of languageImageNames()).

#include <QByteArrayView>
#include <QString>

#include <span>
#include <vector>

struct LanguageNode {
    QString text;
    int image = 0;  // index into languageImageNames()
    std::vector<LanguageNode> children;
};

struct LanguageTreeData {
    std::vector<LanguageNode> roots;
    QString error;  // empty when the whole data was read
};

/// The pictures of the tree, by index: the icon names of the program's
/// image set (0 method, 1 property, 2 reserved word, 3 window ... 16 event,
/// 17 JavaScript, 18 VBScript).
std::span<const char *const> languageImageNames();

/// Reads tree data; on a fault the error names the line, and no nodes are
/// returned.
LanguageTreeData parseLanguageTree(QByteArrayView data);

/// The tree the program ships.
LanguageTreeData readLanguageTree();

/// Whether a node only groups others, so that choosing it inserts nothing:
/// a root, or one of the category names ("Window", "Math", "Reserved
/// words"...).
bool isLanguageGroup(const QString &text, bool isRoot);
