#include "editor/chordkeys.h"

#include "editor/scripteditor.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace {

QKeyCombination pressed(const QKeyEvent *event)
{
    return QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

} // namespace

ChordKeyFilter::ChordKeyFilter(ScriptEditor &editor) : QObject(&editor), m_editor(editor)
{
    setObjectName(QStringLiteral("ChordKeyFilter"));
    editor.installEventFilter(this);
}

void ChordKeyFilter::setKeys(const EditorSettings &settings)
{
    m_chords.clear();
    m_pending.reset();
    for (int command = 0; command < kEditorCommandCount; ++command) {
        for (const QString &text : settings.keys[size_t(command)]) {
            const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
            if (sequence.count() == 2)
                m_chords.push_back({sequence[0], sequence[1], command});
        }
    }
}

std::optional<int> ChordKeyFilter::secondKeyCommand(QKeyCombination first, QKeyCombination second) const
{
    // The second key counts with Ctrl still held, too.
    const QKeyCombination withoutCtrl(second.keyboardModifiers() & ~Qt::ControlModifier, second.key());
    for (const QKeyCombination candidate : {second, withoutCtrl}) {
        for (const Chord &chord : m_chords) {
            if (chord.first == first && chord.second == candidate)
                return chord.command;
        }
    }
    return std::nullopt;
}

void ChordKeyFilter::runCommand(ScriptEditor &editor, int command)
{
    if (command == 17)
        editor.blockIndent();
    else if (command == 18)
        editor.blockUnindent();
    else if (command >= 20 && command <= 29)
        editor.setBookmark(command - 20);
    else if (command >= 30 && command <= 39)
        editor.gotoBookmark(command - 30);
}

bool ChordKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    const bool override = event->type() == QEvent::ShortcutOverride;
    if (watched != &m_editor || !(press || override) || m_chords.empty())
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (isModifierKey(key->key()))
        return false;
    const QKeyCombination now = pressed(key);
    if (m_pending) {
        // The key after the first of a pair belongs to the pair, even when
        // a window shortcut has it.
        if (override) {
            key->accept();
            return true;
        }
        const std::optional<int> command = secondKeyCommand(*m_pending, now);
        m_pending.reset();
        if (command)
            runCommand(m_editor, *command);
        return true;  // a pair the table does not know: both keys are dropped
    }
    if (override)
        return false;  // the first key of a pair: window shortcuts win
    for (const Chord &chord : m_chords) {
        if (chord.first == now) {
            m_pending = now;
            return true;
        }
    }
    return false;
}
