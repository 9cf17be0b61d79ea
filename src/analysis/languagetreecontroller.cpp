#include "analysis/languagetreecontroller.h"

#include "analysis/languagetree.h"
#include "analysis/languagetreewidget.h"
#include "document/scripteditors.h"
#include "platform/errors.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "widgets/busycursor.h"

#include <QTabWidget>

#include <stdexcept>

LanguageTreeController::LanguageTreeController(const Ports &ports, LanguageTreeWidget *tree, QTabWidget *tabs,
                                               QObject *parent)
    : QObject(parent), m_ports(ports), m_tree(tree)
{
    ports.actions->bind("languages.expand", this, &LanguageTreeController::BTN_Lang_ExpandClick);
    ports.actions->bind("languages.collapse", this, &LanguageTreeController::BTN_Lang_CollapseClick);
    connect(tree, &QTreeWidget::itemDoubleClicked, this, guarded([this] { TRE_JSDblClick(); }));
    connect(tree, &LanguageTreeWidget::insertRequested, this, guarded([this] { TRE_JSDblClick(); }));
    connect(tabs, &QTabWidget::currentChanged, this, guarded([this, tabs] {
                if (QWidget *page = tabs->currentWidget(); page && page->isAncestorOf(m_tree))
                    loadTree();
            }));
    // Only elements go into an editor; a root or a category is no text.
    ports.drops->registerDropSource(
        tree,
        [this] {
            const QTreeWidgetItem *item = m_tree->selectedItem();
            return item && !LanguageTreeWidget::isGroup(item);
        },
        [this](ScriptEditor *target) {
            if (const QTreeWidgetItem *item = m_tree->selectedItem(); item && !LanguageTreeWidget::isGroup(item)) {
                m_ports.editors->setCurrent(target);
                m_ports.insertion->InsertTemplate(item->text(0));
            }
        });
}

void LanguageTreeController::loadTree()
{
    if (m_tree->topLevelItemCount() > 0)
        return;
    const BusyCursor busy;
    const LanguageTreeData data = readLanguageTree();
    if (!data.error.isEmpty())
        throw std::runtime_error("The language elements could not be read: " + data.error.toStdString());
    m_tree->fill(data.roots);
}

void LanguageTreeController::TRE_JSDblClick()
{
    m_ports.pages->showEditorPage();
    const QTreeWidgetItem *item = m_tree->selectedItem();
    if (!item || LanguageTreeWidget::isGroup(item))
        return;
    m_ports.insertion->InsertTemplate(item->text(0));
}

void LanguageTreeController::BTN_Lang_ExpandClick()
{
    m_tree->setUpdatesEnabled(false);
    m_tree->expandAll();
    if (QTreeWidgetItem *first = m_tree->topLevelItem(0)) {
        m_tree->setCurrentItem(first);
        m_tree->scrollToItem(first);
    }
    m_tree->setUpdatesEnabled(true);
}

void LanguageTreeController::BTN_Lang_CollapseClick()
{
    m_tree->collapseAll();
}
