#include "library/userlibrarytree.h"

#include "widgets/actions.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

UserLibraryTree::UserLibraryTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TRE_Wlasne"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    // Several scripts at once can be deleted or moved.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    // Its own nodes are dropped on it (where they land is drawn here), so
    // other drops are handed on to it too, before any filter sees them.
    setDragDropMode(QAbstractItemView::DragDrop);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setAutoExpandDelay(600);
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
    // It alone, whatever keys are held.
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item);
}

void UserLibraryTree::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    emit focusEntered();
}

void UserLibraryTree::startDrag(Qt::DropActions)
{
    // A dragged script is copied into the editors, and moved within the
    // tree by the library (the tree is built anew from it): the view itself
    // never takes the nodes out.
    QModelIndexList indexes;
    for (QTreeWidgetItem *item : selectedInOrder())
        indexes << indexFromItem(item);
    if (indexes.isEmpty())
        return;
    QMimeData *data = model()->mimeData(indexes);
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    if (QTreeWidgetItem *item = currentItem())
        drag->setPixmap(item->icon(0).pixmap(16));
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

QList<QTreeWidgetItem *> UserLibraryTree::selectedInOrder() const
{
    QList<QTreeWidgetItem *> chosen;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *category = topLevelItem(i);
        if (category->isSelected())
            chosen << category;
        for (int j = 0; j < category->childCount(); ++j)
            if (category->child(j)->isSelected())
                chosen << category->child(j);
    }
    return chosen;
}

UserLibraryTree::DropPlace UserLibraryTree::dropPlaceAt(const QPoint &at) const
{
    DropPlace place;
    const QList<QTreeWidgetItem *> dragged = selectedInOrder();
    if (dragged.isEmpty())
        return place;
    const bool scripts = std::all_of(dragged.begin(), dragged.end(), [](auto *item) { return isScript(item); });
    const bool oneCategory = dragged.size() == 1 && isCategory(dragged.front());
    QTreeWidgetItem *target = itemAt(at);
    const QRect rect = target ? visualItemRect(target) : QRect();
    const bool upperHalf = target && at.y() < rect.center().y();
    if (scripts) {
        if (!target)
            return place;
        place.valid = true;
        if (isCategory(target)) {
            place.category = target;
            return place;
        }
        // Among a category's scripts: before the one pointed at, or after it.
        place.category = target->parent();
        const int row = place.category->indexOfChild(target) + (upperHalf ? 0 : 1);
        place.before = place.category->child(row);
        return place;
    }
    if (!oneCategory)
        return place;
    place.valid = true;
    if (!target)
        return place;  // below the last category: to the end
    QTreeWidgetItem *category = isCategory(target) ? target : target->parent();
    const int row = indexOfTopLevelItem(category) + (isCategory(target) && upperHalf ? 0 : 1);
    place.before = topLevelItem(row);
    return place;
}

QRect UserLibraryTree::markOf(const DropPlace &place) const
{
    if (!place.valid)
        return {};
    const int width = viewport()->width();
    // The line at the top of the node the drop goes before.
    const auto lineAbove = [width, this](QTreeWidgetItem *item) {
        const QRect r = visualItemRect(item);
        return QRect(r.left(), r.top() - 1, width - r.left(), 2);
    };
    // The line under the last visible node of a category (or its label).
    const auto lineBelow = [width, this](QTreeWidgetItem *category) {
        QTreeWidgetItem *last = category->isExpanded() && category->childCount() > 0
                                    ? category->child(category->childCount() - 1)
                                    : category;
        const QRect r = visualItemRect(last);
        return QRect(r.left(), r.bottom(), width - r.left(), 2);
    };
    if (place.category) {
        if (place.before)
            return lineAbove(place.before);
        if (place.category->isExpanded() && place.category->childCount() > 0)
            return lineBelow(place.category);
        return visualItemRect(place.category);  // into a closed category: the box round it
    }
    if (place.before)
        return lineAbove(place.before);
    return topLevelItemCount() > 0 ? lineBelow(topLevelItem(topLevelItemCount() - 1)) : QRect();
}

namespace {

/// Which tree of which copy of the program a drag comes from.
QByteArray identityOf(const UserLibraryTree *tree)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(quintptr(tree), 16);
}

}  // namespace

QMimeData *UserLibraryTree::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    QMimeData *data = QTreeWidget::mimeData(items);
    if (data)
        data->setData(QString::fromLatin1(kNodesFormat), identityOf(this));
    return data;
}

bool UserLibraryTree::isOwnDrag(const QDropEvent *event) const
{
    if (!(event->possibleActions() & Qt::MoveAction))
        return false;
    if (event->source() == this)
        return true;
    const QMimeData *data = event->mimeData();
    return data && data->data(QString::fromLatin1(kNodesFormat)) == identityOf(this);
}

bool UserLibraryTree::takesDrag(QDropEvent *event)
{
    if (!isOwnDrag(event))
        return false;
    const DropPlace place = dropPlaceAt(event->position().toPoint());
    const QRect mark = markOf(place);
    if (mark != m_dropMark) {
        viewport()->update(m_dropMark.adjusted(-2, -2, 2, 2));
        viewport()->update(mark.adjusted(-2, -2, 2, 2));
        m_dropMark = mark;
    }
    if (!place.valid)
        return false;
    event->setDropAction(Qt::MoveAction);
    event->accept();
    return true;
}

void UserLibraryTree::dragEnterEvent(QDragEnterEvent *event)
{
    // Entering, the drag is taken when it is the tree's own: where it may
    // land is told on every move.
    if (isOwnDrag(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        // While dragging, the category held over opens.
        setState(DraggingState);
        return;
    }
    event->ignore();
}

void UserLibraryTree::dragMoveEvent(QDragMoveEvent *event)
{
    // The view scrolls near its edges and opens the category held over;
    // whether the drop is taken is the tree's own answer.
    if (isOwnDrag(event))
        QTreeWidget::dragMoveEvent(event);
    if (!takesDrag(event))
        event->ignore();
}

void UserLibraryTree::dragLeaveEvent(QDragLeaveEvent *event)
{
    viewport()->update(m_dropMark.adjusted(-2, -2, 2, 2));
    m_dropMark = QRect();
    QTreeWidget::dragLeaveEvent(event);
}

void UserLibraryTree::dropEvent(QDropEvent *event)
{
    viewport()->update(m_dropMark.adjusted(-2, -2, 2, 2));
    m_dropMark = QRect();
    stopAutoScroll();
    setState(NoState);
    if (!isOwnDrag(event)) {
        event->ignore();
        return;
    }
    const DropPlace place = dropPlaceAt(event->position().toPoint());
    if (!place.valid) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit nodesDropped(selectedInOrder(), place);
}

void UserLibraryTree::paintEvent(QPaintEvent *event)
{
    QTreeWidget::paintEvent(event);
    if (m_dropMark.isNull())
        return;
    QPainter painter(viewport());
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    if (m_dropMark.height() <= 2) {
        painter.fillRect(m_dropMark, colour);
        return;
    }
    painter.setPen(QPen(colour, 2));
    painter.drawRect(m_dropMark.adjusted(1, 1, -1, -1));
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
            if (item || !selectedItems().isEmpty())
                emit deleteRequested();
            event->accept();
            return;
        default:
            break;
        }
    }
    QTreeWidget::keyPressEvent(event);
}
