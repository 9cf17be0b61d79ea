#include "library/treecontextmenu.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>

namespace {

class ContextMenuFilter final : public QObject {
public:
    ContextMenuFilter(QTreeWidget *tree, QMenu *menu) : QObject(tree), m_tree(tree), m_menu(menu) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ContextMenu) {
            const auto *request = static_cast<QContextMenuEvent *>(event);
            if (request->reason() == QContextMenuEvent::Keyboard) {
                popUpAtCurrent();
            } else {
                const QPoint at = watched == m_tree->viewport() ? request->pos()
                                                                : m_tree->viewport()->mapFrom(m_tree, request->pos());
                // A right click selects the node under the mouse.
                if (QTreeWidgetItem *item = m_tree->itemAt(at)) {
                    m_tree->setCurrentItem(item);
                    item->setSelected(true);
                }
                m_menu->popup(request->globalPos());
            }
            return true;
        }
        if (event->type() == QEvent::KeyPress && watched == m_tree) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
            if (shiftF10 || (key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier)) {
                popUpAtCurrent();
                return true;
            }
        }
        return false;
    }

private:
    void popUpAtCurrent()
    {
        QPoint at(4, 4);
        if (QTreeWidgetItem *item = m_tree->currentItem(); item && !item->isHidden()) {
            m_tree->scrollToItem(item);
            // Below the node, which stays in sight.
            const QRect rect = m_tree->visualItemRect(item);
            at = QPoint(rect.left() + 16, rect.bottom() + 1);
        }
        m_menu->popup(m_tree->viewport()->mapToGlobal(at));
    }

    QTreeWidget *m_tree;
    QMenu *m_menu;
};

}  // namespace

void attachContextMenu(QTreeWidget *tree, QMenu *menu)
{
    auto *filter = new ContextMenuFilter(tree, menu);
    tree->installEventFilter(filter);
    tree->viewport()->installEventFilter(filter);
}
