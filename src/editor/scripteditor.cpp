#include "editor/scripteditor.h"

#include "editor/blockindent.h"
#include "editor/bookmarks.h"
#include "editor/editorpositions.h"
#include "editor/highlighter.h"
#include "editor/keyassignments.h"
#include "editor/positions.h"
#include "editor/wordbounds.h"
#include "editor/wordchars.h"
#include "editor/wordcommands.h"
#include "platform/textfile.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexer.h>
#include <QSet>

#include <optional>
#include <utility>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

// QScintilla's accessible editor tells assistive tools where the caret is
// as a character offset from the start of the text, counted afresh after
// every key and every repaint: in a large text that stalls typing.  Qt
// asks for the interface when a widget is first shown, whether or not a
// tool listens; unless one does, the editor gets Qt's plain widget
// interface instead.
QAccessibleInterface *plainAccessibleEditor(const QString &, QObject *object)
{
    if (QAccessible::isActive())
        return nullptr;
    if (auto *editor = qobject_cast<ScriptEditor *>(object))
        return new QAccessibleWidget(editor, QAccessible::EditableText);
    return nullptr;
}

constexpr int kLineNumberMargin = 0;
constexpr int kBookmarkMargin = 1;

int combinedKey(const QKeySequence &key)
{
    return key.isEmpty() ? 0 : key[0].toCombined();
}

long send(const QsciScintilla *e, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return e->SendScintilla(message, wParam, lParam);
}

// --- words ------------------------------------------------------------------------

int keyOf(const QKeyEvent *event)
{
    return QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())).toCombined();
}

/// The length of the longest line of a text, in UTF-16 code units.
qsizetype longestLineLength(const QString &text)
{
    qsizetype longest = 0;
    qsizetype start = 0;
    const qsizetype size = text.size();
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i <= size; ++i) {
        if (i == size || chars[i] == u'\n' || chars[i] == u'\r') {
            longest = qMax(longest, i - start);
            start = i + 1;
        }
    }
    return longest;
}

} // namespace

struct ScriptEditor::Private {
    QString lastSearch;
    int indentStep = 2;
    std::optional<EditorBookmarks> bookmarks;
    QSet<int> reservedKeys;  // combined keys; no key assignment takes them
    std::optional<ByteRange> wordDrag;  // the word a double click selected, while the button is down
    std::function<bool(ScriptEditor *, QKeyEvent *)> keyHandler;
    std::function<bool(QObject *)> dropAcceptor;
    QMenu *popup = nullptr;
    bool acceptedDrag = false;
    QColor backColor = Qt::white;
    QPoint lastPressGlobal;
    bool changePending = false;  // a change was announced and not yet reported
    int lineNumberDigits = 0;    // the width the line numbers have room for; 0 while hidden
    bool lineNumbers = true;
};

ScriptEditor::ScriptEditor(QWidget *parent) : QsciScintilla(parent), d(std::make_unique<Private>())
{
    // Installed after QScintilla's own factory, so asked before it.
    static const bool plainAccessible = [] {
        QAccessible::installFactory(plainAccessibleEditor);
        return true;
    }();
    Q_UNUSED(plainAccessible);
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF32);

    // Until the creator gives others, the editor colours HTML and takes
    // QScintilla's usual keys.
    setHighlighter(makeHtmlHighlighter());
    applyKeyAssignments(defaultKeyAssignments());

    // The word moves, word deletions and double-click selection are the
    // editor's own (wordbounds.h), as is whole-word search.  What is left
    // to Scintilla (the word-part moves) keeps to the ASCII word characters.
    SendScintilla(SCI_SETWORDCHARS, 0UL, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_");

    setIndentationsUseTabs(false);
    setIndentationWidth(d->indentStep);
    setTabWidth(4);
    setAutoIndent(true);
    setCaretLineVisible(true);
    setWrapMode(WrapNone);
    // The horizontal scroll bar follows the longest line shown.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);

    // The gutter: line numbers, then the bookmarks.
    setMarginType(kLineNumberMargin, NumberMargin);
    setMarginLineNumbers(kLineNumberMargin, true);
    setMarginSensitivity(kLineNumberMargin, true);
    setMarginMarkerMask(kLineNumberMargin, 0);
    d->bookmarks.emplace(*this, kBookmarkMargin);
    for (int margin = 2; margin < margins(); ++margin)
        setMarginWidth(margin, 0);
    fitLineNumbers();

    // For every insertion and deletion it reports, QScintilla works out
    // its character offset from the start of the text, a walk over the
    // whole text before the change: in a large text every key would
    // stall.  The editor therefore asks Scintilla only for the notices
    // sent before a change, and reports the change once it is done: at
    // the end of the key, command or call that made it, or else from the
    // event loop right after.
    SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE));
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, [this](int, int type, const char *, int) {
        if (type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))
            noteChange();
    });
    connect(this, &QsciScintilla::marginClicked, this,
            [this](int, int line, Qt::KeyboardModifiers) { emit gutterClicked(line + 1, d->lastPressGlobal); });
    setAcceptDrops(true);
}

ScriptEditor::~ScriptEditor() = default;

// --- reporting changes -------------------------------------------------------------

void ScriptEditor::noteChange()
{
    if (d->changePending)
        return;
    d->changePending = true;
    QMetaObject::invokeMethod(this, [this] { reportChange(); }, Qt::QueuedConnection);
}

void ScriptEditor::reportChange()
{
    if (!d->changePending)
        return;
    d->changePending = false;
    fitLineNumbers();
    emit changed();
}

void ScriptEditor::fitLineNumbers()
{
    if (!d->lineNumbers) {
        d->lineNumberDigits = 0;
        setMarginWidth(kLineNumberMargin, 0);
        return;
    }
    const int digits = int(QString::number(lines()).size());
    if (digits == d->lineNumberDigits)
        return;
    d->lineNumberDigits = digits;
    // One digit to spare keeps the numbers off the bookmarks.
    setMarginWidth(kLineNumberMargin, QString(digits + 1, u'9'));
}

void ScriptEditor::undo()
{
    QsciScintilla::undo();
    reportChange();
}

void ScriptEditor::redo()
{
    QsciScintilla::redo();
    reportChange();
}

void ScriptEditor::cut()
{
    QsciScintilla::cut();
    reportChange();
}

void ScriptEditor::paste()
{
    QsciScintilla::paste();
    reportChange();
}

void ScriptEditor::clear()
{
    QsciScintilla::clear();
    reportChange();
}

void ScriptEditor::inputMethodEvent(QInputMethodEvent *event)
{
    QsciScintilla::inputMethodEvent(event);
    reportChange();
}

// --- text entering the editor ---------------------------------------------------

void ScriptEditor::setText(const QString &text)
{
    QsciScintilla::setText(toCrLf(text));
    reportChange();
}

void ScriptEditor::append(const QString &text)
{
    QsciScintilla::append(toCrLf(text));
    reportChange();
}

void ScriptEditor::insert(const QString &text)
{
    QsciScintilla::insert(toCrLf(text));
    reportChange();
}

void ScriptEditor::insertAt(const QString &text, int line, int index)
{
    QsciScintilla::insertAt(toCrLf(text), line, index);
    reportChange();
}

void ScriptEditor::replaceSelectedText(const QString &text)
{
    QsciScintilla::replaceSelectedText(toCrLf(text));
    reportChange();
}

QByteArray ScriptEditor::fromMimeData(const QMimeData *source, bool &rectangular) const
{
    const QByteArray bytes = QsciScintilla::fromMimeData(source, rectangular);
    if (!bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    return toCrLf(QString::fromUtf8(bytes)).toUtf8();
}

// --- whole text ---------------------------------------------------------------------

QString ScriptEditor::wholeText() const
{
    return text();
}

void ScriptEditor::setWholeText(const QString &text)
{
    // Bookmarks belong to the text they were set in.
    d->bookmarks->clear();
    setText(text);
    clearModifiedState();
    // Laying out a line of megabytes takes a second or more, so the new
    // text is laid out once, by the first paint.  The caret goes to the
    // start and the view to the top left without making sure the caret is
    // visible (that would lay its line out before the highlighter has
    // coloured it), and the scroll range the longest line needs is there
    // before that paint (Scintilla widening it after the paint repaints
    // all, laying the line out again).
    SendScintilla(SCI_SETEMPTYSELECTION, 0UL);
    SendScintilla(SCI_SETFIRSTVISIBLELINE, 0UL);
    SendScintilla(SCI_SETXOFFSET, 0UL);
    fitScrollWidth(longestLineLength(text));
}

void ScriptEditor::fitScrollWidth(qsizetype longestLine)
{
    // Scintilla widens the scroll range to the widest line it has laid out
    // (repainting all) and never narrows it.  Wrapped lines need no range;
    // else it starts from an estimate in the fixed-width font, a little
    // over: a range too wide costs nothing, one too narrow another paint, a
    // second layout when the line is long.
    if (wordWrapOn()) {
        SendScintilla(SCI_SETSCROLLWIDTH, 1UL);
        return;
    }
    const QByteArray sample(100, 'n');
    const double charWidth = SendScintilla(SCI_TEXTWIDTH, STYLE_DEFAULT, sample.constData()) / 100.0;
    const double estimate = double(longestLine) * charWidth * 1.02 + 16;
    SendScintilla(SCI_SETSCROLLWIDTH, static_cast<unsigned long>(qMin(estimate, double(INT_MAX))));
}

void ScriptEditor::empty()
{
    setWholeText(QString());
}

bool ScriptEditor::isEmptyText() const
{
    return SendScintilla(SCI_GETLENGTH) == 0;
}

// --- modified state ---------------------------------------------------------------

bool ScriptEditor::modifiedState() const
{
    return SendScintilla(SCI_CANUNDO) != 0;
}

void ScriptEditor::clearModifiedState()
{
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
}

// --- positions ----------------------------------------------------------------------

int ScriptEditor::selStart() const
{
    return characterPosition(*this, SendScintilla(SCI_GETSELECTIONSTART));
}

int ScriptEditor::selLength() const
{
    const long from = SendScintilla(SCI_GETSELECTIONSTART);
    const long to = SendScintilla(SCI_GETSELECTIONEND);
    return from == to ? 0 : characterPosition(*this, to) - characterPosition(*this, from);
}

void ScriptEditor::setSel(int start, int length)
{
    const long from = bytePosition(*this, start);
    const long to = length > 0 ? bytePosition(*this, start + length) : from;
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(from), to);
}

int ScriptEditor::caretPosition() const
{
    return characterPosition(*this, SendScintilla(SCI_GETCURRENTPOS));
}

void ScriptEditor::setCaretPosition(int position)
{
    SendScintilla(SCI_GOTOPOS, bytePosition(*this, position));
}

void ScriptEditor::replaceSelection(const QString &text)
{
    replaceSelectedText(text);
}

QByteArrayView ScriptEditor::textBytes() const
{
    const long length = send(this, Sci::SCI_GETLENGTH);
    return {static_cast<const char *>(SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER)), length};
}

void ScriptEditor::wrapSelection(const QString &opening, const QString &closing)
{
    beginUndoAction();
    if (hasSelectedText()) {
        const QString selected = selectedText();
        const int start = selStart();
        if (!closing.isEmpty()) {
            replaceSelection(opening + selected + closing);
            setSel(start + positionLength(opening), positionLength(selected));
        } else {
            replaceSelection(opening);
        }
    } else {
        const int caret = caretPosition();
        replaceSelection(opening + closing);
        if (!closing.isEmpty())
            setCaretPosition(caret + positionLength(opening));
    }
    endUndoAction();
}

int ScriptEditor::caretLine() const
{
    return int(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS))) + 1;
}

int ScriptEditor::caretColumn() const
{
    int line = 0, column = 0;
    byteLineColumn(*this, SendScintilla(SCI_GETCURRENTPOS), &line, &column);
    return column + 1;
}

void ScriptEditor::setCaretLineColumn(int line, int column)
{
    const int target = qBound(0, line - 1, qMax(0, lines() - 1));
    SendScintilla(SCI_GOTOPOS, byteAtLineColumn(*this, target, column - 1));
}

int ScriptEditor::lineCount() const
{
    return isEmptyText() ? 0 : lines();
}

bool ScriptEditor::insertMode() const
{
    return !overwriteMode();
}

bool ScriptEditor::wordWrapOn() const
{
    return wrapMode() != WrapNone;
}

bool ScriptEditor::lineNumbersShown() const
{
    return d->lineNumbers;
}

void ScriptEditor::setLineNumbersShown(bool on)
{
    d->lineNumbers = on;
    d->lineNumberDigits = 0;
    fitLineNumbers();
}

void ScriptEditor::setMarginsFont(const QFont &font)
{
    QsciScintilla::setMarginsFont(font);
    d->lineNumberDigits = 0;
    fitLineNumbers();
}

void ScriptEditor::setWordWrapOn(bool on)
{
    setWrapMode(on ? WrapWord : WrapNone);
}

bool ScriptEditor::focusEditor()
{
    if (!isVisible() || !isEnabled() || !window()->isVisible())
        return false;
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool ScriptEditor::focused() const
{
    return hasFocus();
}

// --- indentation ----------------------------------------------------------------------

void ScriptEditor::blockIndent()
{
    shiftIndentation(*this, d->indentStep);
    reportChange();
}

void ScriptEditor::blockUnindent()
{
    shiftIndentation(*this, -d->indentStep);
    reportChange();
}

void ScriptEditor::setBlockIndentStep(int columns)
{
    d->indentStep = qMax(1, columns);
    setIndentationWidth(d->indentStep);
}

int ScriptEditor::blockIndentStep() const
{
    return d->indentStep;
}

// --- bookmarks ----------------------------------------------------------------------------

void ScriptEditor::setBookmark(int number)
{
    d->bookmarks->set(number);
}

void ScriptEditor::gotoBookmark(int number)
{
    d->bookmarks->go(number);
}

bool ScriptEditor::hasBookmark(int number) const
{
    return d->bookmarks->has(number);
}

// --- the last search ----------------------------------------------------------------------

QString ScriptEditor::lastSearchText() const
{
    return d->lastSearch;
}

void ScriptEditor::setLastSearchText(const QString &text)
{
    d->lastSearch = text;
}

// --- colours --------------------------------------------------------------------------------

QColor ScriptEditor::defBackColor() const
{
    return d->backColor;
}

void ScriptEditor::setDefBackColor(const QColor &color)
{
    d->backColor = color;
    if (QsciLexer *highlighter = lexer()) {
        highlighter->setDefaultPaper(color);
        highlighter->setPaper(color, -1);
    }
    setPaper(color);
    const bool dark = color.lightness() < 128;
    setMarginsBackgroundColor(dark ? color.lighter(120) : color.darker(106));
    setMarginsForegroundColor(dark ? QColor(0xa0, 0xa0, 0xa0) : QColor(Qt::black));
    setCaretForegroundColor(dark ? QColor(0xf0, 0xf0, 0xf0) : QColor(Qt::black));
    setCaretLineBackgroundColor(dark ? color.lighter(140) : QColor(0xf2, 0xf6, 0xfc));
    setEdgeColor(dark ? QColor(0x58, 0x58, 0x58) : QColor(0xc0, 0xc0, 0xc0));
}

// --- highlighting and keys --------------------------------------------------------------------

void ScriptEditor::setHighlighter(std::unique_ptr<QsciLexer> highlighter)
{
    Q_ASSERT(highlighter);
    // A lexer taking the place of another first resets every style to
    // Scintilla's defaults: the predefined styles get back the look they
    // had, and the background is painted again.
    const std::unique_ptr<QsciLexer> previous(lexer());
    const PredefinedStyles predefined(*this);
    highlighter->setParent(this);
    setLexer(highlighter.release());
    if (previous) {
        predefined.applyTo(*this);
        if (const int brace = lexer()->braceStyle(); brace >= 0)
            lexer()->setFont(lexer()->font(brace), brace);  // matched braces take the font of its brace style
    }
    setFolding(NoFoldStyle);
    setDefBackColor(d->backColor);
}

void ScriptEditor::applyKeyAssignments(std::span<const KeyAssignment> table)
{
    QsciCommandSet *commands = standardCommands();
    commands->clearKeys();
    commands->clearAlternateKeys();
    QSet<int> taken = d->reservedKeys;
    for (const KeyAssignment &assignment : table) {
        const int key = assignment.key.toCombined();
        QsciCommand *command = commands->find(assignment.command);
        if (!command || taken.contains(key))
            continue;
        if (!command->key())
            command->setKey(key);
        else if (!command->alternateKey())
            command->setAlternateKey(key);
        else
            continue;
        taken.insert(key);
    }
}

// --- keys, menus, events ----------------------------------------------------------------------

void ScriptEditor::reserveKeys(const QList<QKeySequence> &keys)
{
    for (const QKeySequence &key : keys)
        if (const int k = combinedKey(key))
            d->reservedKeys.insert(k);
    const QList<QsciCommand *> &commands = standardCommands()->commands();
    for (QsciCommand *command : commands) {
        if (command->key() && d->reservedKeys.contains(command->key()))
            command->setKey(0);
        if (command->alternateKey() && d->reservedKeys.contains(command->alternateKey()))
            command->setAlternateKey(0);
    }
}

void ScriptEditor::setPopupMenu(QMenu *menu)
{
    d->popup = menu;
}

void ScriptEditor::setKeyPressHandler(std::function<bool(ScriptEditor *, QKeyEvent *)> handler)
{
    d->keyHandler = std::move(handler);
}

void ScriptEditor::setDropAcceptor(std::function<bool(QObject *)> acceptor)
{
    d->dropAcceptor = std::move(acceptor);
}

std::optional<QsciCommand::Command> ScriptEditor::wordCommandFor(const QKeyEvent *event) const
{
    // The key stays bound in the command set (so QScintilla keeps it from
    // the window's shortcuts) but never reaches Scintilla.
    const QsciCommand *command = standardCommands()->boundTo(keyOf(event));
    if (!command || !isOwnWordCommand(command->command()))
        return std::nullopt;
    return command->command();
}

void ScriptEditor::keyPressEvent(QKeyEvent *event)
{
    const bool typesText = !event->text().isEmpty();
    if (const std::optional<QsciCommand::Command> command = wordCommandFor(event)) {
        event->accept();
        runWordCommand(*this, *command);
    } else if (typesText && d->keyHandler && d->keyHandler(this, event)) {
        event->accept();
    } else {
        QsciScintilla::keyPressEvent(event);
    }
    emit inputHandled();
    reportChange();
    emit keyDown();
    if (typesText)
        emit keyPressed();
}

int ScriptEditor::marginsWidth() const
{
    int width = 0;
    for (int margin = 0; margin < margins(); ++margin)
        width += marginWidth(margin);
    return width;
}

void ScriptEditor::mousePressEvent(QMouseEvent *event)
{
    // A click in the gutter is reported with the place it happened; only
    // a press in the text itself counts as a mouse-down.
    d->lastPressGlobal = event->globalPosition().toPoint();
    const bool inText = event->position().x() >= marginsWidth();
    d->wordDrag.reset();
    QsciScintilla::mousePressEvent(event);
    emit inputHandled();
    if (inText)
        emit mouseDown();
}

void ScriptEditor::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Scintilla selects its own word (and counts the click towards a triple
    // click); the selection then becomes the editor's word.
    QsciScintilla::mouseDoubleClickEvent(event);
    emit inputHandled();
    if (event->button() != Qt::LeftButton || (event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier)) ||
        event->position().x() < marginsWidth())
        return;
    const QPoint at = event->position().toPoint();
    const long clicked = SendScintilla(SCI_CHARPOSITIONFROMPOINT, static_cast<unsigned long>(at.x()), long(at.y()));
    const ByteRange word = wordAt(textBytes(), clicked);
    d->wordDrag = word;
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(word.start), long(word.end));
}

void ScriptEditor::dragWordsTo(QPoint at)
{
    // Dragging on from a double click extends the selection by whole words.
    const long position = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(at.x()), long(at.y()));
    const WordSelection selection = dragWordSelection(textBytes(), *d->wordDrag, position);
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(selection.anchor), long(selection.caret));
}

void ScriptEditor::mouseMoveEvent(QMouseEvent *event)
{
    QsciScintilla::mouseMoveEvent(event);
    if (d->wordDrag && (event->buttons() & Qt::LeftButton))
        dragWordsTo(event->position().toPoint());
}

void ScriptEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QsciScintilla::mouseReleaseEvent(event);
    // Scintilla's scrolling while the mouse is held outside the text
    // extends by its own words: the release settles the selection.
    if (d->wordDrag && event->button() == Qt::LeftButton)
        dragWordsTo(event->position().toPoint());
    d->wordDrag.reset();
    emit inputHandled();
}

void ScriptEditor::focusInEvent(QFocusEvent *event)
{
    QsciScintilla::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        emit entered();
}

void ScriptEditor::focusOutEvent(QFocusEvent *event)
{
    QsciScintilla::focusOutEvent(event);
    // A pop-up menu holds the keyboard only while it is open: the editor
    // has not been left (the gutter menu acts on the editor clicked, which
    // need not be this one).
    if (event->reason() != Qt::PopupFocusReason)
        emit exited();
}

void ScriptEditor::contextMenuEvent(QContextMenuEvent *event)
{
    if (d->popup) {
        d->popup->popup(event->globalPos());
        event->accept();
        return;
    }
    QsciScintilla::contextMenuEvent(event);
}

QObject *ScriptEditor::dragSource(const QDropEvent *event) const
{
    return event->source();
}

void ScriptEditor::dragEnterEvent(QDragEnterEvent *event)
{
    QObject *source = dragSource(event);
    // A drag of the editor's own text is never handed to the acceptor.
    d->acceptedDrag = source && source != this && source != viewport() && d->dropAcceptor && d->dropAcceptor(source);
    if (d->acceptedDrag) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit draggedOver();
        return;
    }
    QsciScintilla::dragEnterEvent(event);
}

void ScriptEditor::dragMoveEvent(QDragMoveEvent *event)
{
    if (d->acceptedDrag) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit draggedOver();
        return;
    }
    QsciScintilla::dragMoveEvent(event);
}

void ScriptEditor::dragLeaveEvent(QDragLeaveEvent *event)
{
    if (d->acceptedDrag) {
        d->acceptedDrag = false;
        event->accept();
        return;
    }
    QsciScintilla::dragLeaveEvent(event);
}

void ScriptEditor::dropEvent(QDropEvent *event)
{
    if (d->acceptedDrag) {
        d->acceptedDrag = false;
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit dropped(dragSource(event), event->position().toPoint());
        return;
    }
    QsciScintilla::dropEvent(event);
    reportChange();
}
