#include "document/editcontroller.h"

#include "document/jumptolinedialog.h"
#include "document/scripteditors.h"
#include "editor/editorsearch.h"
#include "editor/finddialog.h"
#include "editor/quotepairing.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "platform/prompter.h"
#include "ports/ports.h"
#include "widgets/actions.h"

#include <QAction>
#include <QMenu>

EditController::EditController(const Ports &ports, QObject *parent)
    : QObject(parent), m_ports(ports), m_prompter(*ports.prompter), m_actions(*ports.actions), m_editors(*ports.editors)
{
    ActionRegistry &actions = m_actions;
    // The clipboard and indenting commands work on the focused editor.
    const auto onFocused = [this](void (*work)(ScriptEditor *)) {
        return [this, work] {
            if (ScriptEditor *editor = m_editors.focused())
                work(editor);
        };
    };
    actions.bind("edit.undo", this, onFocused([](ScriptEditor *e) { e->undo(); }));
    actions.bind("edit.redo", this, onFocused([](ScriptEditor *e) { e->redo(); }));
    // Cut and Paste move the user library's nodes while its tree has the
    // focus, and leave the editors alone then.
    const auto treeTakes = [this] { return m_ports.treeClipboard && m_ports.treeClipboard->hasClipboardFocus(); };
    const auto cut = onFocused([](ScriptEditor *e) { e->cut(); });
    const auto paste = onFocused([](ScriptEditor *e) { e->paste(); });
    actions.bind("edit.cut", this,
                 [this, treeTakes, cut] { treeTakes() ? m_ports.treeClipboard->cutSelection() : cut(); });
    actions.bind("edit.copy", this, onFocused([](ScriptEditor *e) { e->copy(); }));
    actions.bind("edit.paste", this,
                 [this, treeTakes, paste] { treeTakes() ? m_ports.treeClipboard->pasteCut() : paste(); });
    actions.bind("edit.selectAll", this, onFocused([](ScriptEditor *e) { e->selectAll(true); }));
    actions.bind("edit.indent", this, onFocused([](ScriptEditor *e) { e->blockIndent(); }));
    actions.bind("edit.unindent", this, onFocused([](ScriptEditor *e) { e->blockUnindent(); }));
    actions.bindTagged("bookmark.set", this, &EditController::setBookmark);
    actions.bindTagged("bookmark.goto", this, &EditController::gotoBookmark);
    actions.bind("search.find", this, &EditController::find);
    actions.bind("search.findNext", this, &EditController::findNext);
    actions.bind("search.replace", this, &EditController::replace);
    actions.bind("search.jumpToLine", this, &EditController::jumpToLine);
    actions.bind("view.wordWrap", this, &EditController::toggleWordWrap);
}

void EditController::attachEditors()
{
    ScriptEditors &editors = m_editors;
    for (ScriptEditor *editor : {editors.head(), editors.body()}) {
        QuotePairing::attach(*editor, [this, editor] { m_editors.setCurrent(editor); });
        editor->setDropAcceptor([this](QObject *source) {
            const auto it = m_dropSources.constFind(source);
            return it != m_dropSources.constEnd() && it->hasSelection();
        });
        connect(editor, &ScriptEditor::entered, this, [this] { m_ports.settingsPages->hideSettingsPages(); });
        connect(editor, &ScriptEditor::exited, this, [this, editor] { m_editors.setCurrent(editor); });
        connect(editor, &ScriptEditor::draggedOver, this, [this, editor] { m_editors.setCurrent(editor); });
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
    ScriptEditor *editor = m_editors.current();
    if (!editor)
        return;
    editor->wrapSelection(opening, closing);
    if (!editor->focusEditor())
        m_prompter.ShowMessageBox(IconWarning, QStringLiteral("Warning"),
                                  QStringLiteral("Please change the current tab to the editor tab!"));
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

// --- commands ----------------------------------------------------------------

void EditController::setBookmark(int number)
{
    if (ScriptEditor *editor = m_editors.current())
        editor->setBookmark(number);
}

void EditController::gotoBookmark(int number)
{
    if (ScriptEditor *editor = m_editors.current())
        editor->gotoBookmark(number);
}

ScriptEditor *EditController::searchingEditor()
{
    ScriptEditor *editor = m_editors.focused();
    if (editor && !m_lastSearch.isEmpty())
        editor->setLastSearchText(m_lastSearch);
    return editor;
}

void EditController::find()
{
    if (ScriptEditor *editor = searchingEditor()) {
        showFindDialog(*editor, m_prompter);
        m_lastSearch = editor->lastSearchText();
    }
}

void EditController::replace()
{
    if (ScriptEditor *editor = searchingEditor()) {
        showReplaceDialog(*editor, m_prompter);
        m_lastSearch = editor->lastSearchText();
    }
}

void EditController::findNext()
{
    ScriptEditor *editor = searchingEditor();
    if (!editor)
        return;
    const QString text = editor->lastSearchText();
    if (text.isEmpty()) {
        find();
        return;
    }
    m_lastSearch = text;
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
    if (findText(*editor, text, options) < 0)
        editor->setSel(start, length);
}

void EditController::jumpToLine()
{
    ScriptEditor *editor = m_editors.current();
    if (!editor || editor->lineCount() < 1)
        return;
    TIdzDoDlg dialog(editor->lineCount(), editor->caretLine(), m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) == QDialog::Accepted)
        editor->setCaretLineColumn(dialog.lineNumber(), editor->caretColumn());
}

void EditController::toggleWordWrap()
{
    ScriptEditors &editors = m_editors;
    if (!editors.exist())
        return;
    const bool on = !editors.head()->wordWrapOn();
    editors.head()->setWordWrapOn(on);
    editors.body()->setWordWrapOn(on);
    setWordWrapChecks(on);
}

void EditController::setWordWrapChecks(bool on)
{
    m_actions.setChecked("view.wordWrap", on);
}

void EditController::showGutterMenu(ScriptEditor *editor, int line, QPoint globalPosition)
{
    m_editors.setCurrent(editor);
    editor->setCaretLineColumn(line, editor->caretColumn());
    if (QMenu *menu = m_actions.menu(QStringLiteral("POP_Bookmarks")))
        menu->popup(globalPosition);
}
