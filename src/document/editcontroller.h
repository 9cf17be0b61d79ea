#pragma once
// The editing commands of the main window and the insertion operations
// every wizard and library command uses.
//
// Undo, Redo, Cut, Copy, Paste, Select all, Indent, Unindent, Find, Find
// next and Replace act on the focused editor (HEAD_ED when it has the
// focus, else BODY_ED); bookmarks, Jump to line and the insertions act on
// the current editor; Wordwrap on both.  The last text searched for is
// the same for both editors: Find and Replace start from it (when the
// selection does not give one) and Find next goes on with it, whichever
// editor it was searched in.

#include "ports/ports.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class ActionRegistry;
class Prompter;
class QAction;
class ScriptEditors;
class ScriptEditor;

class EditController final : public QObject, public DropTargets, public TextInsertion {
    Q_OBJECT
public:
    explicit EditController(const Ports &ports, QObject *parent = nullptr);

    /// Connects the editors once they exist (first show).
    void attachEditors();

    void WrapAndInsert(const QString &opening, const QString &closing) override;
    void InsertTemplate(const QString &templateText) override;

    // Commands.
    void setBookmark(int number);  // current editor
    void gotoBookmark(int number);
    void find();
    void findNext();
    void replace();
    void jumpToLine();
    void toggleWordWrap();

    /// A tree whose nodes may be dragged onto an editor: hasSelection says
    /// whether a drop is accepted, onDrop handles it on the editor dropped on.
    void registerDropSource(QObject *source, std::function<bool()> hasSelection,
                            std::function<void(ScriptEditor *target)> onDrop) override;

private:
    /// The focused editor, given the last search.
    ScriptEditor *searchingEditor();
    void showGutterMenu(ScriptEditor *editor, int line, QPoint globalPosition);
    void setWordWrapChecks(bool on);

    const Ports &m_ports;  // its settings pages are read when used
    Prompter &m_prompter;
    ActionRegistry &m_actions;
    ScriptEditors &m_editors;
    struct DropSource {
        std::function<bool()> hasSelection;
        std::function<void(ScriptEditor *)> onDrop;
    };
    QHash<QObject *, DropSource> m_dropSources;
    QString m_lastSearch;
};
