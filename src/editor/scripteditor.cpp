#include "editor/scripteditor.h"

#include "editor/finddialog.h"
#include "editor/wordchars.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciprinter.h>

#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QMimeData>
#include <QPrinter>
#include <QSet>

namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kBookmarkMargin = 1;
constexpr int kFirstBookmarkMarker = 1;  // markers 1 to 10 are bookmarks 0 to 9

QPixmap bookmarkPixmap(int number)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1e, 0x5a, 0xa8));
    p.setBrush(QColor(0x42, 0x8b, 0xe6));
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 3, 3);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 14, 14), Qt::AlignCenter, QString::number(number));
    return pixmap;
}

int combinedKey(const QKeySequence &key)
{
    return key.isEmpty() ? 0 : key[0].toCombined();
}

} // namespace

struct ScriptEditor::Private {
    QsciLexerHTML *lexer = nullptr;
    QString lastSearch;
    int indentStep = 2;
    std::array<int, 10> bookmarkHandles{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::array<int, 10> bookmarkColumns{};
    std::function<bool(ScriptEditor *, QKeyEvent *)> keyHandler;
    std::function<bool(QObject *)> dropAcceptor;
    QMenu *popup = nullptr;
    bool treeDrag = false;
    QColor backColor = Qt::white;
};

ScriptEditor::ScriptEditor(QWidget *parent) : QsciScintilla(parent), d(new Private)
{
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);

    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    d->lexer = new QsciLexerHTML(this);
    d->lexer->setFoldCompact(false);
    d->lexer->setDefaultFont(font);
    d->lexer->setFont(font, -1);
    setLexer(d->lexer);
    setFolding(NoFoldStyle);
    setFont(font);
    setDefBackColor(Qt::white);

    // Word boundaries: ASCII letters, digits and the underscore here; the
    // Polish letters count as word characters as every other letter
    // outside ASCII does in the editor, and whole-word search applies the
    // program's own rule.
    SendScintilla(SCI_SETWORDCHARS, 0UL, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_");

    setIndentationsUseTabs(false);
    setIndentationWidth(d->indentStep);
    setTabWidth(4);
    setAutoIndent(true);
    setBraceMatching(SloppyBraceMatch);
    setCaretLineVisible(true);
    setCaretLineBackgroundColor(QColor(0xf2, 0xf6, 0xfc));
    setWrapMode(WrapNone);
    // The horizontal scroll bar follows the longest line shown.
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);

    // The gutter: line numbers, then the bookmarks.
    setMarginType(kLineNumberMargin, NumberMargin);
    setMarginLineNumbers(kLineNumberMargin, true);
    setMarginSensitivity(kLineNumberMargin, true);
    setMarginType(kBookmarkMargin, SymbolMargin);
    setMarginWidth(kBookmarkMargin, 16);
    setMarginSensitivity(kBookmarkMargin, true);
    int mask = 0;
    for (int n = 0; n < 10; ++n) {
        markerDefine(bookmarkPixmap(n), kFirstBookmarkMarker + n);
        mask |= 1 << (kFirstBookmarkMarker + n);
    }
    setMarginMarkerMask(kBookmarkMargin, mask);
    setMarginMarkerMask(kLineNumberMargin, 0);
    const auto fitNumbers = [this] { setMarginWidth(kLineNumberMargin, QString(QString::number(lines()).size() + 1, u'9')); };
    fitNumbers();
    connect(this, &QsciScintilla::linesChanged, this, fitNumbers);

    connect(this, &QsciScintilla::textChanged, this, &ScriptEditor::changed);
    connect(this, &QsciScintilla::marginClicked, this,
            [this](int, int line, Qt::KeyboardModifiers) { emit gutterClicked(line + 1, QCursor::pos()); });
    setAcceptDrops(true);
}

ScriptEditor::~ScriptEditor()
{
    delete d;
}

// --- positions ---------------------------------------------------------------------

namespace {

// Byte position <-> position counting characters, a CR LF as one.
int toPosition(const QsciScintilla *e, long bytePos)
{
    int line = 0, index = 0;
    e->lineIndexFromPosition(int(bytePos), &line, &index);
    const long lineStart = e->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long before = e->SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, 0, lineStart);
    return int(before - line + index);
}

long toBytePosition(const QsciScintilla *e, int position)
{
    if (position <= 0)
        return 0;
    const long length = e->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    // Every line before the position ends with two characters that count
    // as one: find how many lines those are.
    long line = 0;
    for (int round = 0; round < 64; ++round) {
        long byte = e->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, 0UL, long(position + line));
        if (byte == 0 && position + line > 0)
            byte = length;  // past the end
        const long found = e->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, byte);
        if (found == line)
            return byte;
        line = found;
    }
    return length;
}

} // namespace

QString ScriptEditor::wholeText() const
{
    return text();
}

void ScriptEditor::setWholeText(const QString &text)
{
    setText(toCrLf(text));
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
    SendScintilla(SCI_GOTOPOS, 0L);
}

void ScriptEditor::empty()
{
    setWholeText(QString());
}

bool ScriptEditor::isEmptyText() const
{
    return length() == 0;
}

bool ScriptEditor::modifiedState() const
{
    return SendScintilla(SCI_CANUNDO) != 0;
}

void ScriptEditor::clearModifiedState()
{
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
}

int ScriptEditor::selStart() const
{
    return toPosition(this, SendScintilla(SCI_GETSELECTIONSTART));
}

int ScriptEditor::selLength() const
{
    return toPosition(this, SendScintilla(SCI_GETSELECTIONEND)) - selStart();
}

void ScriptEditor::setSel(int start, int length)
{
    const long from = toBytePosition(this, start);
    const long to = toBytePosition(this, start + qMax(0, length));
    SendScintilla(SCI_SETSEL, from, to);
}

int ScriptEditor::caretPosition() const
{
    return toPosition(this, SendScintilla(SCI_GETCURRENTPOS));
}

void ScriptEditor::setCaretPosition(int position)
{
    const long byte = toBytePosition(this, position);
    SendScintilla(SCI_SETSEL, byte, byte);
}

void ScriptEditor::replaceSelection(const QString &text)
{
    replaceSelectedText(toCrLf(text));
}

int ScriptEditor::caretLine() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

int ScriptEditor::caretColumn() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return index + 1;
}

void ScriptEditor::setCaretLineColumn(int line, int column)
{
    const int target = qBound(0, line - 1, qMax(0, lines() - 1));
    // The column cannot go past the line's end (its line break excluded).
    const long endByte = SendScintilla(SCI_GETLINEENDPOSITION, target);
    int endLine = 0, endIndex = 0;
    lineIndexFromPosition(int(endByte), &endLine, &endIndex);
    setCursorPosition(target, qBound(0, column - 1, endIndex));
    ensureCursorVisible();
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

void ScriptEditor::setWordWrapOn(bool on)
{
    setWrapMode(on ? WrapWord : WrapNone);
}

void ScriptEditor::focusEditor()
{
    if (!isVisible() || !isEnabled() || !window()->isVisible())
        throw EditorFocusError("Cannot focus a disabled or invisible window");
    setFocus(Qt::OtherFocusReason);
}

bool ScriptEditor::focused() const
{
    return hasFocus();
}

// --- indentation ----------------------------------------------------------------------

namespace {

// The lines a selection touches; a selection ending at the start of a line
// does not take that line.
void selectedLines(const QsciScintilla *e, int *first, int *last)
{
    int lineFrom = 0, indexFrom = 0, lineTo = 0, indexTo = 0;
    e->getSelection(&lineFrom, &indexFrom, &lineTo, &indexTo);
    if (lineFrom < 0) {
        int index = 0;
        e->getCursorPosition(&lineFrom, &index);
        lineTo = lineFrom;
        indexTo = index;
    } else if (indexTo == 0 && lineTo > lineFrom) {
        --lineTo;
    }
    *first = lineFrom;
    *last = lineTo;
}

} // namespace

void ScriptEditor::blockIndent()
{
    int first = 0, last = 0;
    const bool selection = hasSelectedText();
    selectedLines(this, &first, &last);
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    beginUndoAction();
    for (int l = first; l <= last; ++l)
        indent(l);
    endUndoAction();
    if (selection)
        setSelection(first, 0, last, lineLength(last) - (last + 1 < lines() ? 2 : 0));
    else
        setCursorPosition(line, index + d->indentStep);
}

void ScriptEditor::blockUnindent()
{
    int first = 0, last = 0;
    const bool selection = hasSelectedText();
    selectedLines(this, &first, &last);
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    const int before = indentation(line);
    beginUndoAction();
    for (int l = first; l <= last; ++l)
        unindent(l);
    endUndoAction();
    if (selection)
        setSelection(first, 0, last, lineLength(last) - (last + 1 < lines() ? 2 : 0));
    else
        setCursorPosition(line, qMax(0, index - (before - indentation(line))));
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
    if (number < 0 || number > 9)
        return;
    if (d->bookmarkHandles[number] >= 0)
        markerDeleteHandle(d->bookmarkHandles[number]);
    d->bookmarkHandles[number] = markerAdd(caretLine() - 1, kFirstBookmarkMarker + number);
    d->bookmarkColumns[number] = caretColumn();
}

void ScriptEditor::gotoBookmark(int number)
{
    if (!hasBookmark(number))
        return;
    const int line = markerLine(d->bookmarkHandles[number]);
    if (line < 0) {
        d->bookmarkHandles[number] = -1;
        return;
    }
    setCaretLineColumn(line + 1, d->bookmarkColumns[number]);
}

bool ScriptEditor::hasBookmark(int number) const
{
    return number >= 0 && number <= 9 && d->bookmarkHandles[number] >= 0 && markerLine(d->bookmarkHandles[number]) >= 0;
}

// --- search -------------------------------------------------------------------------------

namespace {

QChar charBefore(const QsciScintilla *e, long byte)
{
    if (byte <= 0)
        return QChar();
    const long start = e->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, byte);
    const QString s = e->text(int(start), int(byte));
    return s.isEmpty() ? QChar() : s.back();
}

QChar charAt(const QsciScintilla *e, long byte)
{
    const long end = e->SendScintilla(QsciScintillaBase::SCI_POSITIONAFTER, byte);
    if (end <= byte)
        return QChar();
    const QString s = e->text(int(byte), int(end));
    return s.isEmpty() ? QChar() : s.front();
}

bool isWholeWord(const QsciScintilla *e, long from, long to)
{
    const QChar before = charBefore(e, from);
    const QChar after = charAt(e, to);
    return !(fn_CharIsInWord(before) && !before.isNull()) && !(fn_CharIsInWord(after) && !after.isNull());
}

// One search in [from, to) (backwards when from > to); the match's bytes
// or -1.
long searchOnce(QsciScintilla *e, const QByteArray &needle, bool matchCase, long from, long to, long *matchEnd)
{
    e->SendScintilla(QsciScintillaBase::SCI_SETSEARCHFLAGS, matchCase ? QsciScintillaBase::SCFIND_MATCHCASE : 0);
    e->SendScintilla(QsciScintillaBase::SCI_SETTARGETSTART, from);
    e->SendScintilla(QsciScintillaBase::SCI_SETTARGETEND, to);
    const long found = e->SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET, needle.size(), needle.constData());
    if (found >= 0)
        *matchEnd = e->SendScintilla(QsciScintillaBase::SCI_GETTARGETEND);
    return found;
}

long findBytes(QsciScintilla *e, const QString &text, const FindOptions &options, long from, long *matchEnd)
{
    const QByteArray needle = text.toUtf8();
    const long length = e->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    long start = from;
    while (true) {
        long end = 0;
        const long found = options.forward ? searchOnce(e, needle, options.matchCase, start, length, &end)
                                           : searchOnce(e, needle, options.matchCase, start, 0, &end);
        if (found < 0)
            return -1;
        if (!options.wholeWords || isWholeWord(e, found, end)) {
            *matchEnd = end;
            return found;
        }
        start = options.forward ? e->SendScintilla(QsciScintillaBase::SCI_POSITIONAFTER, found)
                                : e->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, end);
        if (options.forward ? start >= length : start <= 0)
            return -1;
    }
}

} // namespace

int ScriptEditor::findText(const QString &text, const FindOptions &options)
{
    if (text.isEmpty())
        return -1;
    d->lastSearch = text;
    const long from = options.forward ? SendScintilla(SCI_GETSELECTIONEND) : SendScintilla(SCI_GETSELECTIONSTART);
    long end = 0;
    const long found = findBytes(this, text, options, from, &end);
    if (found < 0)
        return -1;
    SendScintilla(SCI_SETSEL, found, end);
    SendScintilla(SCI_SCROLLCARET);
    return toPosition(this, found);
}

QString ScriptEditor::lastSearchText() const
{
    return d->lastSearch;
}

void ScriptEditor::setLastSearchText(const QString &text)
{
    d->lastSearch = text;
}

int ScriptEditor::replaceAll(const QString &text, const QString &replacement, const FindOptions &options)
{
    if (text.isEmpty())
        return 0;
    d->lastSearch = text;
    const QByteArray with = toCrLf(replacement).toUtf8();
    FindOptions forward = options;
    forward.forward = true;
    int count = 0;
    long from = 0;
    beginUndoAction();
    while (true) {
        long end = 0;
        const long found = findBytes(this, text, forward, from, &end);
        if (found < 0)
            break;
        SendScintilla(SCI_SETTARGETSTART, found);
        SendScintilla(SCI_SETTARGETEND, end);
        SendScintilla(SCI_REPLACETARGET, with.size(), with.constData());
        from = found + with.size();
        ++count;
    }
    endUndoAction();
    return count;
}

void ScriptEditor::showFindDialog(Prompter &prompter)
{
    FindDialog dialog(this, FindDialog::Find, window());
    prompter.execDialog(dialog);
}

void ScriptEditor::showReplaceDialog(Prompter &prompter)
{
    FindDialog dialog(this, FindDialog::Replace, window());
    prompter.execDialog(dialog);
}

// --- colours and printing ------------------------------------------------------------------

QColor ScriptEditor::defBackColor() const
{
    return d->backColor;
}

void ScriptEditor::setDefBackColor(const QColor &color)
{
    d->backColor = color;
    d->lexer->setDefaultPaper(color);
    d->lexer->setPaper(color, -1);
    setPaper(color);
    setMarginsBackgroundColor(color.lightness() > 128 ? color.darker(106) : color.lighter(120));
}

bool ScriptEditor::printWholeText(QPrinter &printer)
{
    if (auto *qsci = dynamic_cast<QsciPrinter *>(&printer)) {
        qsci->setWrapMode(WrapWord);
        return qsci->printRange(this) != 0;
    }
    // Print through a printer of the editor's own kind, set up like the one given.
    QsciPrinter own(printer.resolution() >= 300 ? QPrinter::HighResolution : QPrinter::ScreenResolution);
    own.setOutputFormat(printer.outputFormat());
    if (printer.outputFormat() == QPrinter::NativeFormat)
        own.setPrinterName(printer.printerName());
    own.setOutputFileName(printer.outputFileName());
    own.setPageLayout(printer.pageLayout());
    own.setColorMode(printer.colorMode());
    own.setCopyCount(printer.copyCount());
    own.setDocName(printer.docName());
    own.setWrapMode(WrapWord);
    return own.printRange(this) != 0;
}

// --- keys, menus, events ----------------------------------------------------------------------

void ScriptEditor::reserveKeys(const QList<QKeySequence> &keys)
{
    QSet<int> reserved;
    for (const QKeySequence &key : keys)
        if (const int k = combinedKey(key))
            reserved.insert(k);
    const QList<QsciCommand *> &commands = standardCommands()->commands();
    for (QsciCommand *command : commands) {
        if (command->key() && reserved.contains(command->key()))
            command->setKey(0);
        if (command->alternateKey() && reserved.contains(command->alternateKey()))
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

void ScriptEditor::keyPressEvent(QKeyEvent *event)
{
    const bool typesText = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (typesText && d->keyHandler && d->keyHandler(this, event)) {
        event->accept();
        emit keyDown();
        emit keyPressed();
        return;
    }
    QsciScintilla::keyPressEvent(event);
    emit keyDown();
    if (typesText)
        emit keyPressed();
}

void ScriptEditor::mousePressEvent(QMouseEvent *event)
{
    QsciScintilla::mousePressEvent(event);
    emit mouseDown();
}

void ScriptEditor::focusInEvent(QFocusEvent *event)
{
    QsciScintilla::focusInEvent(event);
    emit entered();
}

void ScriptEditor::focusOutEvent(QFocusEvent *event)
{
    QsciScintilla::focusOutEvent(event);
    // A pop-up menu takes the focus only while it is open; the editor has
    // not been left.
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

void ScriptEditor::dragEnterEvent(QDragEnterEvent *event)
{
    d->treeDrag = event->source() && event->source() != this && event->source() != viewport() && d->dropAcceptor &&
                  d->dropAcceptor(event->source());
    if (d->treeDrag) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit draggedOver();
        return;
    }
    // Anything else (plain text) keeps the editor's own handling.
    QsciScintilla::dragEnterEvent(event);
}

void ScriptEditor::dragMoveEvent(QDragMoveEvent *event)
{
    if (d->treeDrag) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit draggedOver();
        return;
    }
    QsciScintilla::dragMoveEvent(event);
}

void ScriptEditor::dropEvent(QDropEvent *event)
{
    if (d->treeDrag) {
        d->treeDrag = false;
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit dropped(event->source(), event->position().toPoint());
        return;
    }
    QsciScintilla::dropEvent(event);
}
