#pragma once
// Draws the highlighting scheme in a QScintilla editor: a custom lexer over
// the scheme's scanner (highlightscheme.h).
//
// Styling goes line by line from the first line Scintilla has not styled,
// with the scanner's state kept as each line's line state, and only as far
// as Scintilla asks (the lines it is about to show).  A change restyles
// from its line on, never the whole document.
//
// The scheme's style ids 32 to 39 are Scintilla's own predefined styles
// (line numbers, braces, call tips...), so they are drawn in free style
// numbers instead; the scheme's ids stay what the user and editsett.dat see.

#include "editor/highlightscheme.h"

#include <Qsci/qscilexercustom.h>

#include <vector>

class ScriptEditor;

class SchemeLexer final : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit SchemeLexer(const EditorSettings &settings = defaultEditorSettings(), QObject *parent = nullptr);

    /// The Scintilla style number a scheme style id is drawn in.
    static int scintillaStyle(int schemeId);

    /// Takes new looks for the styles, light or dark as their colour
    /// scheme says now; the editor redraws at once.
    void applySettings(const EditorSettings &settings);
    /// The same, drawn in the light looks or in their dark variant.
    void applySettings(const EditorSettings &settings, bool dark);
    /// What the text is as a whole; the editor is coloured anew from its
    /// first line when that changes.
    void setSourceKind(SourceKind kind);
    SourceKind sourceKind() const { return m_kind; }
    /// The settings as the user set them (the light looks).
    const EditorSettings &settings() const { return m_settings; }
    /// Whether the dark variant is drawn.
    bool drawnDark() const { return m_dark; }

    const char *language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

private:
    const StyleLook *lookOf(int scintillaStyle) const;

    EditorSettings m_settings;
    EditorSettings m_drawn;  // m_settings, or their dark variant
    bool m_dark = false;
    SchemeScanner m_scanner;
    SourceKind m_kind = SourceKind::Html;
    std::vector<SchemeScanner::Run> m_runs;
    std::vector<char> m_styles;
};

/// Whether editors draw these settings dark now: their colour scheme, or
/// the application palette's window colour when it follows the desktop.
bool schemeDrawsDark(const EditorSettings &settings);

/// Gives an editor the scheme's lexer with these settings, and its keys.
void installScheme(ScriptEditor &editor, const EditorSettings &settings);
/// Applies changed settings to an editor that has the scheme's lexer
/// (installScheme): its font, colours and paper, light or dark; the text is
/// redrawn and the keys bound again.
void applyScheme(ScriptEditor &editor, const EditorSettings &settings);
/// Colours an editor that has the scheme's lexer as a text of this kind.
void setSchemeSourceKind(ScriptEditor &editor, SourceKind kind);
/// What an editor's text is coloured as (a page when it has no scheme).
SourceKind schemeSourceKind(const ScriptEditor &editor);
/// Redraws an editor that has the scheme's lexer in the light looks of its
/// settings or in their dark variant (a printout is made in the light ones).
void drawSchemeLooks(ScriptEditor &editor, bool dark);
/// Lays a fragment editor out as the settings say: tab width, block indent,
/// line numbers in the gutter, the right margin and word wrap.  (The form
/// builder's editor has a layout of its own and takes only the scheme.)
void applyEditorOptions(ScriptEditor &editor, const EditorSettings &settings);
/// Draws to as from is drawn, when from has the scheme's lexer (a dialog's
/// editor drawn like the fragment editors).
void shareScheme(const ScriptEditor &from, ScriptEditor &to);
