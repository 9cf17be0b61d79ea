#pragma once
// TRE_Wlasne: the user library's tree.  Categories at the top level (a
// closed folder, open while expanded or selected), scripts below them; the
// labels of both can be edited in place (F2, a slow second click).  Nodes
// can be dragged onto an editor, and within the tree: scripts onto another
// category or a place among its scripts, a category to another place among
// the categories.  Of what else is dropped on the tree only script files
// from the file manager are taken (libraryfiledrop.h).  Enter asks to open
// the selected script, Delete to delete the selection.

#include <QTreeWidget>

class UserLibraryTree final : public QTreeWidget {
    Q_OBJECT
public:
    explicit UserLibraryTree(QWidget *parent = nullptr);

    /// The format that marks a drag of this tree's nodes (a drag's source
    /// is only known to the program that started it).
    static constexpr const char *kNodesFormat = "application/x-quillon-library-nodes";

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
    /// Selects an item and no other, making it visible (its category
    /// expands).
    void selectItem(QTreeWidgetItem *item);

    /// Where dragged nodes would land: scripts go into category before the
    /// script before (nullptr: at its end); a category goes before the
    /// category before (nullptr: last), category being nullptr then.
    struct DropPlace {
        bool valid = false;
        QTreeWidgetItem *category = nullptr;
        QTreeWidgetItem *before = nullptr;
    };
    /// The place for the selected nodes dropped at a point of the viewport.
    DropPlace dropPlaceAt(const QPoint &at) const;
    /// The selected nodes, in tree order.
    QList<QTreeWidgetItem *> selectedInOrder() const;

signals:
    void focusEntered();
    /// Enter on a script.
    void openRequested();
    /// Delete on a node.
    void deleteRequested();
    /// Nodes of the tree were dropped on it.
    void nodesDropped(const QList<QTreeWidgetItem *> &dragged, const UserLibraryTree::DropPlace &place);

protected:
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    void focusInEvent(QFocusEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    /// Whether a drag carries this tree's own nodes, to be moved.
    bool isOwnDrag(const QDropEvent *event) const;
    /// Takes a drag of the tree's own nodes; false for any other.
    bool takesDrag(QDropEvent *event);
    /// The line (or, for the end of a closed category, the box) that shows
    /// where a drop lands.
    QRect markOf(const DropPlace &place) const;

    QRect m_dropMark;
};
