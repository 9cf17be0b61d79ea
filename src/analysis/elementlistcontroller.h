#pragma once
// The Functions tab: the list of the current script's elements, rebuilt by
// Refresh, every time the tab is entered and, while it shows, whenever a
// new script takes the editors (it is a snapshot, stale once the script is
// edited), and the jump to the selected element.

#include <QObject>

class ElementListView;
class QTabWidget;
class ScriptEditors;
struct Ports;

class ElementListController final : public QObject {
    Q_OBJECT
public:
    /// list stands on a page of tabs; entering that page refreshes it.
    ElementListController(const Ports &ports, ElementListView *list, QTabWidget *tabs, QObject *parent = nullptr);

    /// Rebuilds the list from both editors.
    void BTN_Refresh_FuncClick();
    /// Shows the selected element's line at the top of its editor, puts the
    /// caret on it (in the column it stood in) and focuses that editor.
    void LST_FunctionsDblClick();
    void BTN_Func_JumpClick() { LST_FunctionsDblClick(); }

private:
    const Ports &m_ports;  // its pages are read when used
    ScriptEditors &m_editors;
    ElementListView *m_list;
};
