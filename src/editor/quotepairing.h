#pragma once
// Pairing of double quotes in a fragment editor.
//
// A typed " puts two, the caret between them, or wraps the selection in
// them (the wrapped text stays selected).  The pair is remembered: typed
// right before the closing quote put there, while the caret has stayed
// inside the pair, " steps over that quote instead of typing another.  The
// pair is followed through every change of the text and forgotten once
// either quote is deleted or the caret leaves it (going before the
// character after the opening quote, or past the closing one).

#include <QObject>

#include <functional>

class QKeyEvent;
class ScriptEditor;

class QuotePairing final : public QObject {
    Q_OBJECT
public:
    /// Pairs the quotes typed in editor, which owns the pairing from now
    /// on.  beforePairing, when given, runs before a typed quote is paired.
    static QuotePairing *attach(ScriptEditor &editor, std::function<void()> beforePairing = {});

private:
    QuotePairing(ScriptEditor &editor, std::function<void()> beforePairing);
    /// True when the key was a quote and has been handled.
    bool typed(QKeyEvent *event);
    void remember(long openByte, long closeByte);
    void forget();
    /// Follows a change about to be made to the text.
    void follow(int type, long position, long length);
    /// Forgets the pair once the caret has left it.
    void checkCaret();

    ScriptEditor &m_editor;
    std::function<void()> m_beforePairing;
    long m_open = -1;  // bytes of the pair's two quotes
    long m_close = -1;
};
