#include "document/editcontroller.h"

#include "document/commandgroups.h"
#include "document/documenthost.h"
#include "document/jumptolinedialog.h"
#include "document/scripteditors.h"
#include "editor/positions.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "widgets/actions.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

EditController::EditController(DocumentHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    ActionRegistry &actions = host.actions();

    // One handler serves Undo to Select all, told apart by the tag.
    connectTagged({"MMNU_E_Undo", "MMNU_E_REDO", "MMNU_E_Cut", "MMNU_E_Copy", "MMNU_E_Paste", "MMNU_E_SelectAll",
                   "PMNU_Undo", "PMNU_Redo", "PMNU_Wytnij", "PMNU_Kopiuj", "PMNU_Wklej", "POP_E_SelectAll",
                   "BTN_Undo", "BTN_Redo", "BTN_Wytnij", "BTN_Kopiuj", "BTN_Wklej"},
                  &EditController::editCommand);
    connectTagged({"MMNU_E_Indent", "MMNU_E_UnIndent", "Wcicie1", "Cofnijwcicie1"}, &EditController::indentCommand);

    QStringList setIds, gotoIds;
    for (int n = 0; n < 10; ++n) {
        setIds << QStringLiteral("Setbookmark1_%1").arg(n) << QStringLiteral("POP_B_Set_%1").arg(n);
        gotoIds << QStringLiteral("Gotobookmark1_%1").arg(n) << QStringLiteral("POP_B_Goto_%1").arg(n);
    }
    connectTagged(setIds, &EditController::setBookmark);
    connectTagged(gotoIds, &EditController::gotoBookmark);

    actions.onTriggered("MMNU_F_Find", this, &EditController::find);
    actions.onTriggered("BTN_Znajdz", this, &EditController::find);
    actions.onTriggered("MMNU_F_FindA", this, &EditController::findNext);
    actions.onTriggered("MMNU_F_Replace", this, &EditController::replace);
    actions.onTriggered("BTN_Zamien", this, &EditController::replace);
    actions.onTriggered("MMNU_Search_Jump", this, &EditController::jumpToLine);
    actions.onTriggered("BTN_Idz_Do_L", this, &EditController::jumpToLine);
    actions.onTriggered("BTN_Zawijanie", this, &EditController::toggleWordWrap);
    actions.onTriggered("MMNU_E_WordWrap", this, &EditController::toggleWordWrap);
    actions.onTriggered("Wordwrap1", this, &EditController::toggleWordWrap);
}

void EditController::connectTagged(const QStringList &ids, void (EditController::*handler)(int))
{
    for (const QString &id : ids) {
        QAction *action = m_host.actions().action(id);
        connect(action, &QAction::triggered, this,
                guarded([this, action, handler] { (this->*handler)(ActionRegistry::tagOf(action)); }));
    }
}

void EditController::attachEditors()
{
    ScriptEditors &editors = m_host.editors();
    for (ScriptEditor *editor : {editors.head(), editors.body()}) {
        editor->setKeyPressHandler([this](ScriptEditor *e, QKeyEvent *event) { return pairQuotes(e, event); });
        editor->setDropAcceptor([this](QObject *source) {
            const auto it = m_dropSources.constFind(source);
            return it != m_dropSources.constEnd() && it->hasSelection();
        });
        connect(editor, &ScriptEditor::entered, this, [this] { m_host.hideSettingsPages(); });
        connect(editor, &ScriptEditor::exited, this, [this, editor] { m_host.editors().setCurrent(editor); });
        connect(editor, &ScriptEditor::draggedOver, this, [this, editor] { m_host.editors().setCurrent(editor); });
        connect(editor, &ScriptEditor::dropped, this, guarded([this, editor](QObject *source, QPoint) {
                    const auto it = m_dropSources.constFind(source);
                    if (it != m_dropSources.constEnd() && it->hasSelection())
                        it->onDrop(editor);
                }));
        connect(editor, &ScriptEditor::gutterClicked, this,
                guarded([this, editor](int line, QPoint pos) { showGutterMenu(editor, line, pos); }));
    }
}

void EditController::registerDropSource(QObject *source, std::function<bool()> hasSelection,
                                        std::function<void(ScriptEditor *)> onDrop)
{
    m_dropSources.insert(source, {std::move(hasSelection), std::move(onDrop)});
    connect(source, &QObject::destroyed, this, [this, source] { m_dropSources.remove(source); });
}

// --- insertion ---------------------------------------------------------------

void EditController::WrapAndInsert(const QString &opening, const QString &closing)
{
    ScriptEditor *editor = m_host.editors().current();
    if (!editor)
        return;
    editor->beginUndoAction();
    if (editor->hasSelectedText()) {
        const QString selected = editor->selectedText();
        const int start = editor->selStart();
        if (!closing.isEmpty()) {
            editor->replaceSelection(opening + selected + closing);
            editor->setSel(start + positionLength(opening), positionLength(selected));
        } else {
            editor->replaceSelection(opening);
        }
    } else {
        const int caret = editor->caretPosition();
        editor->replaceSelection(opening + closing);
        if (!closing.isEmpty())
            editor->setCaretPosition(caret + positionLength(opening));
    }
    editor->endUndoAction();
    try {
        editor->focusEditor();
    } catch (const EditorFocusError &) {
        m_host.prompter().ShowMessageBox(IconWarning, QStringLiteral("Warning"),
                                         QStringLiteral("Please change the current tab to the editor tab!"));
    }
}

void EditController::InsertTemplate(const QString &templateText)
{
    const qsizetype at = templateText.indexOf(QStringLiteral(".."));
    if (at >= 0) {
        const QString before = templateText.left(at);
        const QString after = templateText.mid(at + 2);
        if (!before.isEmpty() && !after.isEmpty()) {
            WrapAndInsert(before, after);
            return;
        }
    }
    WrapAndInsert(templateText, QString());
}

bool EditController::pairQuotes(ScriptEditor *editor, QKeyEvent *event)
{
    if (event->text() != QStringLiteral("\""))
        return false;
    m_host.editors().setCurrent(editor);
    if (editor->hasSelectedText()) {
        WrapAndInsert(QStringLiteral("\""), QStringLiteral("\""));
    } else {
        editor->beginUndoAction();
        editor->replaceSelection(QStringLiteral("\"\""));
        editor->setCaretPosition(editor->caretPosition() - 1);
        editor->endUndoAction();
    }
    return true;
}

// --- commands ----------------------------------------------------------------

void EditController::editCommand(int tag)
{
    ScriptEditor *editor = m_host.editors().focused();
    if (!editor)
        return;
    switch (tag) {
    case 10:
        editor->undo();
        break;
    case 11:
        editor->redo();
        break;
    case 12:
        editor->cut();
        break;
    case 13:
        editor->copy();
        break;
    case 14:
        editor->paste();
        break;
    case 15:
        editor->selectAll(true);
        break;
    default:
        break;
    }
}

void EditController::indentCommand(int tag)
{
    ScriptEditor *editor = m_host.editors().focused();
    if (!editor)
        return;
    if (tag == 10)
        editor->blockIndent();
    else if (tag == 11)
        editor->blockUnindent();
}

void EditController::setBookmark(int number)
{
    if (ScriptEditor *editor = m_host.editors().current())
        editor->setBookmark(number);
}

void EditController::gotoBookmark(int number)
{
    if (ScriptEditor *editor = m_host.editors().current())
        editor->gotoBookmark(number);
}

void EditController::find()
{
    if (ScriptEditor *editor = m_host.editors().focused())
        editor->showFindDialog(m_host.prompter());
}

void EditController::replace()
{
    if (ScriptEditor *editor = m_host.editors().focused())
        editor->showReplaceDialog(m_host.prompter());
}

void EditController::findNext()
{
    ScriptEditor *editor = m_host.editors().focused();
    if (!editor)
        return;
    const QString text = editor->lastSearchText();
    if (text.isEmpty()) {
        editor->showFindDialog(m_host.prompter());
        return;
    }
    // Step past the occurrence already selected so the search moves on.
    const int start = editor->selStart();
    const int length = editor->selLength();
    if (editor->hasSelectedText() && editor->selectedText().compare(text, Qt::CaseInsensitive) == 0)
        editor->setSel(start + 1, 0);
    FindOptions options;
    options.matchCase = false;
    options.wholeWords = false;
    options.forward = true;
    // Nothing further: the last occurrence stays selected.
    if (editor->findText(text, options) < 0)
        editor->setSel(start, length);
}

void EditController::jumpToLine()
{
    ScriptEditor *editor = m_host.editors().current();
    if (!editor || editor->lineCount() < 1)
        return;
    TIdzDoDlg dialog(editor->lineCount(), editor->caretLine(), m_host.prompter().parentWindow());
    if (m_host.prompter().execDialog(dialog) == QDialog::Accepted)
        editor->setCaretLineColumn(dialog.lineNumber(), editor->caretColumn());
}

void EditController::toggleWordWrap()
{
    ScriptEditors &editors = m_host.editors();
    if (!editors.exist())
        return;
    const bool on = !editors.head()->wordWrapOn();
    editors.head()->setWordWrapOn(on);
    editors.body()->setWordWrapOn(on);
    setWordWrapChecks(on);
}

void EditController::setWordWrapChecks(bool on)
{
    m_host.actions().setChecked(kWordWrapItems, on);
}

void EditController::showGutterMenu(ScriptEditor *editor, int line, QPoint globalPosition)
{
    m_host.editors().setCurrent(editor);
    editor->setCaretLineColumn(line, editor->caretColumn());
    if (QMenu *menu = m_host.actions().menu(QStringLiteral("POP_Bookmarks")))
        menu->popup(globalPosition);
}
