#include "editor/schemelexer.h"

#include "editor/chordkeys.h"
#include "editor/colourscheme.h"
#include "editor/highlighter.h"
#include "editor/keyassignments.h"
#include "editor/scripteditor.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPalette>
#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <optional>

namespace {

using Sci = QsciScintillaBase;

// Scintilla's predefined styles are 32 to 39; the scheme's ids there move
// past the highest id the scheme uses.
constexpr int kFirstPredefined = 32;
constexpr int kLastPredefined = 39;
constexpr int kMovedOffset = 58 - kFirstPredefined;

QFont fontFor(const EditorSettings &settings, FontAttribute attribute)
{
    QFont font = editorTextFont(settings.fontFamily, settings.fontSize);
    font.setBold(attribute == FontAttribute::Bold);
    font.setItalic(attribute == FontAttribute::Italic);
    font.setUnderline(attribute == FontAttribute::Underline);
    return font;
}

// The editor's command each user-assignable command runs; the indents and
// bookmarks are ScriptEditor's own (see the chord keys).
std::optional<QsciCommand::Command> scintillaCommand(int command)
{
    using C = QsciCommand;
    switch (command) {
    case 0: return C::CharLeft;
    case 1: return C::CharRight;
    case 2: return C::VCHome;
    case 3: return C::LineEnd;
    case 4: return C::LineUp;
    case 5: return C::LineDown;
    case 6: return C::PageUp;
    case 7: return C::PageDown;
    case 8: return C::WordLeft;
    case 9: return C::WordRight;
    case 10: return C::DocumentStart;
    case 11: return C::DocumentEnd;
    case 12: return C::SelectionCut;
    case 13: return C::SelectionCopy;
    case 14: return C::Paste;
    case 15: return C::Delete;
    case 16: return C::DeleteBack;
    case 19: return C::EditToggleOvertype;
    case 41: return C::Undo;
    case 42: return C::Redo;
    default: return std::nullopt;
    }
}

std::optional<QKeyCombination> singleKey(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown)
        return std::nullopt;
    return sequence[0];
}

// The user's keys first (a key listed twice keeps its first command), then
// the editor's usual table without the scheme's own default keys of the
// commands the user assigns, so a key taken away stops working while
// Shift+arrows, Tab, Enter and the rest keep theirs.
std::vector<KeyAssignment> keyTable(const EditorSettings &settings)
{
    const EditorSettings &defaults = defaultEditorSettings();
    std::vector<KeyAssignment> table;
    std::vector<KeyAssignment> replaced;
    for (int command = 0; command < kEditorCommandCount; ++command) {
        const auto target = scintillaCommand(command);
        if (!target)
            continue;
        for (const QString &key : settings.keys[size_t(command)]) {
            if (const auto combination = singleKey(key))
                table.push_back({*combination, *target});
        }
        for (const QString &key : defaults.keys[size_t(command)]) {
            if (const auto combination = singleKey(key))
                replaced.push_back({*combination, *target});
        }
    }
    for (const KeyAssignment &usual : defaultKeyAssignments()) {
        const bool isReplaced = std::any_of(replaced.begin(), replaced.end(), [&](const KeyAssignment &r) {
            return r.key == usual.key && r.command == usual.command;
        });
        if (!isReplaced)
            table.push_back(usual);
    }
    return table;
}

void drawLooks(ScriptEditor &editor, SchemeLexer &lexer, const EditorSettings &settings, bool dark)
{
    // The paper first: it is every style's background until the styles
    // take their own.
    editor.setDefBackColor(QColor(QRgb(drawnSettings(settings, dark).effectiveBackground(SchemeStyle::Default))));
    lexer.applySettings(settings, dark);
}

} // namespace

SchemeLexer::SchemeLexer(const EditorSettings &settings, QObject *parent)
    : QsciLexerCustom(parent), m_settings(settings), m_drawn(settings)
{
    setObjectName(QStringLiteral("JScriptParser"));
}

int SchemeLexer::scintillaStyle(int schemeId)
{
    if (schemeId >= kFirstPredefined && schemeId <= kLastPredefined)
        return schemeId + kMovedOffset;
    return schemeId;
}

const StyleLook *SchemeLexer::lookOf(int style) const
{
    if (style >= kFirstPredefined && style <= kLastPredefined)
        return nullptr;
    const int id = style >= kFirstPredefined + kMovedOffset && style <= kLastPredefined + kMovedOffset ? style - kMovedOffset : style;
    return m_settings.style(id);
}

const char *SchemeLexer::language() const
{
    return "HTML";
}

QString SchemeLexer::description(int style) const
{
    const StyleLook *look = lookOf(style);
    return look ? look->name : QString();
}

QColor SchemeLexer::defaultColor(int style) const
{
    const StyleLook *look = lookOf(style);
    return QColor(QRgb(m_drawn.effectiveForeground(look ? look->id : SchemeStyle::Default)));
}

QColor SchemeLexer::defaultPaper(int style) const
{
    const StyleLook *look = lookOf(style);
    return QColor(QRgb(m_drawn.effectiveBackground(look ? look->id : SchemeStyle::Default)));
}

QFont SchemeLexer::defaultFont(int style) const
{
    const StyleLook *look = lookOf(style);
    return fontFor(m_settings, look ? look->attribute : FontAttribute::None);
}

void SchemeLexer::applySettings(const EditorSettings &settings)
{
    applySettings(settings, schemeDrawsDark(settings));
}

void SchemeLexer::applySettings(const EditorSettings &settings, bool dark)
{
    m_settings = settings;
    m_dark = dark;
    m_drawn = drawnSettings(settings, dark);
    setDefaultColor(defaultColor(SchemeStyle::Default));
    setDefaultPaper(defaultPaper(SchemeStyle::Default));
    setDefaultFont(defaultFont(SchemeStyle::Default));
    for (const StyleLook &look : m_settings.styles) {
        const int style = scintillaStyle(look.id);
        setColor(defaultColor(style), style);
        setPaper(defaultPaper(style), style);
        setFont(defaultFont(style), style);
    }
}

void SchemeLexer::styleText(int start, int end)
{
    QsciScintilla *ed = editor();
    if (!ed || end <= start)
        return;
    const long length = ed->SendScintilla(Sci::SCI_GETLENGTH);
    const long firstLine = ed->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
    const long lastLine = ed->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(std::max(start, end - 1)));
    const long from = ed->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(firstLine));
    const long nextLine = ed->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(lastLine + 1));
    const long to = nextLine < 0 || nextLine < from ? length : std::min(nextLine, length);
    if (to <= from)
        return;
    const auto *text = reinterpret_cast<const char *>(
        ed->SendScintilla(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), to - from));
    if (!text)
        return;

    m_styles.assign(size_t(to - from), 0);
    int state = firstLine > 0 ? int(ed->SendScintilla(Sci::SCI_GETLINESTATE, static_cast<unsigned long>(firstLine - 1)))
                              : SchemeScanner::startState(m_kind);
    const std::string_view all(text, size_t(to - from));
    size_t lineStart = 0;
    for (long line = firstLine; lineStart < all.size(); ++line) {
        size_t lineEnd = all.find('\n', lineStart);
        lineEnd = lineEnd == std::string_view::npos ? all.size() : lineEnd + 1;
        m_runs.clear();
        state = m_scanner.scanLine(all.substr(lineStart, lineEnd - lineStart), state, m_runs);
        for (const SchemeScanner::Run &run : m_runs) {
            std::fill_n(m_styles.begin() + std::ptrdiff_t(lineStart) + run.start, run.length,
                        char(scintillaStyle(run.style)));
        }
        ed->SendScintilla(Sci::SCI_SETLINESTATE, static_cast<unsigned long>(line), long(state));
        lineStart = lineEnd;
    }
    startStyling(int(from));
    ed->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(m_styles.size()), m_styles.data());
}

void SchemeLexer::setSourceKind(SourceKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    // Every line state after the first follows from the start.
    if (QsciScintilla *ed = editor()) {
        ed->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0L);
        ed->recolor();
    }
}

void setSchemeSourceKind(ScriptEditor &editor, SourceKind kind)
{
    if (auto *lexer = qobject_cast<SchemeLexer *>(editor.lexer()))
        lexer->setSourceKind(kind);
}

SourceKind schemeSourceKind(const ScriptEditor &editor)
{
    const auto *lexer = qobject_cast<const SchemeLexer *>(editor.lexer());
    return lexer ? lexer->sourceKind() : SourceKind::Html;
}

void installScheme(ScriptEditor &editor, const EditorSettings &settings)
{
    editor.setHighlighter(std::make_unique<SchemeLexer>(settings));
    if (!editor.findChild<ChordKeyFilter *>(QString(), Qt::FindDirectChildrenOnly))
        new ChordKeyFilter(editor);
    applyScheme(editor, settings);
}

bool schemeDrawsDark(const EditorSettings &settings)
{
    return drawsDark(settings.colourScheme, QGuiApplication::palette().color(QPalette::Window).lightness());
}

void applyScheme(ScriptEditor &editor, const EditorSettings &settings)
{
    auto *lexer = qobject_cast<SchemeLexer *>(editor.lexer());
    if (!lexer)
        return;
    drawLooks(editor, *lexer, settings, schemeDrawsDark(settings));
    // The gutter's numbers in the text's font, so that they line up with it.
    editor.setMarginsFont(fontFor(settings, FontAttribute::None));
    const std::vector<KeyAssignment> table = keyTable(settings);
    editor.applyKeyAssignments(table);
    if (auto *chords = editor.findChild<ChordKeyFilter *>(QString(), Qt::FindDirectChildrenOnly))
        chords->setKeys(settings);
}

void drawSchemeLooks(ScriptEditor &editor, bool dark)
{
    auto *lexer = qobject_cast<SchemeLexer *>(editor.lexer());
    if (!lexer)
        return;
    const EditorSettings settings = lexer->settings();
    drawLooks(editor, *lexer, settings, dark);
}

void applyEditorOptions(ScriptEditor &editor, const EditorSettings &settings)
{
    editor.setTabWidth(settings.tabWidth);
    editor.setBlockIndentStep(settings.blockIndent);
    editor.setLineNumbersShown(settings.lineNumbers);
    editor.setEdgeMode(settings.rightMargin > 0 ? QsciScintilla::EdgeLine : QsciScintilla::EdgeNone);
    if (settings.rightMargin > 0)
        editor.setEdgeColumn(settings.rightMargin);
    editor.setWordWrapOn(settings.wordWrap);
}

void shareScheme(const ScriptEditor &from, ScriptEditor &to)
{
    if (const auto *lexer = qobject_cast<const SchemeLexer *>(from.lexer()))
        installScheme(to, lexer->settings());
}
