#pragma once
// The shape of a library tree for comparisons in tests: "depth:text" for
// every node in pre-order, walked independently of the code under test
// (and without recursion, since some trees are very deep).

#include "library/libraryindex.h"

#include <QStringList>

#include <vector>

inline QStringList shape(const LibraryTree &tree)
{
    QStringList out;
    struct Item {
        const LibraryNode *node;
        int depth;
    };
    std::vector<Item> stack;
    for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it)
        stack.push_back({it->get(), 0});
    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        out << QString::number(item.depth) + u':' + item.node->text;
        for (auto it = item.node->children.rbegin(); it != item.node->children.rend(); ++it)
            stack.push_back({it->get(), item.depth + 1});
    }
    return out;
}
