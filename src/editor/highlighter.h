#pragma once
// What colours the script editors' text.  ScriptEditor::setHighlighter
// takes any QScintilla lexer (a QsciLexerCustom among them);
// makeHtmlHighlighter() builds the one the editors start with.

#include <QByteArray>
#include <QFont>

#include <array>
#include <memory>
#include <vector>

class QsciLexer;
class QsciScintilla;

/// The editors' text font: the system's fixed-width font at 10 points.
QFont editorTextFont();
/// A text font of the editor options: family (empty for the system's
/// fixed-width font) at pointSize.
QFont editorTextFont(const QString &family, int pointSize);

/// QScintilla's HTML lexer, colouring the markup and the scripts embedded
/// in it: every style in editorTextFont(), keeping its own weight and slant.
std::unique_ptr<QsciLexer> makeHtmlHighlighter();

/// The look of the styles Scintilla draws whatever the lexer: line numbers,
/// braces, control characters, indentation guides, call tips.  A lexer
/// taking another's place resets them to Scintilla's defaults; a copy
/// taken before puts them back.
class PredefinedStyles final {
public:
    explicit PredefinedStyles(const QsciScintilla &editor);
    void applyTo(QsciScintilla &editor) const;

private:
    struct Look {
        QByteArray font;
        std::array<long, 12> values{};  // one per attribute besides the font
    };
    std::vector<Look> m_looks;
};
