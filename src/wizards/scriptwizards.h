#pragma once
// The Script menu's commands: the statement templates (one handler, told
// apart by the tag 1 to 11), the window wizard and the dialog-box wizard.
//
// The templates go to the focused editor (HEAD_ED when it has the focus,
// else BODY_ED), replacing its selection, with later lines indented under
// the caret's screen column; only the document.write template (tag 8)
// wraps the current editor's selection.  The two wizards insert through
// WrapAndInsert into the current editor.

#include <QObject>

class ActionRegistry;
class HelpSystem;
class Prompter;
class ScriptEditor;
class ScriptEditors;
struct Ports;

class ScriptWizards final : public QObject {
    Q_OBJECT
public:
    explicit ScriptWizards(const Ports &ports, QObject *parent = nullptr);

    /// The statement template of tag (any other tag does nothing).
    void WarunekIfElse1Click(int tag);
    /// "Open new window": a window.open call.
    void Przycisk_JS_OknoClick();
    /// "Dialog boxes": an alert, confirm or prompt call.
    void Przycisk_JS_AlertClick();

private:
    /// Replaces the selection of editor with text and moves the caret back
    /// from the text's end by caretBack positions, as one undo step.
    static void replaceSelection(ScriptEditor *editor, const QString &text, int caretBack = 0);

    const Ports &m_ports;  // its text insertion is read when used
    Prompter &m_prompter;
    ScriptEditors &m_editors;
    HelpSystem &m_help;
};
