#include "library/builtin/builtinlibrary.h"

#include "library/builtin/builtincatalogue.h"

#include <QStackedWidget>
#include <QTreeWidget>

BuiltInLibrary::BuiltInLibrary(QTreeWidget *tree, QStackedWidget *settingsPages, LibraryService &libraries,
                               QObject *parent)
    : QObject(parent), m_tree(tree), m_pages(settingsPages)
{
    libraries.registerBranch(LibraryKind::BuiltIn, this);
    const QStringList names = builtInScriptNames();
    QList<QTreeWidgetItem *> items;
    items.reserve(names.size());
    for (const QString &name : names)
        items << new QTreeWidgetItem(QStringList{name});
    m_tree->addTopLevelItems(items);
}

int BuiltInLibrary::selectedId() const
{
    if (!m_tree->isEnabled())
        return -1;
    QTreeWidgetItem *item = m_tree->currentItem();
    if (!item || !item->isSelected())
        return -1;
    return m_tree->indexOfTopLevelItem(item);
}

bool BuiltInLibrary::isBrowserExitSelected() const
{
    return selectedId() == kBrowserExitId;
}

void BuiltInLibrary::hideSettingsPages()
{
    m_pages->hide();
}

bool BuiltInLibrary::libraryHasFocus() const
{
    return m_tree->hasFocus();
}

bool BuiltInLibrary::produceScript(LibraryTexts &)
{
    return false;
}
