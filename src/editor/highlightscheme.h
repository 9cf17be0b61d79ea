#pragma once
// The script editors' highlighting scheme and its scanner.
//
// The scheme (editor.qrc: scheme.txt) names the styles the text is drawn
// in, the word lists the scanner knows and the editor's key table.  The
// scanner colours an HTML page with embedded JavaScript and VBScript one
// line at a time: scanLine() starts from the state the line before ended
// in and returns the state this line ends in, so colouring can start again
// at any line.
//
// Word lists match whole words: a word ends at the first character that is
// not 0-9, A-Z, a-z or the underscore.  HTML tag and attribute names,
// VBScript words and the address prefixes match regardless of case;
// JavaScript words and entities match exactly.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

/// Style ids of the scheme (what the options dialog and editsett.dat use).
namespace SchemeStyle {
enum : int {
    Default = 0, Number = 1, String = 2, ScannerWord = 3, FieldName = 5, Comment = 11,
    SpecialChar = 16, WebUrl = 18, TagName = 21,
    JsKeyword = 30, JsComment = 31, JsString = 34, JsNumber = 37, JsSymbol = 38, JsMethod = 39,
    JsIdentifier = 41,
    VbFunction = 50, VbMethod = 51, VbKeyword = 52, VbComment = 53, VbSymbol = 54, VbString = 55,
    VbIdentifier = 56, VbNumber = 57,
};
}

enum class FontAttribute { None, Bold, Italic, Underline };

/// How text of one style looks.  Colours are 0xRRGGBB.
struct StyleLook {
    int id = 0;
    QString name;
    FontAttribute attribute = FontAttribute::None;
    std::uint32_t foreground = 0x000000;
    std::uint32_t background = 0xFFFFFF;
    bool foregroundAsDefault = false;  // draw in the Default style's foreground
    bool backgroundAsDefault = false;  // draw on the Default style's background
    bool editable = true;              // offered in the options dialog
    bool operator==(const StyleLook &) const = default;
};

/// The editor commands whose keys the user assigns (0 to 42; 40 is unused).
constexpr int kEditorCommandCount = 43;
/// The name of command 0 to 42 as the options dialog shows it; empty for 40.
QString editorCommandName(int command);

/// Which looks the editors are drawn in: the styles as the user set them
/// (Light), their dark variant (colourscheme.h), or whichever of the two
/// suits the desktop's window colour.
enum class ColourScheme { FollowDesktop, Light, Dark };

/// What the user can change: the looks of the styles and two keys per
/// command (QKeySequence portable text, "Ctrl+K, I"; empty for none), the
/// font, the layout of the text and how it is printed.
struct EditorSettings {
    std::vector<StyleLook> styles;  // the editable ones in dialog order, then the hidden one
    std::array<std::array<QString, 2>, kEditorCommandCount> keys{};
    bool wordWrap = false;  // both editors wrap long lines
    QString fontFamily;     // empty: the system's fixed-width font
    int fontSize = 10;      // points
    int tabWidth = 4;       // columns
    int blockIndent = 2;    // columns of one block indent
    bool lineNumbers = true;  // in the gutter
    int rightMargin = 0;      // the column a margin line is drawn at; 0 for none
    bool printColours = true;
    bool printLineNumbers = true;
    ColourScheme colourScheme = ColourScheme::FollowDesktop;

    const StyleLook *style(int id) const;
    StyleLook *style(int id);
    /// The colours a style is drawn in, "as default" resolved.
    std::uint32_t effectiveForeground(int id) const;
    std::uint32_t effectiveBackground(int id) const;
    bool operator==(const EditorSettings &) const = default;
};

/// The built-in settings of the scheme.
EditorSettings defaultEditorSettings();

/// The bounds a number of the settings is kept in.
struct SettingRange {
    int least;
    int most;
};
inline constexpr SettingRange kFontSizeRange{6, 72};
inline constexpr SettingRange kTabWidthRange{1, 16};
inline constexpr SettingRange kBlockIndentRange{1, 16};
inline constexpr SettingRange kRightMarginRange{0, 500};

/// editsett.dat: one line per style ("style <id> <attribute> <foreground>
/// <background> <fg as default> <bg as default>"), per key ("key
/// <command> <1|2> <key>"), then one per option: "wordwrap <0|1>",
/// "fontname <family>" (nothing after it: the system's font), "fontsize
/// <n>", "tabwidth <n>", "blockindent <n>", "linenumbers <0|1>",
/// "rightmargin <n>", "printcolours <0|1>", "printlinenumbers <0|1>",
/// "colours <follow|light|dark>"; UTF-8, CR LF.  A file of an earlier
/// version, without some of these lines, reads with their defaults; an
/// earlier version skips the lines it does not know.
QByteArray writeEditorSettings(const EditorSettings &settings);
/// Reads what writeEditorSettings wrote over the defaults given: lines it
/// does not know and values out of range are skipped, styles and keys the
/// file does not name keep their defaults.  Returns false (and leaves
/// settings alone) when the bytes are not an editor settings file.
bool readEditorSettings(const QByteArray &bytes, EditorSettings &settings);

/// The word lists of the scheme.
class HighlightScheme final {
public:
    enum class List { Tags, Attributes, Entities, Urls, JsKeywords, JsMethods, Operators,
                      VbFunctions, VbMethods, VbKeywords };
    /// The built-in scheme.
    static const HighlightScheme &builtIn();

    /// The words of a list as the scheme stores them.
    const QStringList &words(List list) const;
    /// Whether a whole word is in a list (case rules as above).
    bool contains(List list, std::string_view word) const;

private:
    HighlightScheme();
    struct WordSet {
        QStringList words;
        std::unordered_set<std::string> lookup;
        bool ignoreCase = false;
    };
    std::array<WordSet, 10> m_lists;
};

/// What a text is as a whole: a page, or a part of one, with scripts in
/// it (the scheme's own start), or one script alone.
enum class SourceKind { Html, JavaScript, VbScript };

/// The kind of the text of a file, by its name: ".js" (and ".mjs") files
/// are JavaScript, ".vbs" files VBScript, anything else a page.
SourceKind sourceKindOfFile(const QString &fileName);

/// Scans the scheme's languages line by line.
class SchemeScanner final {
public:
    /// The state at the start of a document.
    static constexpr int kStartState = 0;
    /// The state at the start of a text of this kind: a script alone is
    /// coloured as that language from its first line, and no "</script>"
    /// in it ends it.
    static int startState(SourceKind kind);

    /// One run of text in one style; offsets are bytes of the line.
    struct Run {
        int start;
        int length;
        int style;
    };

    explicit SchemeScanner(const HighlightScheme &scheme = HighlightScheme::builtIn());

    /// Styles one line of UTF-8 text (its line break may be included),
    /// starting in state, appending runs that cover the whole line in
    /// order (neighbours of one style joined) to runs.  Returns the state
    /// at the end of the line.
    int scanLine(std::string_view line, int state, std::vector<Run> &runs) const;

private:
    const HighlightScheme &m_scheme;
};
