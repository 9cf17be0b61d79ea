#pragma once
// TRE_JS, the Languages tab's tree of insertable elements.  It is
// read-only: nodes can be dragged onto an editor (as a copy, the tree
// keeps them), nothing can be dropped on it.

#include <QTreeWidget>

#include <vector>

struct LanguageNode;

class LanguageTreeWidget final : public QTreeWidget {
    Q_OBJECT
public:
    explicit LanguageTreeWidget(QWidget *parent = nullptr);

    /// Puts nodes into the (empty) tree, with their pictures.
    void fill(const std::vector<LanguageNode> &roots);
    /// The selected item (the current one, when it is selected).
    QTreeWidgetItem *selectedItem() const;
    /// Whether choosing item inserts nothing (a root or a category).
    static bool isGroup(const QTreeWidgetItem *item);

signals:
    /// Enter on a node: the same as a double click.
    void insertRequested();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void keyPressEvent(QKeyEvent *event) override;
};
