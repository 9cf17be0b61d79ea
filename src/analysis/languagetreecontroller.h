#pragma once
// The Languages tab: the tree of language elements, loaded on the first
// visit of the tab and kept (with its expansion) for the rest of the run;
// a double click inserts the chosen element into the current editor, a
// drag onto an editor into that editor.

#include <QObject>

class LanguageTreeWidget;
class QTabWidget;
struct Ports;

class LanguageTreeController final : public QObject {
    Q_OBJECT
public:
    /// tree stands on a page of tabs; the first visit of that page loads it.
    LanguageTreeController(const Ports &ports, LanguageTreeWidget *tree, QTabWidget *tabs, QObject *parent = nullptr);

    /// Fills the tree unless it holds nodes already.
    void loadTree();
    /// Shows the Editor page and, for an element (not a root or category),
    /// inserts its text with InsertTemplate.
    void TRE_JSDblClick();
    void BTN_Lang_ExpandClick();
    void BTN_Lang_CollapseClick();

private:
    const Ports &m_ports;
    LanguageTreeWidget *m_tree;
};
