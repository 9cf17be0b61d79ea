#pragma once
// The fragment editor: a QScintilla editor that behaves the way the rest
// of the program expects of HEAD_ED and BODY_ED.
//
// - Line breaks are CR LF everywhere: Enter inserts CR LF, pasted and
//   dropped text is converted, and every text the editor hands out carries
//   CR LF.
// - Positions (selection start and length, caret position) count a line
//   break as one position, and are counted in characters, not bytes.
// - The modified state is "the undo history is not empty"; clearing it
//   empties the undo history.
// - It starts with the HTML highlighter (makeHtmlHighlighter()) and the
//   default key table (defaultKeyAssignments()); its creator may give it
//   others.
// - Word moves, word deletions and double-click selection stop where the
//   editor's word rule says (wordbounds.h), not where Scintilla's would.

#include "editor/keyassignments.h"

#include <QByteArrayView>
#include <QColor>
#include <QKeySequence>
#include <QList>
#include <Qsci/qscicommand.h>
#include <Qsci/qsciscintilla.h>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>

class QDragLeaveEvent;
class QDropEvent;
class QInputMethodEvent;
class QMenu;
class QMimeData;
class QsciLexer;

class ScriptEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit ScriptEditor(QWidget *parent = nullptr);
    ~ScriptEditor() override;

    // --- whole text ---------------------------------------------------
    /// The whole text, CR LF line breaks.
    QString wholeText() const;
    /// The text as the editor holds it (UTF-8), without a copy; good until
    /// the next change.
    QByteArrayView textBytes() const;
    /// Replaces everything; line breaks become CR LF; the undo history is
    /// emptied and the caret goes to the start.
    void setWholeText(const QString &text);
    /// Empties text and undo history.
    void empty();
    bool isEmptyText() const;

    // --- modified state -------------------------------------------------
    bool modifiedState() const;  // the undo history is not empty
    void clearModifiedState();   // empties the undo history

    // --- positions (a line break counts as one position) ---------------
    int selStart() const;
    int selLength() const;
    void setSel(int start, int length);  // caret ends at start + length
    int caretPosition() const;
    void setCaretPosition(int position);
    /// Replaces the selection (or inserts at the caret); line breaks of the
    /// text become CR LF; the caret ends after the text.
    void replaceSelection(const QString &text);
    /// Puts opening before and closing after the selection and selects it
    /// again; without a selection inserts both with the caret between them.
    /// An empty closing replaces the selection with opening.  One undo step.
    void wrapSelection(const QString &opening, const QString &closing);
    /// 1-based caret line and column (the column counts characters).
    int caretLine() const;
    int caretColumn() const;
    void setCaretLineColumn(int line, int column);
    /// The lines the caret can stand on; 0 for an empty text.
    int lineCount() const;

    bool insertMode() const;  // false in overwrite mode

    bool wordWrapOn() const;
    void setWordWrapOn(bool on);

    /// Line numbers in the gutter (on at first); the bookmarks stay either way.
    bool lineNumbersShown() const;
    void setLineNumbersShown(bool on);
    /// The gutter's font; the line numbers' width follows it.
    void setMarginsFont(const QFont &font) override;

    /// Gives the editor the keyboard focus; false (and nothing happens)
    /// when it cannot take it: hidden, disabled or its window not shown.
    [[nodiscard]] bool focusEditor();
    bool focused() const;

    // --- indentation ----------------------------------------------------
    void blockIndent();    // every line touched by the selection (or the caret's line)
    void blockUnindent();
    void setBlockIndentStep(int columns);
    int blockIndentStep() const;

    // --- bookmarks 0 to 9, each at a line and a column ---------------------
    void setBookmark(int number);   // at the caret
    void gotoBookmark(int number);  // a bookmark never set does nothing
    bool hasBookmark(int number) const;

    // --- search (editorsearch.h searches, finddialog.h shows the dialogs) ---
    /// The text last searched for in this editor.
    QString lastSearchText() const;
    void setLastSearchText(const QString &text);

    // --- highlighting and keys ----------------------------------------------
    /// Colours the text with highlighter (not null), which the editor owns
    /// from now on, deleting the one before.  Every style keeps the
    /// editor's background colour (defBackColor()).
    void setHighlighter(std::unique_ptr<QsciLexer> highlighter);
    /// Binds the editor's commands to the keys of table, replacing every
    /// binding before.  A command takes at most two keys (its key and its
    /// alternate key); a key listed twice keeps its first command; keys
    /// QScintilla cannot bind (QsciCommand::validKey()) and reserved keys
    /// (reserveKeys()) stay unbound.  The word moves and word deletions
    /// (WordLeft, WordRightExtend, DeleteWordLeft...) the editor runs itself
    /// on its word rule, on whatever keys the table gives them.
    void applyKeyAssignments(std::span<const KeyAssignment> table);

    // --- colours (editorprinting.h prints) -----------------------------------
    QColor defBackColor() const;
    /// The paper; the gutter, the caret, the caret's line and the right
    /// margin's line take colours that show on it, light or dark.
    void setDefBackColor(const QColor &color);

    // --- keys and menus -----------------------------------------------------
    /// Keys the program's own commands use: the editor drops its built-in
    /// bindings for them, now and in every later key table, so the command
    /// receives the key.
    void reserveKeys(const QList<QKeySequence> &keys);
    /// The context menu shown on a right click.
    void setPopupMenu(QMenu *menu);
    /// Called for every key press that types a character; returning true
    /// discards the key (quotepairing.h pairs quotes so).
    void setKeyPressHandler(std::function<bool(ScriptEditor *, QKeyEvent *)> handler);
    /// Decides whether a drag coming from source may be dropped here.
    void setDropAcceptor(std::function<bool(QObject *source)> acceptor);

signals:
    void changed();                                // the text changed
    void keyDown();                                // after a key was handled
    void keyPressed();                             // after a character key was handled
    void mouseDown();                              // a mouse button went down in the text
    void entered();                                // the editor received the focus
    void exited();                                 // the editor lost the focus
    void draggedOver();                            // an accepted drag moves over the editor
    void dropped(QObject *source, QPoint position); // an accepted drag was dropped
    void gutterClicked(int line, QPoint globalPosition); // 1-based line
    void inputHandled();                                 // after a key or a mouse press, click or release

public slots:
    // Every way text enters the editor turns its line breaks into CR LF.
    void setText(const QString &text) override;
    void append(const QString &text) override;
    void insert(const QString &text) override;
    void insertAt(const QString &text, int line, int index) override;
    void replaceSelectedText(const QString &text) override;
    // Commands that change the text report the change when they are done.
    void undo() override;
    void redo() override;
    void cut() override;
    void paste() override;
    void clear() override;

protected:
    /// The object a drag comes from (QDropEvent::source(); tests put in
    /// their own source here, since no real drag runs offscreen).
    virtual QObject *dragSource(const QDropEvent *event) const;
    /// Pasted and dropped text, with CR LF line breaks.
    QByteArray fromMimeData(const QMimeData *source, bool &rectangular) const override;

    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

public:
    /// Reports a change made through SendScintilla() now (changed()),
    /// rather than from the event loop.
    void reportChange();

private:
    // A change is announced before it happens and reported (changed())
    // once it is done.
    void noteChange();
    void fitLineNumbers();
    // The editor's own word commands (see applyKeyAssignments).
    std::optional<QsciCommand::Command> wordCommandFor(const QKeyEvent *event) const;
    void dragWordsTo(QPoint at);
    /// Sets the horizontal scroll range for a text whose longest line has
    /// that many characters.
    void fitScrollWidth(qsizetype longestLine);
    int marginsWidth() const;

    struct Private;
    std::unique_ptr<Private> d;
};
