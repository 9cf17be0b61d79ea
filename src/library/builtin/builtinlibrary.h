#pragma once
// The built-in library as the rest of the window sees it: its tree
// TRE_Skrypty and the settings pages under the editors.  The catalogue's
// settings pages and its generator come later; until then the tree lists
// the scripts but is not in use, so no script of it is ever produced.

#include "document/ports.h"
#include "library/libraryservice.h"

#include <QObject>

class QStackedWidget;
class QTreeWidget;

class BuiltInLibrary final : public QObject, public SettingsPages, public LibraryBranch, public LibrarySelection {
    Q_OBJECT
public:
    /// settingsPages: the stack under the editors that shows a script's page.
    BuiltInLibrary(QTreeWidget *tree, QStackedWidget *settingsPages, LibraryService &libraries,
                   QObject *parent = nullptr);

    QTreeWidget *tree() const { return m_tree; }
    /// The id of the selected script, or -1.
    int selectedId() const;
    bool isBrowserExitSelected() const override;

    void hideSettingsPages() override;

    bool libraryHasFocus() const override;
    /// The generator is not built yet: nothing is produced.
    bool produceScript(LibraryTexts &texts) override;

private:
    QTreeWidget *m_tree;
    QStackedWidget *m_pages;
};
