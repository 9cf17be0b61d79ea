#pragma once
// The built-in library in the window: its tree TRE_Skrypty (the 35
// scripts of the catalogue), the settings pages under the editors that
// show and edit the BuiltInSettings it owns, and the commands of its
// button strip (Edit, Insert, Preview, dragging onto an editor).  Its
// branch of GetLibraryScript hands the selected script and the settings
// to the generator.

#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtinsettings.h"
#include "library/libraryservice.h"
#include "ports/ports.h"

#include <QObject>
#include <QTreeWidget>

#include <array>
#include <optional>

class BuiltInSettingsPage;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QVBoxLayout;

/// TRE_Skrypty: flat, read-only, its nodes dragged onto the editors.
class BuiltInTree final : public QTreeWidget {
    Q_OBJECT
public:
    explicit BuiltInTree(QWidget *parent = nullptr);

signals:
    /// A mouse button went down in the tree, or Space was pressed on a
    /// script (the keyboard's click).
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
};

class BuiltInLibrary final : public QObject, public SettingsPages, public LibraryBranch, public LibrarySelection {
    Q_OBJECT
public:
    /// Where the library stands in the window.
    struct Places {
        QVBoxLayout *panel;         // the "Built-in library" panel; the tree goes above its strip
        QToolBar *strip;            // its button strip
        QStackedWidget *noteBook;   // NoteBook under the editors
        QSplitter *editorSplitter;  // the HEAD and BODY panels, shared out when NoteBook comes up
    };
    BuiltInLibrary(const Places &places, const Ports &ports, QObject *parent = nullptr);
    ~BuiltInLibrary() override;

    /// Binds the strip's commands, the double click and the drags, once the
    /// drop targets are in the ports (the editing commands that take the
    /// drags are made after the library, whose settings pages they hide).
    void attachCommands();

    QTreeWidget *tree() const { return m_tree; }
    BuiltInSettings &settings() { return m_settings; }
    BuiltInSettingsPage *page(BuiltInPage page) const { return m_pageWidgets[std::size_t(page)]; }
    /// The id of the selected script, or -1.
    int selectedId() const;
    bool isBrowserExitSelected() const override;

    void hideSettingsPages() override;
    /// Shows NoteBook and gives the HEAD panel half of the room left.
    void showSettingsPages();

    bool libraryHasFocus() const override;
    /// GetLibraryScript for the built-in library.
    bool produceScript(LibraryTexts &texts) override;
    /// The selected script as its settings make it now, without a message
    /// when it cannot be made; for a look at it.
    std::optional<LibraryTexts> peekScript() const;

    // Commands.
    void BTN_Edit_LibClick();
    void ToolbarButton971Click();
    void TRE_SkryptyDblClick();

signals:
    /// A setting of a script was changed on its page (told once the change
    /// is over, once for a burst of changes).
    void settingsEdited();

private:
    /// Tells settingsEdited() for any change made on page.
    void watchEdits(QWidget *page);
    void selectionChanged();
    void showPage(BuiltInSettingsPage *shown);
    void loadIntoEditors();

    Places m_places;
    const Ports &m_ports;  // its pages, drops and preview are read when used
    LibraryService &m_libraries;
    Prompter &m_prompter;
    BuiltInTree *m_tree;
    BuiltInSettings m_settings;
    std::array<BuiltInSettingsPage *, 10> m_pageWidgets{};
    bool m_editTold = false;  // settingsEdited() is on its way
};
