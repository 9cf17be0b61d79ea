#include "wizards/scriptwizards.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"
#include "ports/ports.h"
#include "widgets/actions.h"
#include "wizards/dialogboxdialog.h"
#include "wizards/dialogboxwizard.h"
#include "wizards/scriptheaderdialog.h"
#include "wizards/scriptnoscriptdialog.h"
#include "wizards/scripttemplates.h"
#include "wizards/windowdialog.h"
#include "wizards/windowwizard.h"

ScriptWizards::ScriptWizards(const Ports &ports, QObject *parent)
    : QObject(parent), m_ports(ports), m_prompter(*ports.prompter), m_editors(*ports.editors), m_help(*ports.help)
{
    ActionRegistry &actions = *ports.actions;
    actions.bindTagged("script.template", this, &ScriptWizards::WarunekIfElse1Click);
    actions.bind("script.window", this, &ScriptWizards::Przycisk_JS_OknoClick);
    actions.bind("script.dialogBoxes", this, &ScriptWizards::Przycisk_JS_AlertClick);
}

void ScriptWizards::WarunekIfElse1Click(int tag)
{
    if (tag < TagScriptHeader || tag > TagSwitch)
        return;
    if (tag == TagDocumentWrite) {
        m_ports.insertion->WrapAndInsert(kDocumentWriteOpening.toString(), kDocumentWriteClosing.toString());
        return;
    }

    ScriptEditor *editor = m_editors.focused();
    if (!editor)
        return;
    // Later lines go under the column where the text will start: the
    // caret's, or the start of the selection the text replaces.  Taken
    // before anything is asked or inserted.
    const QString text = editor->wholeText();
    const int start = editor->hasSelectedText() ? editor->selStart() : editor->caretPosition();
    const QString indentation = indentationFor(screenColumn(lineBefore(text, start), editor->tabWidth()));

    switch (tag) {
    case TagScriptHeader: {
        TSkryptDlg dialog(m_help, m_prompter.parentWindow());
        if (m_prompter.execDialog(dialog) != QDialog::Accepted)
            return;
        const TemplateText block = scriptHeaderBlock(dialog.options(), indentation);
        replaceSelection(editor, block.text, block.caretBack);
        return;
    }
    case TagNoScript: {
        TNoScriptDlg dialog(TNoScriptDlg::Dress::NoScript, m_help, m_prompter.parentWindow());
        if (m_prompter.execDialog(dialog) != QDialog::Accepted)
            return;
        replaceSelection(editor, noScriptElement(dialog.memoText()));
        return;
    }
    case TagComments: {
        TNoScriptDlg dialog(TNoScriptDlg::Dress::Comments, m_help, m_prompter.parentWindow());
        if (m_prompter.execDialog(dialog) != QDialog::Accepted)
            return;
        replaceSelection(editor, commentLines(dialog.commentOptions(), indentation));
        return;
    }
    default:
        if (const std::optional<TemplateText> skeleton = statementTemplate(tag, indentation))
            replaceSelection(editor, skeleton->text, skeleton->caretBack);
    }
}

void ScriptWizards::Przycisk_JS_OknoClick()
{
    TJSOknoDlg dialog(m_prompter, m_help, m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) == QDialog::Accepted)
        m_ports.insertion->WrapAndInsert(windowOpenCall(dialog.options()), QString());
}

void ScriptWizards::Przycisk_JS_AlertClick()
{
    TJSAlarmDlg dialog(m_help, m_prompter.parentWindow());
    if (m_prompter.execDialog(dialog) == QDialog::Accepted)
        m_ports.insertion->WrapAndInsert(dialogBoxCall(dialog.options()), QString());
}

void ScriptWizards::replaceSelection(ScriptEditor *editor, const QString &text, int caretBack)
{
    editor->beginUndoAction();
    editor->replaceSelection(text);
    if (caretBack > 0)
        editor->setCaretPosition(editor->caretPosition() - caretBack);
    editor->endUndoAction();
}
