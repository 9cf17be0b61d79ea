#include "library/userlibrarytree.h"

#include "widgets/actions.h"

#include <QKeyEvent>

UserLibraryTree::UserLibraryTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TRE_Wlasne"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAcceptDrops(false);
    setExpandsOnDoubleClick(true);
    setStatusTip(QStringLiteral("Your own scripts, in categories"));

    // The selection stays visible while the tree does not have the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(this, &QTreeWidget::itemExpanded, this, &UserLibraryTree::updateImage);
    connect(this, &QTreeWidget::itemCollapsed, this, &UserLibraryTree::updateImage);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *now, QTreeWidgetItem *before) {
        if (before)
            updateImage(before);
        if (now)
            updateImage(now);
    });
}

namespace {

// One icon object each, shared by every node: a library holds thousands.
const QIcon &treeIcon(int which)
{
    static const QIcon icons[3] = {appIcon(QStringLiteral("PRJ_CLOSE")), appIcon(QStringLiteral("PRJ_OPEN")),
                                   appIcon(QStringLiteral("JSKRYPT"))};
    return icons[which];
}

} // namespace

QTreeWidgetItem *UserLibraryTree::newCategoryItem(const QString &text) const
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    item->setIcon(0, treeIcon(0));
    return item;
}

QTreeWidgetItem *UserLibraryTree::newScriptItem(QTreeWidgetItem *parent, const QString &text) const
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    item->setIcon(0, treeIcon(2));
    if (parent)
        parent->addChild(item);
    return item;
}

void UserLibraryTree::updateImage(QTreeWidgetItem *item) const
{
    if (!isCategory(item))
        return;
    const bool open = item->isExpanded() || item == currentItem();
    item->setIcon(0, treeIcon(open ? 1 : 0));
}

QTreeWidgetItem *UserLibraryTree::selectedItem() const
{
    QTreeWidgetItem *item = currentItem();
    return item && item->isSelected() ? item : nullptr;
}

void UserLibraryTree::selectItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    if (item->parent())
        item->parent()->setExpanded(true);
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

void UserLibraryTree::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    emit focusEntered();
}

void UserLibraryTree::startDrag(Qt::DropActions)
{
    // A dragged script is copied into the editors; the tree itself never
    // loses the node.
    QTreeWidget::startDrag(Qt::CopyAction);
}

void UserLibraryTree::keyPressEvent(QKeyEvent *event)
{
    if (state() != EditingState && event->modifiers() == Qt::NoModifier) {
        QTreeWidgetItem *item = selectedItem();
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter opens a script and opens or closes a category.
            if (isScript(item))
                emit openRequested();
            else if (item)
                item->setExpanded(!item->isExpanded());
            event->accept();
            return;
        case Qt::Key_Delete:
            if (item)
                emit deleteRequested();
            event->accept();
            return;
        default:
            break;
        }
    }
    QTreeWidget::keyPressEvent(event);
}
