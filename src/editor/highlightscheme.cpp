#include "editor/highlightscheme.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

// Scanner states: the mode in the low bits; in the script tag, whether its
// language chose VBScript.
enum Mode : int { Text, Tag, ScriptTag, HtmlComment, Js, JsBlockComment, Vb };
constexpr int kModeMask = 0x0F;
constexpr int kVbChosen = 0x10;
// The whole text is one script (a .js or .vbs file): no tag ends it.
constexpr int kWholeScript = 0x20;

bool isWordChar(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isOperatorChar(unsigned char c)
{
    switch (c) {
    case ',': case '=': case '+': case '-': case '*': case '/': case '%': case '<': case '>':
    case '&': case '^': case '|': case '?': case ':': case '!': case '~': case '(': case ')':
    case '[': case ']': case '.':
        return true;
    default:
        return false;
    }
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, size_t at, std::string_view prefix)
{
    if (text.size() - at < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[at + i]) != prefix[i])
            return false;
    }
    return true;
}

bool startsWith(std::string_view text, size_t at, std::string_view prefix)
{
    return text.substr(at, prefix.size()) == prefix;
}

size_t wordEnd(std::string_view text, size_t at)
{
    while (at < text.size() && isWordChar(static_cast<unsigned char>(text[at])))
        ++at;
    return at;
}

// A closing script tag ends the script wherever it stands, even inside a
// comment or a string.
bool atScriptEnd(std::string_view text, size_t at)
{
    return startsWithNoCase(text, at, "</script") && (at + 8 >= text.size() || !isWordChar(static_cast<unsigned char>(text[at + 8])));
}

bool atScriptStart(std::string_view text, size_t at)
{
    return startsWithNoCase(text, at, "<script") && (at + 7 >= text.size() || !isWordChar(static_cast<unsigned char>(text[at + 7])));
}

size_t findScriptEnd(std::string_view text, size_t from)
{
    for (size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 2)) {
        if (atScriptEnd(text, at))
            return at;
    }
    return text.size();
}

class RunWriter {
public:
    explicit RunWriter(std::vector<SchemeScanner::Run> &runs) : m_runs(runs), m_first(runs.size()) {}
    void add(size_t start, size_t end, int style)
    {
        if (end <= start)
            return;
        if (m_runs.size() > m_first && m_runs.back().style == style) {
            m_runs.back().length += int(end - start);
            return;
        }
        m_runs.push_back({int(start), int(end - start), style});
    }

private:
    std::vector<SchemeScanner::Run> &m_runs;
    size_t m_first;
};

const char *listName(HighlightScheme::List list)
{
    using L = HighlightScheme::List;
    switch (list) {
    case L::Tags: return "tags";
    case L::Attributes: return "attributes";
    case L::Entities: return "entities";
    case L::Urls: return "urls";
    case L::JsKeywords: return "js-keywords";
    case L::JsMethods: return "js-methods";
    case L::Operators: return "operators";
    case L::VbFunctions: return "vb-functions";
    case L::VbMethods: return "vb-methods";
    case L::VbKeywords: return "vb-keywords";
    }
    return "";
}

QList<QByteArray> schemeLines();

} // namespace

// Outside any namespace, as Q_INIT_RESOURCE wants: the core is a static
// library, so its resources are registered by hand before the first use.
static void registerEditorResources()
{
    Q_INIT_RESOURCE(editor);
}

namespace {

QList<QByteArray> schemeLines()
{
    static const bool registered = (registerEditorResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/editor/scheme.txt"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::logic_error("the highlighting scheme is missing from the resources");
    return file.readAll().split('\n');
}

std::optional<FontAttribute> attributeNamed(QByteArrayView name)
{
    if (name == "none") return FontAttribute::None;
    if (name == "bold") return FontAttribute::Bold;
    if (name == "italic") return FontAttribute::Italic;
    if (name == "underline") return FontAttribute::Underline;
    return std::nullopt;
}

const char *attributeName(FontAttribute attribute)
{
    switch (attribute) {
    case FontAttribute::None: return "none";
    case FontAttribute::Bold: return "bold";
    case FontAttribute::Italic: return "italic";
    case FontAttribute::Underline: return "underline";
    }
    return "none";
}

std::optional<std::uint32_t> colourFrom(QByteArrayView text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    bool ok = false;
    const uint value = text.sliced(1).toByteArray().toUInt(&ok, 16);
    return ok ? std::optional<std::uint32_t>(value) : std::nullopt;
}

QByteArray colourText(std::uint32_t colour)
{
    return '#' + QByteArray::number(colour & 0xFFFFFF, 16).rightJustified(6, '0').toUpper();
}

constexpr QByteArrayView kSettingsHeader = "Quillon editor settings 1";

// The options kept as one number a line, with the bounds a value read must
// keep; the yes-or-no ones are numbers from 0 to 1.
struct NumberLine {
    const char *name;
    int EditorSettings::*number;
    SettingRange range;
};
constexpr NumberLine kNumberLines[] = {
    {"fontsize", &EditorSettings::fontSize, kFontSizeRange},
    {"tabwidth", &EditorSettings::tabWidth, kTabWidthRange},
    {"blockindent", &EditorSettings::blockIndent, kBlockIndentRange},
    {"rightmargin", &EditorSettings::rightMargin, kRightMarginRange},
};
struct SwitchLine {
    const char *name;
    bool EditorSettings::*on;
};
constexpr SwitchLine kSwitchLines[] = {
    {"wordwrap", &EditorSettings::wordWrap},
    {"linenumbers", &EditorSettings::lineNumbers},
    {"printcolours", &EditorSettings::printColours},
    {"printlinenumbers", &EditorSettings::printLineNumbers},
};
constexpr std::pair<ColourScheme, const char *> kSchemeNames[] = {
    {ColourScheme::FollowDesktop, "follow"}, {ColourScheme::Light, "light"}, {ColourScheme::Dark, "dark"}};

// One option line read over settings; a value out of bounds, and a line
// of no option, leave them as they were.
void readOptionLine(const QByteArray &line, const QList<QByteArray> &parts, EditorSettings &settings)
{
    const QByteArray &name = parts.first();
    if (name == "fontname") {
        settings.fontFamily = QString::fromUtf8(line.mid(name.size()).trimmed());
        return;
    }
    for (const NumberLine &option : kNumberLines) {
        if (name != option.name)
            continue;
        bool ok = false;
        const int value = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
        if (ok && value >= option.range.least && value <= option.range.most)
            settings.*option.number = value;
        return;
    }
    for (const SwitchLine &option : kSwitchLines) {
        if (name != option.name)
            continue;
        if (parts.size() == 2 && (parts[1] == "0" || parts[1] == "1"))
            settings.*option.on = parts[1] == "1";
        return;
    }
    if (name == "colours") {
        for (const auto &[scheme, schemeName] : kSchemeNames) {
            if (parts.size() == 2 && parts[1] == schemeName)
                settings.colourScheme = scheme;
        }
    }
}

} // namespace

// --- commands and settings ------------------------------------------------

QString editorCommandName(int command)
{
    static const char *const names[] = {
        "Cursor Left", "Cursor Right", "Line start", "Line end", "Line up", "Line down",
        "Page up", "Page down", "Word left", "Word right", "Document start", "Document end",
        "Cut to clipboard", "Copy to clipboard", "Paste from clipboard", "Delete at cursor",
        "Delete before cursor", "Indent block", "Un-Indent block", "Toggle insert / override mode",
    };
    if (command >= 0 && command < 20)
        return QString::fromLatin1(names[command]);
    if (command >= 20 && command < 30)
        return QStringLiteral("Set bookmark %1").arg(command - 20);
    if (command >= 30 && command < 40)
        return QStringLiteral("Goto bookmark %1").arg(command - 30);
    if (command == 41)
        return QStringLiteral("Undo");
    if (command == 42)
        return QStringLiteral("Redo");
    return {};
}

const StyleLook *EditorSettings::style(int id) const
{
    const auto found = std::find_if(styles.begin(), styles.end(), [id](const StyleLook &s) { return s.id == id; });
    return found == styles.end() ? nullptr : &*found;
}

StyleLook *EditorSettings::style(int id)
{
    return const_cast<StyleLook *>(std::as_const(*this).style(id));
}

std::uint32_t EditorSettings::effectiveForeground(int id) const
{
    const StyleLook *look = style(id);
    const StyleLook *base = style(SchemeStyle::Default);
    if (!look)
        look = base;
    if (!look)
        return 0x000000;
    return (look->foregroundAsDefault && base) ? base->foreground : look->foreground;
}

std::uint32_t EditorSettings::effectiveBackground(int id) const
{
    const StyleLook *look = style(id);
    const StyleLook *base = style(SchemeStyle::Default);
    if (!look)
        look = base;
    if (!look)
        return 0xFFFFFF;
    return (look->backgroundAsDefault && base) ? base->background : look->background;
}

EditorSettings defaultEditorSettings()
{
    static const EditorSettings defaults = [] {
        EditorSettings settings;
        for (const QByteArray &raw : schemeLines()) {
            const QByteArray line = raw.trimmed();
            const QList<QByteArray> parts = line.split(' ');
            if ((parts.value(0) == "style" || parts.value(0) == "hidden") && parts.size() >= 6) {
                StyleLook look;
                look.id = parts[1].toInt();
                look.attribute = attributeNamed(parts[2]).value_or(FontAttribute::None);
                look.foreground = colourFrom(parts[3]).value_or(0);
                look.background = colourFrom(parts[4]).value_or(0xFFFFFF);
                look.name = QString::fromUtf8(parts.mid(5).join(' '));
                look.editable = parts[0] == "style";
                settings.styles.push_back(look);
            } else if (parts.value(0) == "key" && parts.size() >= 3) {
                const int command = parts[1].toInt();
                const qsizetype keyStart = line.indexOf(' ', 4) + 1;
                if (command >= 0 && command < kEditorCommandCount)
                    settings.keys[size_t(command)][0] = QString::fromUtf8(line.mid(keyStart));
            }
        }
        return settings;
    }();
    return defaults;
}

QByteArray writeEditorSettings(const EditorSettings &settings)
{
    QByteArray out = kSettingsHeader.toByteArray() + "\r\n";
    for (const StyleLook &look : settings.styles) {
        out += "style " + QByteArray::number(look.id) + ' ' + attributeName(look.attribute) + ' '
            + colourText(look.foreground) + ' ' + colourText(look.background) + ' '
            + (look.foregroundAsDefault ? '1' : '0') + ' ' + (look.backgroundAsDefault ? '1' : '0') + "\r\n";
    }
    for (int command = 0; command < kEditorCommandCount; ++command) {
        for (int slot = 0; slot < 2; ++slot) {
            const QString &key = settings.keys[size_t(command)][size_t(slot)];
            if (editorCommandName(command).isEmpty())
                continue;
            out += "key " + QByteArray::number(command) + ' ' + QByteArray::number(slot + 1) + ' ' + key.toUtf8() + "\r\n";
        }
    }
    for (const SwitchLine &option : kSwitchLines)
        out += QByteArray(option.name) + ' ' + (settings.*option.on ? '1' : '0') + "\r\n";
    out += "fontname";
    if (!settings.fontFamily.trimmed().isEmpty())
        out += ' ' + settings.fontFamily.trimmed().toUtf8();
    out += "\r\n";
    for (const NumberLine &option : kNumberLines)
        out += QByteArray(option.name) + ' ' + QByteArray::number(settings.*option.number) + "\r\n";
    for (const auto &[scheme, schemeName] : kSchemeNames) {
        if (scheme == settings.colourScheme)
            out += QByteArray("colours ") + schemeName + "\r\n";
    }
    return out;
}

bool readEditorSettings(const QByteArray &bytes, EditorSettings &settings)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kSettingsHeader)
        return false;
    EditorSettings read = settings;
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        const QList<QByteArray> parts = line.split(' ');
        if (parts.value(0) == "style" && parts.size() == 7) {
            StyleLook *look = read.style(parts[1].toInt());
            const auto attribute = attributeNamed(parts[2]);
            const auto fore = colourFrom(parts[3]);
            const auto back = colourFrom(parts[4]);
            if (!look || !attribute || !fore || !back)
                continue;
            look->attribute = *attribute;
            look->foreground = *fore;
            look->background = *back;
            look->foregroundAsDefault = parts[5] == "1";
            look->backgroundAsDefault = parts[6] == "1";
        } else if (parts.value(0) == "key" && parts.size() >= 3) {
            bool commandOk = false;
            const int command = parts[1].toInt(&commandOk);
            const int slot = parts[2].toInt();
            if (!commandOk || editorCommandName(command).isEmpty() || (slot != 1 && slot != 2))
                continue;
            const qsizetype prefix = 4 + parts[1].size() + 1 + parts[2].size();
            read.keys[size_t(command)][size_t(slot - 1)] = QString::fromUtf8(line.mid(prefix).trimmed());
        } else if (!parts.first().isEmpty()) {
            readOptionLine(line, parts, read);
        }
    }
    settings = std::move(read);
    return true;
}

// --- word lists -------------------------------------------------------------

const HighlightScheme &HighlightScheme::builtIn()
{
    static const HighlightScheme scheme;
    return scheme;
}

HighlightScheme::HighlightScheme()
{
    const QList<QByteArray> lines = schemeLines();
    for (size_t i = 0; i < m_lists.size(); ++i) {
        const auto list = static_cast<List>(i);
        WordSet &set = m_lists[i];
        set.ignoreCase = list == List::Tags || list == List::Attributes || list == List::Urls
            || list == List::VbFunctions || list == List::VbMethods || list == List::VbKeywords;
        const QByteArray name = listName(list);
        for (const QByteArray &line : lines) {
            QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.value(0) != name)
                continue;
            for (const QByteArray &word : parts.mid(1)) {
                if (word.isEmpty())
                    continue;
                set.words.append(QString::fromUtf8(word));
                set.lookup.insert(set.ignoreCase ? word.toLower().toStdString() : word.toStdString());
            }
        }
    }
}

const QStringList &HighlightScheme::words(List list) const
{
    return m_lists[size_t(list)].words;
}

bool HighlightScheme::contains(List list, std::string_view word) const
{
    const WordSet &set = m_lists[size_t(list)];
    if (!set.ignoreCase)
        return set.lookup.find(std::string(word)) != set.lookup.end();
    char buffer[64];
    if (word.size() > sizeof buffer)
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        buffer[i] = lower(word[i]);
    return set.lookup.find(std::string(buffer, word.size())) != set.lookup.end();
}

// --- the scanner ------------------------------------------------------------

SchemeScanner::SchemeScanner(const HighlightScheme &scheme) : m_scheme(scheme) {}

int SchemeScanner::scanLine(std::string_view line, int state, std::vector<Run> &runs) const
{
    using L = HighlightScheme::List;
    namespace S = SchemeStyle;
    RunWriter out(runs);
    const size_t n = line.size();
    int mode = state & kModeMask;
    bool vbChosen = (state & kVbChosen) != 0;
    const bool wholeScript = (state & kWholeScript) != 0;
    // Where the script ends on this line: at "</script", or nowhere when
    // the text is a script alone.
    const auto scriptEnd = [&](size_t from) { return wholeScript ? n : findScriptEnd(line, from); };
    bool afterEquals = false;  // in a tag, the next word is an attribute's value
    size_t i = 0;

    auto uc = [&](size_t at) { return static_cast<unsigned char>(line[at]); };
    // The address prefix at i, or 0.
    auto urlPrefixLength = [&](size_t at) -> size_t {
        if (!isLetter(uc(at)))
            return 0;
        size_t end = at;
        while (end < n && isLetter(uc(end)))
            ++end;
        if (end >= n || line[end] != ':')
            return 0;
        ++end;
        if (end + 1 < n && line[end] == '/' && line[end + 1] == '/')
            end += 2;
        return m_scheme.contains(L::Urls, line.substr(at, end - at)) ? end - at : 0;
    };
    auto urlEnd = [&](size_t at, char quote) {
        while (at < n && !isSpace(uc(at)) && line[at] != '<' && line[at] != '>' && line[at] != '"'
               && line[at] != '\'' && line[at] != quote)
            ++at;
        return at;
    };
    // After "<", "</" or "<!": the tag's name.
    auto tagName = [&]() {
        const size_t end = wordEnd(line, i);
        out.add(i, end, m_scheme.contains(L::Tags, line.substr(i, end - i)) ? S::TagName : S::Default);
        i = end;
    };

    while (i < n) {
        const unsigned char c = uc(i);
        switch (mode) {
        case Text: {
            if (c == '<') {
                if (startsWith(line, i, "<!--")) {
                    out.add(i, i + 4, S::Comment);
                    i += 4;
                    mode = HtmlComment;
                } else if (atScriptEnd(line, i)) {
                    out.add(i, i + 8, S::TagName);
                    i += 8;
                    mode = Tag;
                } else if (atScriptStart(line, i)) {
                    out.add(i, i + 7, S::TagName);
                    i += 7;
                    mode = ScriptTag;
                    vbChosen = false;
                } else if (i + 1 < n && (line[i + 1] == '/' || line[i + 1] == '!')) {
                    out.add(i, i + 2, S::TagName);
                    i += 2;
                    tagName();
                    mode = Tag;
                } else if (i + 1 < n && isLetter(uc(i + 1))) {
                    out.add(i, i + 1, S::TagName);
                    ++i;
                    tagName();
                    mode = Tag;
                } else {
                    out.add(i, i + 1, S::Default);
                    ++i;
                }
                afterEquals = false;
            } else if (c == '&') {
                const size_t end = wordEnd(line, i + 1);
                if (end < n && line[end] == ';' && m_scheme.contains(L::Entities, line.substr(i, end + 1 - i))) {
                    out.add(i, end + 1, S::SpecialChar);
                    i = end + 1;
                } else {
                    out.add(i, i + 1, S::Default);
                    ++i;
                }
            } else if (isWordChar(c)) {
                if (const size_t prefix = urlPrefixLength(i)) {
                    const size_t end = urlEnd(i + prefix, 0);
                    out.add(i, end, S::WebUrl);
                    i = end;
                    break;
                }
                const size_t end = wordEnd(line, i);
                bool number = true;
                for (size_t k = i; k < end && number; ++k)
                    number = isDigit(uc(k));
                out.add(i, end, number ? S::Number : S::Default);
                i = end;
            } else {
                size_t end = i + 1;
                while (end < n && line[end] != '<' && line[end] != '&' && !isWordChar(uc(end)))
                    ++end;
                out.add(i, end, S::Default);
                i = end;
            }
            break;
        }
        case Tag:
        case ScriptTag: {
            if (c == '>') {
                out.add(i, i + 1, S::TagName);
                ++i;
                mode = mode == ScriptTag ? (vbChosen ? Vb : Js) : Text;
            } else if (c == '=') {
                out.add(i, i + 1, S::Default);
                ++i;
                afterEquals = true;
            } else if (c == '"' || c == '\'') {
                size_t close = line.find(char(c), i + 1);
                const size_t contentEnd = close == std::string_view::npos ? n : close;
                const size_t end = close == std::string_view::npos ? n : close + 1;
                const std::string_view content = line.substr(i + 1, contentEnd - i - 1);
                if (mode == ScriptTag) {
                    if (content.size() == 8 && startsWithNoCase(content, 0, "vbscript"))
                        vbChosen = true;
                    else if (startsWithNoCase(content, 0, "javascript"))
                        vbChosen = false;
                }
                const size_t prefix = content.empty() ? 0 : urlPrefixLength(i + 1);
                if (prefix) {
                    out.add(i, i + 1, S::String);
                    out.add(i + 1, contentEnd, S::WebUrl);
                    out.add(contentEnd, end, S::String);
                } else {
                    out.add(i, end, S::String);
                }
                i = end;
                afterEquals = false;
            } else if (isDigit(c)) {
                const size_t end = wordEnd(line, i);
                out.add(i, end, S::Number);
                i = end;
                afterEquals = false;
            } else if (isWordChar(c)) {
                const size_t end = wordEnd(line, i);
                const std::string_view word = line.substr(i, end - i);
                if (afterEquals) {
                    if (const size_t prefix = urlPrefixLength(i)) {
                        const size_t urlStop = urlEnd(i + prefix, 0);
                        out.add(i, urlStop, S::WebUrl);
                        i = urlStop;
                        afterEquals = false;
                        break;
                    }
                }
                if (mode == ScriptTag && startsWithNoCase(line, i, "javascript1.1") && !(i + 13 < n && isWordChar(uc(i + 13)))) {
                    out.add(i, i + 13, S::String);
                    vbChosen = false;
                    i += 13;
                } else if (mode == ScriptTag && (word.size() == 10 && startsWithNoCase(word, 0, "javascript"))) {
                    out.add(i, end, S::String);
                    vbChosen = false;
                    i = end;
                } else if (mode == ScriptTag && word.size() == 8 && startsWithNoCase(word, 0, "vbscript")) {
                    out.add(i, end, S::String);
                    vbChosen = true;
                    i = end;
                } else {
                    // Every name in a tag is an attribute, the scheme's own or not;
                    // an unquoted value is a string.
                    out.add(i, end, afterEquals ? S::String : S::FieldName);
                    i = end;
                }
                afterEquals = false;
            } else if (c == '<') {
                // A tag left open: the next one starts here.
                mode = Text;
            } else {
                size_t end = i + 1;
                while (end < n && isSpace(uc(end)) && isSpace(c))
                    ++end;
                out.add(i, end, S::Default);
                i = end;
            }
            break;
        }
        case HtmlComment: {
            const size_t close = line.find("-->", i);
            if (close == std::string_view::npos) {
                out.add(i, n, S::Comment);
                i = n;
            } else {
                out.add(i, close, S::Comment);
                out.add(close, close + 3, S::JsComment);
                i = close + 3;
                mode = Text;
            }
            break;
        }
        case JsBlockComment: {
            const size_t stop = scriptEnd(i);
            const size_t close = line.substr(0, stop).find("*/", i);
            if (close != std::string_view::npos) {
                out.add(i, close + 2, S::JsComment);
                i = close + 2;
                mode = Js;
            } else {
                out.add(i, stop, S::JsComment);
                i = stop;
                if (stop < n)
                    mode = Js;
            }
            break;
        }
        case Js:
        case Vb: {
            const bool js = mode == Js;
            if (c == '<' && !wholeScript && atScriptEnd(line, i)) {
                out.add(i, i + 8, S::TagName);
                i += 8;
                mode = Tag;
            } else if (c == '<' && startsWith(line, i, "<!--")) {
                const size_t end = scriptEnd(i);
                out.add(i, end, js ? S::JsComment : S::VbComment);
                i = end;
            } else if (c == '-' && startsWith(line, i, "-->")) {
                out.add(i, i + 3, S::JsComment);
                i += 3;
            } else if (js && c == '/' && i + 1 < n && line[i + 1] == '/') {
                const size_t end = scriptEnd(i);
                out.add(i, end, S::JsComment);
                i = end;
            } else if (js && c == '/' && i + 1 < n && line[i + 1] == '*') {
                out.add(i, i + 2, S::JsComment);
                i += 2;
                mode = JsBlockComment;
            } else if (!js && (c == '\'' || ((c == 'r' || c == 'R') && wordEnd(line, i) == i + 3 &&
                                             startsWithNoCase(line, i, "rem")))) {
                const size_t end = scriptEnd(i);
                out.add(i, end, S::VbComment);
                i = end;
            } else if (c == '"' || (js && c == '\'')) {
                const size_t stop = scriptEnd(i + 1);
                size_t k = i + 1;
                while (k < stop) {
                    if (js && line[k] == '\\') {
                        k += 2;
                        continue;
                    }
                    if (line[k] == char(c)) {
                        if (!js && k + 1 < stop && line[k + 1] == '"') {  // "" inside a VBScript string
                            k += 2;
                            continue;
                        }
                        ++k;
                        break;
                    }
                    ++k;
                }
                k = std::min(k, stop);
                out.add(i, k, js ? S::JsString : S::VbString);
                i = k;
            } else if (isDigit(c) || (!js && c == '&' && i + 1 < n && (line[i + 1] == 'H' || line[i + 1] == 'h'))) {
                size_t end = (c == '&') ? i + 2 : i;
                while (end < n) {
                    const unsigned char d = uc(end);
                    const bool fraction = d == '.' && end + 1 < n && isDigit(uc(end + 1));
                    const bool exponentSign = (d == '+' || d == '-') &&
                                              (line[end - 1] == 'e' || line[end - 1] == 'E') &&
                                              !startsWithNoCase(line, i, "0x");
                    if (!isWordChar(d) && !fraction && !exponentSign)
                        break;
                    ++end;
                }
                out.add(i, end, js ? S::JsNumber : S::VbNumber);
                i = end;
            } else if (isWordChar(c)) {
                const size_t end = wordEnd(line, i);
                const std::string_view word = line.substr(i, end - i);
                int style;
                if (js) {
                    style = m_scheme.contains(L::JsKeywords, word) ? S::JsKeyword
                        : m_scheme.contains(L::JsMethods, word)   ? S::JsMethod
                                                                  : S::JsIdentifier;
                } else {
                    style = m_scheme.contains(L::VbKeywords, word)    ? S::VbKeyword
                        : m_scheme.contains(L::VbFunctions, word) ? S::VbFunction
                        : m_scheme.contains(L::VbMethods, word)   ? S::VbMethod
                                                                  : S::VbIdentifier;
                }
                out.add(i, end, style);
                i = end;
            } else if (isOperatorChar(c)) {
                out.add(i, i + 1, js ? S::JsSymbol : S::VbSymbol);
                ++i;
            } else {
                out.add(i, i + 1, S::Default);
                ++i;
            }
            break;
        }
        default:
            mode = Text;
            break;
        }
    }
    return mode | (mode == ScriptTag && vbChosen ? kVbChosen : 0) | (wholeScript ? kWholeScript : 0);
}

int SchemeScanner::startState(SourceKind kind)
{
    switch (kind) {
    case SourceKind::Html:
        break;
    case SourceKind::JavaScript:
        return Js | kWholeScript;
    case SourceKind::VbScript:
        return Vb | kWholeScript;
    }
    return kStartState;
}

SourceKind sourceKindOfFile(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"js" || suffix == u"mjs")
        return SourceKind::JavaScript;
    if (suffix == u"vbs")
        return SourceKind::VbScript;
    return SourceKind::Html;
}
