#pragma once
// TRE_Wlasne: the user library's tree.  Categories at the top level (a
// closed folder, open while expanded or selected), scripts below them; the
// labels of both can be edited in place (F2, a slow second click).  Nodes
// can be dragged onto an editor; of what is dropped on the tree only script
// files from the file manager are taken (libraryfiledrop.h).  Enter
// asks to open the selected script, Delete to delete the selection.

#include <QTreeWidget>

class UserLibraryTree final : public QTreeWidget {
    Q_OBJECT
public:
    explicit UserLibraryTree(QWidget *parent = nullptr);

    static bool isCategory(const QTreeWidgetItem *item) { return item && !item->parent(); }
    static bool isScript(const QTreeWidgetItem *item) { return item && item->parent(); }

    /// A category item with its images and in-place editing.
    QTreeWidgetItem *newCategoryItem(const QString &text) const;
    /// A script item under parent.
    QTreeWidgetItem *newScriptItem(QTreeWidgetItem *parent, const QString &text) const;
    /// The images of a category follow its state.
    void updateImage(QTreeWidgetItem *item) const;
    /// The selected item (the current one, when it is selected).
    QTreeWidgetItem *selectedItem() const;
    /// Selects an item, making it visible (its category expands).
    void selectItem(QTreeWidgetItem *item);

signals:
    void focusEntered();
    /// Enter on a script.
    void openRequested();
    /// Delete on a node.
    void deleteRequested();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent *event) override;
};
