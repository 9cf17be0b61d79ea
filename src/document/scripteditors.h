#pragma once
// The script in the window: the editors HEAD_ED and BODY_ED and the
// current-editor flag.
//
// The current editor is the one that receives insertions: the editor that
// last lost the focus, or the focused one after any key, click or change in
// an editor, or the one under the mouse while something is dragged over it.
// Some commands take the focused editor instead: HEAD_ED if it has the
// focus at that moment, BODY_ED otherwise.

#include <QObject>

class Prompter;
class ScriptEditor;
class QWidget;

class ScriptEditors final : public QObject {
    Q_OBJECT
public:
    explicit ScriptEditors(QObject *parent = nullptr);

    /// Creates HEAD_ED in headPanel and then BODY_ED in bodyPanel, each
    /// filling its panel.
    void create(QWidget *headPanel, QWidget *bodyPanel);
    bool exist() const { return m_head != nullptr; }

    ScriptEditor *head() const { return m_head; }
    ScriptEditor *body() const { return m_body; }

    /// The editor that receives insertions.
    ScriptEditor *current() const;
    bool currentIsHead() const { return m_currentIsHead; }
    void setCurrent(ScriptEditor *editor);
    void setCurrentIsHead(bool head) { m_currentIsHead = head; }

    /// HEAD_ED when it has the keyboard focus, else BODY_ED.
    ScriptEditor *focused() const;

    /// Either editor is modified.
    bool isModified() const;

    /// Puts a whole new script into the editors (New, Open, Edit from a
    /// library), unmodified and without bookmarks.
    void setScript(const QString &head, const QString &body);
    /// Tells those who show what the script holds that another one took
    /// its place (after a script restored from a crash, say).
    void announceScriptReplaced() { emit scriptReplaced(); }

signals:
    void created();
    void scriptReplaced();

private:
    ScriptEditor *m_head = nullptr;
    ScriptEditor *m_body = nullptr;
    bool m_currentIsHead = true;
};

/// Before a script replaces the editors' contents: asks "Current script
/// will be deleted, continue ?" (every time).  True on Yes.  The editors
/// are not touched: they change only once the new script is in hand.
bool askToReplaceScript(Prompter &prompter);
