#pragma once
// TRE_Wlasne: the user library's tree.  Categories at the top level (a
// closed folder, open while expanded or selected; their labels can be
// edited in place), scripts below them.  Nodes can be dragged onto an
// editor; nothing can be dropped on the tree.

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

protected:
    void focusInEvent(QFocusEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent *event) override;
};
