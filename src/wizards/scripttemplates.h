#pragma once
// The script statement templates of the Script menu: the fixed JavaScript
// skeletons, the script header block, the NOSCRIPT element and comment
// lines.  Pure text builders; every line break they write is CR LF.
//
// Multi-line templates start at the caret and indent every later line with
// the indentation under the caret (spaces up to the caret's screen column).
// Where the caret goes afterwards is given as the number of caret positions
// to move back from the end of the inserted text (a line break counting as
// one position).

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// Tags of the template commands, as the Script menu and toolbar carry them.
enum ScriptTemplateTag : int {
    TagScriptHeader = 1,
    TagFunction = 2,
    TagFor = 3,
    TagIf = 4,
    TagIfElse = 5,
    TagNoScript = 6,
    TagComments = 7,
    TagDocumentWrite = 8,
    TagWhile = 9,
    TagWith = 10,
    TagSwitch = 11,
};

/// A text to put in place of the selection, and where the caret goes.
struct TemplateText {
    QString text;
    int caretBack = 0;  // caret positions back from the end of text
};

/// The 1-based screen column after textBeforeCaret (the caret's line up to
/// the caret): a tab takes the columns up to the next tab stop.
int screenColumn(QStringView textBeforeCaret, int tabWidth);

/// The part of text's line that stands before position (a caret position,
/// each CR LF counting as one).
QStringView lineBefore(QStringView text, int position);

/// (column - 1) spaces: the indentation under a caret in that screen column.
QString indentationFor(int column);

/// The lines of a memo's text: one per line break, a break at the very end
/// starting no further line; an empty text has none.
QStringList memoLines(QStringView text);

/// The fixed skeleton of tag 2, 3, 4, 5, 9, 10 or 11 with its caret
/// placement; nothing for the other tags.
std::optional<TemplateText> statementTemplate(int tag, const QString &indentation);

// --- script header ------------------------------------------------------------

/// The choices of the header dialog's two lists; item 0 is the default.
QStringList scriptLanguages();
QStringList scriptTypes();

struct ScriptHeaderOptions {
    QString language = QStringLiteral("JavaScript");
    QString type = QStringLiteral("text/javascript");
    QString comments;  // the comments memo, one comment line per memo line
};

/// The type that goes with a newly chosen language: VBScript and
/// JavaScript languages bring their type along, any other keeps type.
QString typeForLanguage(const QString &language, const QString &type);

/// <SCRIPT TYPE="..." LANGUAGE="...">, each attribute only when not empty.
QString scriptHeaderTag(const ScriptHeaderOptions &options);

/// The whole script block: header tag, the hidden-from-old-browsers
/// comment with the comment lines in it, and </SCRIPT>.  A header that
/// names VBScript anywhere gets VBScript comments.
TemplateText scriptHeaderBlock(const ScriptHeaderOptions &options, const QString &indentation);

// --- NOSCRIPT and comments ------------------------------------------------------

/// The memo's default text of the NOSCRIPT dialog.
QString defaultNoScriptText();

/// <NOSCRIPT>text</NOSCRIPT>, the memo's lines joined by CR LF.
QString noScriptElement(QStringView memoText);

enum class CommentStyle { JavaScript, VBScript };

struct CommentOptions {
    QString text;  // the memo
    CommentStyle style = CommentStyle::JavaScript;
};

/// One comment line per memo line ("//" or "'" before it), each followed by
/// a line break and the indentation; empty for an empty memo.
QString commentLines(const CommentOptions &options, const QString &indentation);

/// The two texts tag 8 wraps the selection in.
inline constexpr QStringView kDocumentWriteOpening = u"document.write(\"";
inline constexpr QStringView kDocumentWriteClosing = u"\")";
