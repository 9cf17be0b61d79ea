#pragma once
// Two-key commands ("Ctrl+K, I": Ctrl+K, then I), which QScintilla's key
// table cannot hold.  The filter sits on one editor: the first key of a
// pair is held back, and the next key runs the pair's command or is
// dropped.  A window shortcut on a first key still wins; the key after a
// held-back first key always goes to the pair.

#include "editor/highlightscheme.h"

#include <QKeyCombination>
#include <QObject>

#include <optional>
#include <vector>

class ScriptEditor;

class ChordKeyFilter final : public QObject {
    Q_OBJECT
public:
    /// Installs itself on editor (which owns it).
    explicit ChordKeyFilter(ScriptEditor &editor);

    /// Takes the two-key assignments of settings; single keys are left to
    /// the editor's key table.
    void setKeys(const EditorSettings &settings);

    /// Runs one of the assignable commands in the editor.
    static void runCommand(ScriptEditor &editor, int command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<int> secondKeyCommand(QKeyCombination first, QKeyCombination second) const;

    struct Chord {
        QKeyCombination first;
        QKeyCombination second;
        int command;
    };
    ScriptEditor &m_editor;
    std::vector<Chord> m_chords;
    std::optional<QKeyCombination> m_pending;
};
