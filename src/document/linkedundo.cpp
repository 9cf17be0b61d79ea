#include "document/linkedundo.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"

#include <QList>

#include <array>

namespace {

const char *const kLinkName = "linkedUndo";

/// Follows the two editors' changes and undoes or redoes the other half of
/// a linked step when one half is undone or redone.
class LinkedUndo final : public QObject {
public:
    LinkedUndo(ScriptEditor *head, ScriptEditor *body, QObject *parent) : QObject(parent)
    {
        setObjectName(QString::fromLatin1(kLinkName));
        m_sides[0].editor = head;
        m_sides[1].editor = body;
        for (int side = 0; side < 2; ++side) {
            ScriptEditor *editor = m_sides[size_t(side)].editor;
            connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
                    [this, side](int, int type, const char *, int, int, int, int, int, int token, int) {
                        modified(side, type, token);
                    });
        }
    }

    void edit(const std::function<void(ScriptEditor &)> &headEdit, const std::function<void(ScriptEditor &)> &bodyEdit)
    {
        // A change of either editor since the last linked step was in step
        // may lie between that step and the top of its history: the steps
        // before are no longer linked.
        if (!inStep())
            m_tokens.clear();
        m_tokens.resize(m_done);
        const int token = m_nextToken++;
        const std::array<const std::function<void(ScriptEditor &)> *, 2> edits{&headEdit, &bodyEdit};
        for (size_t side = 0; side < 2; ++side) {
            ScriptEditor &editor = *m_sides[side].editor;
            // Scintilla tells of undone and redone tokens only when asked to.
            const auto mask = editor.SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
            editor.SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                                 static_cast<unsigned long>(mask | QsciScintillaBase::SC_MOD_CONTAINER));
            editor.beginUndoAction();
            editor.SendScintilla(QsciScintillaBase::SCI_ADDUNDOACTION, token, 0L);
            (*edits[side])(editor);
            editor.SendScintilla(QsciScintillaBase::SCI_ADDUNDOACTION, token, 0L);
            editor.endUndoAction();
            editor.reportChange();
        }
        m_tokens.append(token);
        m_done = m_tokens.size();
        for (Side &side : m_sides)
            side.expected = side.changes;
    }

private:
    struct Side {
        ScriptEditor *editor = nullptr;
        quint64 changes = 0;   // every change of its text so far
        quint64 expected = 0;  // the count when the linked steps were last in step
        int openToken = 0;     // the token of the half being undone or redone now
    };

    bool inStep() const
    {
        return m_sides[0].changes == m_sides[0].expected && m_sides[1].changes == m_sides[1].expected;
    }

    void forget()
    {
        m_tokens.clear();
        m_done = 0;
    }

    void modified(int sideIndex, int type, int token)
    {
        Side &side = m_sides[size_t(sideIndex)];
        if (type & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE)) {
            ++side.changes;
            return;
        }
        if (!(type & QsciScintillaBase::SC_MOD_CONTAINER) || sideIndex == m_driving)
            return;
        // A half is marked at both ends: the first mark met starts its undo
        // (or redo), the second ends it.
        if (side.openToken == token) {
            side.openToken = 0;
            side.expected = side.changes;
            return;
        }
        side.openToken = token;
        const qsizetype index = m_tokens.indexOf(token);
        if (index < 0)
            return;
        const bool undo = (type & QsciScintillaBase::SC_PERFORMED_UNDO) != 0;
        Side &other = m_sides[size_t(1 - sideIndex)];
        ScriptEditor &otherEditor = *other.editor;
        if (index != (undo ? m_done - 1 : m_done) || other.changes != other.expected ||
            !(undo ? otherEditor.isUndoAvailable() : otherEditor.isRedoAvailable())) {
            forget();
            return;
        }
        m_driving = 1 - sideIndex;
        if (undo)
            otherEditor.undo();
        else
            otherEditor.redo();
        m_driving = -1;
        other.expected = other.changes;
        m_done += undo ? -1 : 1;
    }

    std::array<Side, 2> m_sides;
    QList<int> m_tokens;   // the linked steps, oldest first
    qsizetype m_done = 0;  // how many of them are done (the rest are undone)
    int m_nextToken = 1;
    int m_driving = -1;  // the side this object is undoing or redoing itself
};

}  // namespace

void editBothAsOneStep(ScriptEditors &editors, const std::function<void(ScriptEditor &)> &headEdit,
                       const std::function<void(ScriptEditor &)> &bodyEdit)
{
    if (!headEdit || !bodyEdit) {
        const auto &edit = headEdit ? headEdit : bodyEdit;
        if (!edit)
            return;
        ScriptEditor &editor = headEdit ? *editors.head() : *editors.body();
        editor.beginUndoAction();
        edit(editor);
        editor.endUndoAction();
        editor.reportChange();
        return;
    }
    auto *link = dynamic_cast<LinkedUndo *>(
        editors.findChild<QObject *>(QString::fromLatin1(kLinkName), Qt::FindDirectChildrenOnly));
    if (!link)
        link = new LinkedUndo(editors.head(), editors.body(), &editors);
    link->edit(headEdit, bodyEdit);
}
