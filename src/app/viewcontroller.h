#pragma once
// The view toggles of the main window: the three toolbars, the resource
// tabs, the Editor page, and the rule that the Script, Search, Edit and
// HTML menus work on the Editor page only.

#include "ports/ports.h"

#include <QList>
#include <QObject>

class ActionRegistry;
class DockableToolBar;
class QActionGroup;
class QMenu;
class QTabWidget;
class QToolBar;
class QWidget;

class ViewController final : public QObject, public EditorMenus {
    Q_OBJECT
public:
    struct Parts {
        QWidget *resourceTabs = nullptr;        // PGC_Lib
        QTabWidget *mainBook = nullptr;         // MainBook
        QWidget *previewPage = nullptr;         // TAB_Preview
        DockableToolBar *mainToolbar = nullptr;
        DockableToolBar *scriptToolbar = nullptr;
        DockableToolBar *htmlToolbar = nullptr;
        QToolBar *menuBarHolder = nullptr;      // MainMenu981
        QList<QMenu *> editorMenus;             // Script, Search, Edit, HTML
    };

    ViewController(const Ports &ports, const Parts &parts, QObject *parent = nullptr);

    void toggleMainToolbar();
    void toggleScriptToolbar();
    void toggleHtmlToolbar();
    void toggleResourceTabs();
    /// Shows or hides a toolbar (0 main, 1 scripting, 2 HTML) with its checks.
    void setToolbarShown(int toolbar, bool visible);
    /// Shows or hides the resource tabs with their checks.  Shown again,
    /// they are as wide as they last were.
    void setResourceTabsShown(bool visible);
    /// The resource tabs' width: while they show, the width they have; while
    /// hidden, the width they will have again.
    int resourceTabsWidth() const;
    void setResourceTabsWidth(int width);

    /// The menu of the toolbar areas (of the window and of the editor
    /// area): the View menu's toolbar toggles themselves, so their checks
    /// follow; never the menu bar, which nothing would bring back.
    QMenu *createToolbarMenu(QWidget *parent) const;

    /// Switches the Script, Search, Edit and HTML menus, always as a group,
    /// and with them every button and pop-up item of their commands.
    void setEditorMenusEnabled(bool enabled) override;
    bool editorMenusEnabled() const { return m_menusEnabled; }
    bool previewPageActive() const;

signals:
    /// The menu bar was docked again while the Preview page shows: the
    /// editors' script is previewed anew.
    void previewRequested();

private:
    void setToolbarVisible(DockableToolBar *bar, const char *command, bool visible);
    void menuBarDocked();
    void setShortcutsLive(QMenu *menu, bool live);

    void applyResourceTabsWidth();

    ActionRegistry &m_actions;
    Parts m_parts;
    int m_resourceTabsWidth = 0;
    QActionGroup *m_editorItems = nullptr;
    bool m_menusEnabled = true;
};
