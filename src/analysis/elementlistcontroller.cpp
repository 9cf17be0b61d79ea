#include "analysis/elementlistcontroller.h"

#include "analysis/elementlistview.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "ports/ports.h"
#include "widgets/actions.h"

#include <QTabWidget>

ElementListController::ElementListController(const Ports &ports, ElementListView *list, QTabWidget *tabs,
                                             QObject *parent)
    : QObject(parent), m_ports(ports), m_editors(*ports.editors), m_list(list)
{
    ActionRegistry &actions = *ports.actions;
    actions.bind("elements.refresh", this, &ElementListController::BTN_Refresh_FuncClick);
    actions.bind("elements.jump", this, &ElementListController::BTN_Func_JumpClick);
    connect(list, &ElementListView::jumpRequested, this, guarded([this] { LST_FunctionsDblClick(); }));
    const auto refreshWhenShown = [this, tabs] {
        if (QWidget *page = tabs->currentWidget(); page && page->isAncestorOf(m_list))
            BTN_Refresh_FuncClick();
    };
    connect(tabs, &QTabWidget::currentChanged, this, guarded(refreshWhenShown));
    // A new script in the editors makes a shown list stale at once.
    connect(&m_editors, &ScriptEditors::scriptReplaced, this, guarded(refreshWhenShown));
}

void ElementListController::BTN_Refresh_FuncClick()
{
    if (!m_editors.exist())
        return;
    m_list->elements()->setElements(listElements(m_editors.head()->textBytes(), m_editors.body()->textBytes()));
}

void ElementListController::LST_FunctionsDblClick()
{
    const ScriptElement *element = m_list->selectedElement();
    if (!element || !m_editors.exist())
        return;
    ScriptEditor *editor = element->section == ScriptSection::Head ? m_editors.head() : m_editors.body();
    const int line = element->line;
    // The editor can take the focus on the Editor page only.
    m_ports.pages->showEditorPage();
    editor->setCaretLineColumn(line + 1, editor->caretColumn());
    const long firstShown = editor->SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, line);
    editor->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, firstShown);
    static_cast<void>(editor->focusEditor());
}
