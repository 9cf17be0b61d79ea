#include "editor/quotepairing.h"

#include "editor/scripteditor.h"

#include <QKeyEvent>

namespace {
using Sci = QsciScintillaBase;
}  // namespace

QuotePairing *QuotePairing::attach(ScriptEditor &editor, std::function<void()> beforePairing)
{
    return new QuotePairing(editor, std::move(beforePairing));
}

QuotePairing::QuotePairing(ScriptEditor &editor, std::function<void()> beforePairing)
    : QObject(&editor), m_editor(editor), m_beforePairing(std::move(beforePairing))
{
    editor.setKeyPressHandler([this](ScriptEditor *, QKeyEvent *event) { return typed(event); });
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this, [this](int position, int type, const char *, int length) {
        if (type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE))
            follow(type, position, length);
    });
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { checkCaret(); });
    connect(&editor, &ScriptEditor::inputHandled, this, &QuotePairing::checkCaret);
}

bool QuotePairing::typed(QKeyEvent *event)
{
    if (event->text() != QStringLiteral("\""))
        return false;
    if (m_beforePairing)
        m_beforePairing();
    const long caret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    if (m_editor.hasSelectedText()) {
        m_editor.wrapSelection(QStringLiteral("\""), QStringLiteral("\""));
        // The quotes stand right outside the selection, which is the
        // wrapped text again.
        const long start = m_editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
        const long end = m_editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
        remember(start - 1, end);
    } else if (m_close >= 0 && caret == m_close) {
        // The closing quote the pairing put there is typed over: the caret
        // steps past it, and so leaves the pair.
        m_editor.setCaretPosition(m_editor.caretPosition() + 1);
    } else {
        m_editor.beginUndoAction();
        m_editor.replaceSelection(QStringLiteral("\"\""));
        const int between = m_editor.caretPosition() - 1;
        m_editor.setCaretPosition(between);
        m_editor.endUndoAction();
        const long betweenByte = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
        remember(betweenByte - 1, betweenByte);
    }
    return true;
}

void QuotePairing::remember(long openByte, long closeByte)
{
    m_open = openByte;
    m_close = closeByte;
    checkCaret();
}

void QuotePairing::forget()
{
    m_open = -1;
    m_close = -1;
}

void QuotePairing::follow(int type, long position, long length)
{
    if (m_close < 0)
        return;
    if (type & Sci::SC_MOD_BEFOREINSERT) {
        // Text put right before a quote pushes it on.
        if (position <= m_open)
            m_open += length;
        if (position <= m_close)
            m_close += length;
    } else if (type & Sci::SC_MOD_BEFOREDELETE) {
        const long end = position + length;
        if ((position <= m_open && m_open < end) || (position <= m_close && m_close < end)) {
            forget();
            return;
        }
        if (end <= m_open)
            m_open -= length;
        if (end <= m_close)
            m_close -= length;
    }
}

void QuotePairing::checkCaret()
{
    if (m_close < 0)
        return;
    const long caret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    if (caret <= m_open || caret > m_close)
        forget();
}
