#include "analysis/languagetreewidget.h"

#include "analysis/languagetree.h"
#include "widgets/actions.h"

#include <QHeaderView>
#include <QKeyEvent>

LanguageTreeWidget::LanguageTreeWidget(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TRE_JS"));
    setStatusTip(QStringLiteral("Double click to insert the element"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setAcceptDrops(false);
    // Long texts scroll sideways rather than being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

void LanguageTreeWidget::fill(const std::vector<LanguageNode> &roots)
{
    const std::span<const char *const> names = languageImageNames();
    std::vector<QIcon> icons;
    icons.reserve(names.size());
    for (const char *name : names)
        icons.push_back(appIcon(QString::fromLatin1(name)));

    struct Pending {
        const LanguageNode *node;
        QTreeWidgetItem *parent;
    };
    std::vector<Pending> stack;
    for (auto it = roots.rbegin(); it != roots.rend(); ++it)
        stack.push_back({&*it, nullptr});
    QList<QTreeWidgetItem *> topLevel;
    while (!stack.empty()) {
        const Pending next = stack.back();
        stack.pop_back();
        auto *item = new QTreeWidgetItem(QStringList{next.node->text});
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
        if (size_t(next.node->image) < icons.size())
            item->setIcon(0, icons[size_t(next.node->image)]);
        if (next.parent)
            next.parent->addChild(item);
        else
            topLevel.append(item);
        for (auto it = next.node->children.rbegin(); it != next.node->children.rend(); ++it)
            stack.push_back({&*it, item});
    }
    addTopLevelItems(topLevel);
}

QTreeWidgetItem *LanguageTreeWidget::selectedItem() const
{
    QTreeWidgetItem *item = currentItem();
    return item && item->isSelected() ? item : nullptr;
}

bool LanguageTreeWidget::isGroup(const QTreeWidgetItem *item)
{
    return isLanguageGroup(item->text(0), item->parent() == nullptr);
}

void LanguageTreeWidget::startDrag(Qt::DropActions)
{
    // A dragged element is copied into the editor; the tree keeps it.
    QTreeWidget::startDrag(Qt::CopyAction);
}

void LanguageTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier &&
        selectedItem()) {
        event->accept();
        emit insertRequested();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
