#pragma once
// The built-in library as the rest of the window sees it: its tree
// TRE_Skrypty.  The catalogue's settings pages and its generator come
// later; until then the tree lists the scripts but is not in use, so no
// script of it is ever selected.

#include <QObject>

class QTreeWidget;

class BuiltInLibrary final : public QObject {
    Q_OBJECT
public:
    explicit BuiltInLibrary(QTreeWidget *tree, QObject *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    /// The id of the selected script, or -1.
    int selectedId() const;
    /// Whether the script selected in the tree is "Browser exit", which the
    /// embedded browser refuses to show.
    bool isBrowserExitSelected() const;

private:
    QTreeWidget *m_tree;
};
