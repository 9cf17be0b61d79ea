#include "doctor/oldcode.h"

#include "doctor/jstokens.h"
#include "doctor/scriptregions.h"

#include <QFile>

#include <algorithm>
#include <optional>

namespace {

// ---------------------------------------------------------------------------
// The checks and rewrites a rule may name.

constexpr const char *kChecks[] = {"no-type",     "javascript-language", "javascript-url",
                                   "not-member",  "not-window",          "not-declaration",
                                   "global-call", "built-argument",      "after-load"};
constexpr const char *kFixes[] = {"element-by-id",      "drop-language", "drop-wrapper",   "arrow-function",
                                  "add-event-listener", "event-target",  "prevent-default"};

template <size_t N>
bool known(const char *const (&names)[N], const QString &name)
{
    return std::any_of(std::begin(names), std::end(names), [&](const char *n) { return name == QLatin1String(n); });
}

// ---------------------------------------------------------------------------
// Reading the table.

QByteArray unescapeExample(QByteArrayView value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
            out += value[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::optional<std::vector<QByteArrayList>> parseTokenPattern(QByteArrayView text)
{
    std::vector<QByteArrayList> pattern;
    const QByteArrayList words = QByteArray(text.data(), text.size()).simplified().split(' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        QByteArray word = words[i];
        if (word.isEmpty())
            return std::nullopt;
        if (!word.startsWith('{')) {
            pattern.push_back({word});
            continue;
        }
        // "{a b c}": the choices run to the word that ends with "}".
        QByteArrayList choices;
        word.remove(0, 1);
        for (;;) {
            const bool last = word.endsWith('}');
            if (last)
                word.chop(1);
            if (!word.isEmpty())
                choices.append(word);
            if (last)
                break;
            if (++i >= words.size())
                return std::nullopt;
            word = words[i];
        }
        if (choices.isEmpty())
            return std::nullopt;
        pattern.push_back(choices);
    }
    if (pattern.empty())
        return std::nullopt;
    return pattern;
}

OldCodeRules failure(int lineNumber, const QString &what)
{
    return {{}, QStringLiteral("line %1: %2").arg(lineNumber).arg(what)};
}

// What is wrong with a rule read whole, or "" when nothing is.
QString incompleteRule(const OldCodeRule &rule, bool hasMatch)
{
    if (!hasMatch)
        return QStringLiteral("it says nothing of what it matches");
    const std::pair<const char *, bool> required[] = {
        {"name", rule.name.isEmpty()},   {"message", rule.message.isEmpty()}, {"matches", rule.matches.isEmpty()},
        {"why", rule.why.isEmpty()},     {"modern", rule.modern.isEmpty()},   {"example", rule.example.isEmpty()},
        {"fixed", rule.fixed.isEmpty()},
    };
    for (const auto &[field, missing] : required)
        if (missing)
            return QStringLiteral("it has no %1").arg(QLatin1String(field));
    if (!rule.fix.isEmpty() && rule.fixWhen.isEmpty())
        return QStringLiteral("its rewrite does not say when it is offered");
    if (rule.match == OldCodeMatch::Attribute && rule.names.size() != 2)
        return QStringLiteral("an attribute is a tag name and an attribute name");
    return {};
}

// ---------------------------------------------------------------------------
// The script code of one region, with what the rules ask of each token.

struct CodeView {
    const ScriptRegion *region = nullptr;
    QByteArrayView code;
    char attributeQuote = 0;       // a handler's attribute quote
    std::vector<JsToken> all;      // comments included
    std::vector<JsToken> tokens;   // code only
    std::vector<bool> inFunction;  // the token runs in a function body (or a handler)
    std::vector<bool> scoped;      // ... or in a catch or with block, where names differ

    QByteArrayView text(qsizetype i) const
    {
        if (i < 0 || i >= qsizetype(tokens.size()))
            return {};
        return code.sliced(tokens[size_t(i)].start, tokens[size_t(i)].end - tokens[size_t(i)].start);
    }
    bool is(qsizetype i, QByteArrayView t) const { return i >= 0 && i < qsizetype(tokens.size()) && text(i) == t; }
    JsTokenKind kind(qsizetype i) const
    {
        return i >= 0 && i < qsizetype(tokens.size()) ? tokens[size_t(i)].kind : JsTokenKind::Punctuator;
    }
    qsizetype size() const { return qsizetype(tokens.size()); }
};

bool controlWord(QByteArrayView word)
{
    return word == "if" || word == "for" || word == "while" || word == "switch";
}

// Whether token i, on a new line, starts a statement of its own after an
// operand (the line break ends the one before).
bool statementAfterLineBreak(const CodeView &view, qsizetype i)
{
    if (i == 0 || !view.tokens[size_t(i)].newlineBefore)
        return false;
    const JsTokenKind before = view.kind(i - 1);
    const bool operandEnds = before == JsTokenKind::Identifier || before == JsTokenKind::Number ||
                             before == JsTokenKind::String || before == JsTokenKind::Regex ||
                             before == JsTokenKind::Template || view.is(i - 1, ")") || view.is(i - 1, "]");
    const JsTokenKind kind = view.kind(i);
    const bool operandStarts = (kind == JsTokenKind::Identifier && !view.is(i, "in") && !view.is(i, "instanceof")) ||
                               kind == JsTokenKind::Number || kind == JsTokenKind::String;
    return operandEnds && operandStarts;
}

void markScopes(CodeView &view)
{
    enum class Brace { Plain, Function, Scope };
    std::vector<Brace> braces;
    std::vector<qsizetype> parens;   // the open "(" tokens
    std::vector<qsizetype> opening;  // for each ")" token, its "("; -1 elsewhere
    int functions = view.region->kind == ScriptRegionKind::Handler ? 1 : 0;
    int scopes = 0;
    int depth = 0;            // brackets of every kind open
    std::vector<int> arrows;  // the depth each arrow function without braces started at
    const qsizetype n = view.size();
    opening.assign(size_t(n), -1);
    view.inFunction.assign(size_t(n), false);
    view.scoped.assign(size_t(n), false);
    for (qsizetype i = 0; i < n; ++i) {
        const QByteArrayView t = view.text(i);
        const bool punctuator = view.kind(i) == JsTokenKind::Punctuator;
        const bool closing = punctuator && (t == ")" || t == "]" || t == "}");
        while (!arrows.empty() && arrows.back() == depth &&
               ((punctuator && (t == "," || t == ";" || closing)) || statementAfterLineBreak(view, i))) {
            arrows.pop_back();
            --functions;
        }
        if (punctuator && (t == "(" || t == "[" || t == "{"))
            ++depth;
        else if (closing && depth > 0)
            --depth;
        if (punctuator && t == "=>" && !view.is(i + 1, "{")) {
            arrows.push_back(depth);
            ++functions;
        }
        if (punctuator) {
            if (t == "(") {
                parens.push_back(i);
            } else if (t == ")" && !parens.empty()) {
                opening[size_t(i)] = parens.back();
                parens.pop_back();
            } else if (t == "{") {
                Brace brace = Brace::Plain;
                if (view.is(i - 1, "=>")) {
                    brace = Brace::Function;
                } else if (view.is(i - 1, ")") && opening[size_t(i - 1)] > 0) {
                    // What stands before the "(" tells a function's
                    // parameters from a condition: function (, function f (,
                    // a method f (, but not if (, for (, while (, switch (.
                    const qsizetype before = opening[size_t(i - 1)] - 1;
                    const QByteArrayView word = view.text(before);
                    if (word == "catch" || word == "with")
                        brace = Brace::Scope;
                    else if ((view.kind(before) == JsTokenKind::Identifier && !controlWord(word)) || word == "*")
                        brace = Brace::Function;
                }
                braces.push_back(brace);
                functions += brace == Brace::Function;
                scopes += brace == Brace::Scope;
            } else if (t == "}" && !braces.empty()) {
                functions -= braces.back() == Brace::Function;
                scopes -= braces.back() == Brace::Scope;
                braces.pop_back();
            }
        }
        view.inFunction[size_t(i)] = functions > 0;
        view.scoped[size_t(i)] = functions > 0 || scopes > 0;
    }
}

CodeView viewOf(const ScriptRegion &region, const PageScan &scan)
{
    CodeView view;
    view.region = &region;
    view.code = region.code;
    if (region.kind == ScriptRegionKind::Handler && region.tag >= 0 && size_t(region.tag) < scan.tags.size()) {
        for (const HtmlAttribute &a : scan.tags[size_t(region.tag)].attributes)
            if (a.valueStart >= 0 && a.valueStart <= region.start && region.end <= a.valueEnd)
                view.attributeQuote = a.quote;
    }
    view.all = scanJsTokens(view.code);
    for (const JsToken &token : view.all)
        if (!token.isComment())
            view.tokens.push_back(token);
    markScopes(view);
    return view;
}

bool isAssignment(QByteArrayView t)
{
    if (t == "==" || t == "===" || t == "!=" || t == "!==" || t == "<=" || t == ">=" || t == "=>")
        return false;
    return t.endsWith('=') || t == "++" || t == "--";
}

bool plainString(const CodeView &view, qsizetype i)
{
    const QByteArrayView t = view.text(i);
    return view.kind(i) == JsTokenKind::String && t.size() >= 2 && t.back() == t.front();
}

// ---------------------------------------------------------------------------
// The checks.

bool tokenCheck(const QString &check, const CodeView &v, qsizetype i, qsizetype length)
{
    if (check == QLatin1String("not-member"))
        return !v.is(i - 1, ".") && !v.is(i - 1, "?.");
    if (check == QLatin1String("not-declaration"))
        return !v.is(i - 1, "function");
    if (check == QLatin1String("not-window"))
        return !v.is(i - 1, "window") && !v.is(i - 1, "self");
    if (check == QLatin1String("global-call"))
        return !v.is(i - 1, ".") || v.is(i - 2, "window") || v.is(i - 2, "self");
    if (check == QLatin1String("after-load"))
        return v.inFunction[size_t(i)];
    if (check == QLatin1String("built-argument")) {
        const qsizetype arg = i + length;
        return !v.is(arg, ")") && !(plainString(v, arg) && v.is(arg + 1, ")"));
    }
    return false;
}

// The LANGUAGE names browsers of today still run as JavaScript ("text/"
// and the name is one of the JavaScript MIME types).
bool runsAsJavaScript(QByteArrayView value)
{
    static const QByteArrayList kNames = {"javascript",    "javascript1.0", "javascript1.1", "javascript1.2",
                                          "javascript1.3", "javascript1.4", "javascript1.5", "jscript",
                                          "livescript",    "ecmascript",    "x-javascript",  "x-ecmascript"};
    return kNames.contains(asciiLowered(value));
}

// Those and the names of JavaScript that no longer run (JavaScript1.7).
bool isJavaScriptLanguage(QByteArrayView value)
{
    const QByteArray name = asciiLowered(value);
    return runsAsJavaScript(value) || name.startsWith("javascript") || name.startsWith("jscript") ||
           name.startsWith("livescript") || name.startsWith("ecmascript");
}

QByteArrayView attributeValue(QByteArrayView fragment, const HtmlAttribute &a)
{
    if (a.valueStart < 0)
        return {};
    return fragment.sliced(a.valueStart, a.valueEnd - a.valueStart);
}

bool attributeCheck(const QString &check, QByteArrayView fragment, const HtmlTag &tag, const HtmlAttribute &a)
{
    if (check == QLatin1String("no-type"))
        return tag.attribute("type") == nullptr;
    if (check == QLatin1String("javascript-language"))
        return isJavaScriptLanguage(attributeValue(fragment, a));
    if (check == QLatin1String("javascript-url"))
        return asciiLowered(attributeValue(fragment, a).trimmed()).startsWith("javascript:");
    return false;
}

// ---------------------------------------------------------------------------
// The rewrites of script code, as edits in the code's bytes.

using Edits = std::vector<TextEdit>;

TextEdit replaceTokens(const CodeView &v, qsizetype first, qsizetype last, QByteArray text)
{
    const int start = v.tokens[size_t(first)].start;
    return {start, v.tokens[size_t(last)].end - start, std::move(text)};
}

// document . all then .x, ["x"] or ("x").
Edits elementById(const CodeView &v, qsizetype i, char quote)
{
    static const QByteArrayList kCollectionMembers = {"item", "tags", "length", "namedItem", "urns"};
    const qsizetype all = i + 2;
    qsizetype last = -1;
    QByteArray argument;
    if (v.is(all + 1, ".") && v.kind(all + 2) == JsTokenKind::Identifier &&
        !kCollectionMembers.contains(v.text(all + 2).toByteArray())) {
        last = all + 2;
        argument = quote + v.text(last).toByteArray() + quote;
    } else if ((v.is(all + 1, "[") && v.is(all + 3, "]")) || (v.is(all + 1, "(") && v.is(all + 3, ")"))) {
        if (!plainString(v, all + 2))
            return {};
        last = all + 3;
        argument = v.text(all + 2).toByteArray();
    } else {
        return {};
    }
    if (isAssignment(v.text(last + 1)) || v.is(i - 1, "delete") || v.is(i - 1, "++") || v.is(i - 1, "--"))
        return {};
    return {replaceTokens(v, all, last, "getElementById(" + argument + ')')};
}

// The code a timer's string literal holds, when it can stand as the body of
// an arrow function and mean the same: only the escapes of quotes and
// backslashes, no comment, no declaration, brackets that pair up.
std::optional<QByteArray> timerCode(QByteArrayView literal)
{
    QByteArray code;
    for (qsizetype k = 1; k + 1 < literal.size(); ++k) {
        char c = literal[k];
        if (c == '\\') {
            c = literal[++k];
            if (c != '\\' && c != '\'' && c != '"')
                return std::nullopt;
        }
        code += c;
    }
    code = code.trimmed();
    if (code.isEmpty())
        return std::nullopt;
    static const QByteArrayList kRefused = {"var",   "let",      "const", "function", "class",  "this",   "return",
                                            "break", "continue", "yield", "await",    "import", "export", "arguments"};
    int depth = 0;
    for (const JsToken &token : scanJsTokens(code)) {
        const QByteArrayView t = QByteArrayView(code).sliced(token.start, token.end - token.start);
        if (token.isComment())
            return std::nullopt;
        if (token.kind == JsTokenKind::Identifier && kRefused.contains(t.toByteArray()))
            return std::nullopt;
        if (token.kind == JsTokenKind::String && (t.size() < 2 || t.back() != t.front()))
            return std::nullopt;
        if (token.kind == JsTokenKind::Template && (t.size() < 2 || !t.endsWith('`')) && !t.endsWith("${"))
            return std::nullopt;
        if (token.kind == JsTokenKind::Punctuator && (t == "(" || t == "[" || t == "{"))
            ++depth;
        else if (token.kind == JsTokenKind::Punctuator && (t == ")" || t == "]" || t == "}") && --depth < 0)
            return std::nullopt;
        if (token.kind == JsTokenKind::Template && t.endsWith("${"))
            ++depth;
        if (token.kind == JsTokenKind::Template && t.startsWith('}') && --depth < 0)
            return std::nullopt;
    }
    if (depth != 0)
        return std::nullopt;
    return code;
}

Edits arrowFunction(const CodeView &v, qsizetype i)
{
    const qsizetype literal = i + 2;
    if (v.scoped[size_t(i)] || !plainString(v, literal) || !(v.is(literal + 1, ",") || v.is(literal + 1, ")")))
        return {};
    const std::optional<QByteArray> code = timerCode(v.text(literal));
    if (!code)
        return {};
    return {replaceTokens(v, literal, literal, "() => { " + *code + " }")};
}

bool eventName(QByteArrayView literal)
{
    if (literal.size() < 5 || asciiLower(literal[1]) != 'o' || asciiLower(literal[2]) != 'n')
        return false;
    return std::all_of(literal.begin() + 3, literal.end() - 1,
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); });
}

Edits addEventListener(const CodeView &v, qsizetype i)
{
    const qsizetype literal = i + 2;
    if (!v.is(i - 1, ".") || !plainString(v, literal) || !eventName(v.text(literal)) || !v.is(literal + 1, ","))
        return {};
    const JsToken &name = v.tokens[size_t(literal)];
    const QByteArray method = v.is(i, "attachEvent") ? "addEventListener" : "removeEventListener";
    return {replaceTokens(v, i, i, method),
            {name.start + 1, name.end - name.start - 2, asciiLowered(v.text(literal).sliced(3).chopped(1))}};
}

Edits eventTarget(const CodeView &v, qsizetype i)
{
    static const QByteArrayList kEventNames = {"event", "e", "evt", "ev"};
    const QByteArrayView receiver = v.text(i - 1);
    if (v.kind(i - 1) != JsTokenKind::Identifier || !kEventNames.contains(receiver.toByteArray()))
        return {};
    if ((v.is(i - 2, ".") && !v.is(i - 3, "window")) || isAssignment(v.text(i + 2)))
        return {};
    return {replaceTokens(v, i + 1, i + 1, "target")};
}

Edits preventDefault(const CodeView &v, qsizetype i)
{
    const qsizetype value = i + 3;
    if (!v.is(value, "false"))
        return {};
    // The assignment ends its statement...
    const qsizetype next = value + 1;
    const bool ends = next >= v.size() || v.is(next, ";") || v.is(next, "}") ||
                      (v.tokens[size_t(next)].newlineBefore && v.kind(next) == JsTokenKind::Identifier);
    // ... and starts it: a receiver a.b.c after a statement's beginning.
    qsizetype first = i - 1;
    if (v.kind(first) != JsTokenKind::Identifier)
        return {};
    while (v.is(first - 1, ".") && v.kind(first - 2) == JsTokenKind::Identifier)
        first -= 2;
    const qsizetype before = first - 1;
    const bool starts = before < 0 || v.is(before, ";") || v.is(before, "{") || v.is(before, "}") ||
                        v.is(before, ")") || v.is(before, "else") || v.tokens[size_t(first)].newlineBefore;
    if (!ends || !starts)
        return {};
    return {replaceTokens(v, i, value, ".preventDefault()")};
}

Edits tokenFix(const QString &fix, const CodeView &v, qsizetype i, char quote)
{
    if (fix == QLatin1String("element-by-id"))
        return elementById(v, i, quote);
    if (fix == QLatin1String("arrow-function"))
        return arrowFunction(v, i);
    if (fix == QLatin1String("add-event-listener"))
        return addEventListener(v, i);
    if (fix == QLatin1String("event-target"))
        return eventTarget(v, i);
    if (fix == QLatin1String("prevent-default"))
        return preventDefault(v, i);
    return {};
}

// A handler's code sits in an attribute value: what goes in must not close
// the attribute or start a character reference.
std::optional<QByteArray> forAttribute(QByteArray text, char quote)
{
    if (quote == 0) {
        const bool breaks = std::any_of(text.begin(), text.end(), [](char c) {
            return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '"' || c == '\'' || c == '=' || c == '<' ||
                   c == '>' || c == '`' || c == '&';
        });
        return breaks ? std::nullopt : std::optional<QByteArray>(text);
    }
    text.replace("&", "&amp;");
    text.replace(QByteArray(1, quote), quote == '"' ? "&quot;" : "&#39;");
    return text;
}

// Code edits as edits of the fragment; nothing when one cannot be made.
Edits toFragment(const CodeView &v, const Edits &edits)
{
    Edits out;
    for (const TextEdit &edit : edits) {
        const int start = v.region->fragmentOffset(edit.start);
        const int end = v.region->fragmentOffset(edit.start + edit.length);
        QByteArray text = edit.text;
        if (v.region->kind == ScriptRegionKind::Handler) {
            const std::optional<QByteArray> encoded = forAttribute(text, v.attributeQuote);
            if (!encoded)
                return {};
            text = *encoded;
        }
        out.push_back({start, end - start, text});
    }
    return out;
}

bool tokenMatches(const std::vector<QByteArrayList> &pattern, const CodeView &v, qsizetype i)
{
    if (i + qsizetype(pattern.size()) > v.size())
        return false;
    for (size_t k = 0; k < pattern.size(); ++k) {
        const qsizetype at = i + qsizetype(k);
        const QByteArrayView t = v.text(at);
        const bool fits = std::any_of(pattern[k].begin(), pattern[k].end(), [&](const QByteArray &choice) {
            if (choice == "$string")
                return v.kind(at) == JsTokenKind::String || (v.kind(at) == JsTokenKind::Template && t.startsWith('`'));
            return t == choice && v.kind(at) != JsTokenKind::String && v.kind(at) != JsTokenKind::Template &&
                   v.kind(at) != JsTokenKind::Regex;
        });
        if (!fits)
            return false;
    }
    return true;
}

Finding findingOf(const OldCodeRule &rule, int start, int end)
{
    Finding f;
    f.kind = rule.kind;
    f.start = start;
    f.end = end;
    f.rule = rule.id;
    f.message = rule.message;
    return f;
}

void findInCode(const OldCodeRule &rule, const CodeView &v, std::vector<Finding> &out)
{
    // The quote a rewrite writes a new string with: the other one inside a
    // double-quoted attribute.
    const char quote = v.attributeQuote == '"' ? '\'' : '"';
    for (qsizetype i = 0; i < v.size(); ++i) {
        for (const std::vector<QByteArrayList> &pattern : rule.patterns) {
            if (!tokenMatches(pattern, v, i))
                continue;
            const qsizetype length = qsizetype(pattern.size());
            if (!std::all_of(rule.checks.begin(), rule.checks.end(),
                             [&](const QString &check) { return tokenCheck(check, v, i, length); }))
                continue;
            int start = v.tokens[size_t(i)].start;
            int end = v.tokens[size_t(i + length - 1)].end;
            const Edits edits = rule.fix.isEmpty() ? Edits() : tokenFix(rule.fix, v, i, quote);
            for (const TextEdit &edit : edits) {
                start = qMin(start, edit.start);
                end = qMax(end, edit.start + edit.length);
            }
            Finding f = findingOf(rule, v.region->fragmentOffset(start), v.region->fragmentOffset(end));
            f.fix = toFragment(v, edits);
            out.push_back(std::move(f));
            break;
        }
    }
}

// The offset of the start of the line offset lies on, not before from.
int lineStart(QByteArrayView text, int offset, int from)
{
    while (offset > from && text[offset - 1] != '\n' && text[offset - 1] != '\r')
        --offset;
    return offset;
}

// The offset after the line break ending the line offset lies on, not after to.
int nextLine(QByteArrayView text, int offset, int to)
{
    while (offset < to && text[offset] != '\n' && text[offset] != '\r')
        ++offset;
    if (offset < to && text[offset] == '\r')
        ++offset;
    if (offset < to && text[offset] == '\n')
        ++offset;
    return offset;
}

bool closesWrapper(const CodeView &v, const JsToken &token)
{
    const QByteArrayView t = v.code.sliced(token.start, token.end - token.start);
    if (token.kind == JsTokenKind::HtmlComment)
        return t.startsWith("-->");
    return token.kind == JsTokenKind::LineComment && t.trimmed().endsWith("-->");
}

// The <!-- line that opens a block and the //--> line that ends it.
Edits dropWrapper(const CodeView &v, size_t open)
{
    if (open != 0 || v.all.size() < 2)
        return {};
    const JsToken &close = v.all.back();
    if (!close.newlineBefore || !closesWrapper(v, close))
        return {};
    const int size = int(v.code.size());
    const int openStart = lineStart(v.code, v.all[0].start, 0);
    const int openEnd = nextLine(v.code, v.all[0].start, size);
    const int closeStart = lineStart(v.code, close.start, 0);
    const int closeEnd = nextLine(v.code, close.start, size);
    if (closeStart < openEnd)
        return {};
    return {{openStart, openEnd - openStart, {}}, {closeStart, closeEnd - closeStart, {}}};
}

void findComments(const OldCodeRule &rule, const CodeView &v, std::vector<Finding> &out)
{
    if (v.region->kind != ScriptRegionKind::Block)
        return;
    for (size_t k = 0; k < v.all.size(); ++k) {
        const JsToken &token = v.all[k];
        if (token.kind != JsTokenKind::HtmlComment ||
            !v.code.sliced(token.start).startsWith(rule.names.value(0, QByteArrayLiteral("<!--"))))
            continue;
        Finding f = findingOf(rule, v.region->fragmentOffset(token.start), v.region->fragmentOffset(token.start + 4));
        if (rule.fix == QLatin1String("drop-wrapper"))
            f.fix = toFragment(v, dropWrapper(v, k));
        out.push_back(std::move(f));
    }
}

// Leaves out an attribute and the white space before it.
Edits dropAttribute(QByteArrayView fragment, const HtmlTag &tag, const HtmlAttribute &a)
{
    int start = a.nameStart;
    while (start > tag.start && (fragment[start - 1] == ' ' || fragment[start - 1] == '\t' ||
                                 fragment[start - 1] == '\n' || fragment[start - 1] == '\r'))
        --start;
    return {{start, a.end - start, {}}};
}

void findInTags(const OldCodeRule &rule, QByteArrayView fragment, const PageScan &scan, std::vector<Finding> &out)
{
    for (const HtmlTag &tag : scan.tags) {
        if (tag.closing)
            continue;
        if (rule.match == OldCodeMatch::Tag) {
            if (rule.names.contains(tag.name))
                out.push_back(findingOf(rule, tag.start, tag.end));
            continue;
        }
        if (rule.names[0] != "*" && rule.names[0] != tag.name)
            continue;
        const HtmlAttribute *a = tag.attribute(rule.names[1]);
        if (!a || !std::all_of(rule.checks.begin(), rule.checks.end(),
                               [&](const QString &check) { return attributeCheck(check, fragment, tag, *a); }))
            continue;
        Finding f = findingOf(rule, a->nameStart, a->end);
        if (rule.fix == QLatin1String("drop-language")) {
            const QByteArrayView language = attributeValue(fragment, *a);
            // A block that no longer runs at all is more than a hint.
            if (runsAsJavaScript(language)) {
                f.fix = dropAttribute(fragment, tag, *a);
            } else {
                f.kind = FindingKind::Warning;
                f.message = QStringLiteral("LANGUAGE=\"%1\": browsers of today do not run this block")
                                .arg(QString::fromUtf8(language));
            }
        }
        out.push_back(std::move(f));
    }
}

QString kindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error:
        return QStringLiteral("Error");
    case FindingKind::Warning:
        return QStringLiteral("Warning");
    case FindingKind::Hint:
        return QStringLiteral("Hint");
    }
    return {};
}

}  // namespace

OldCodeRules parseOldCodeRules(QByteArrayView data)
{
    OldCodeRules table;
    OldCodeRule rule;
    bool open = false;
    bool hasMatch = false;
    int ruleLine = 0;
    const auto finish = [&]() -> QString {
        if (!open)
            return {};
        const QString fault = incompleteRule(rule, hasMatch);
        if (!fault.isEmpty())
            return QStringLiteral("the rule %1 of line %2: %3").arg(rule.id).arg(ruleLine).arg(fault);
        table.rules.push_back(std::move(rule));
        rule = OldCodeRule();
        hasMatch = false;
        return {};
    };
    int lineNumber = 0;
    qsizetype at = 0;
    while (at < data.size()) {
        qsizetype endOfLine = data.indexOf('\n', at);
        if (endOfLine < 0)
            endOfLine = data.size();
        QByteArrayView line = data.sliced(at, endOfLine - at);
        at = endOfLine + 1;
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            if (const QString fault = finish(); !fault.isEmpty())
                return {{}, fault};
            if (!line.endsWith(']') || line.size() < 3)
                return failure(lineNumber, QStringLiteral("a rule's id is written [id]"));
            rule.id = QString::fromUtf8(line.sliced(1, line.size() - 2));
            if (std::any_of(table.rules.begin(), table.rules.end(),
                            [&](const OldCodeRule &r) { return r.id == rule.id; }))
                return failure(lineNumber, QStringLiteral("the rule %1 is there twice").arg(rule.id));
            open = true;
            ruleLine = lineNumber;
            continue;
        }
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return failure(lineNumber, QStringLiteral("a field is written \"name: value\""));
        if (!open)
            return failure(lineNumber, QStringLiteral("a field before the first rule"));
        const QByteArrayView field = line.first(colon).trimmed();
        const QByteArrayView value = line.sliced(colon + 1).trimmed();
        const QString text = QString::fromUtf8(value);
        const bool matcher = field == "tokens" || field == "tag" || field == "attribute" || field == "comment";
        if (matcher && hasMatch && !(field == "tokens" && rule.match == OldCodeMatch::Tokens))
            return failure(lineNumber, QStringLiteral("a rule matches one kind of thing"));
        if (field == "kind") {
            if (value == "Warning")
                rule.kind = FindingKind::Warning;
            else if (value == "Hint")
                rule.kind = FindingKind::Hint;
            else
                return failure(lineNumber, QStringLiteral("a rule's kind is Warning or Hint"));
        } else if (field == "tokens") {
            const auto pattern = parseTokenPattern(value);
            if (!pattern)
                return failure(lineNumber, QStringLiteral("a pattern of tokens that cannot be read"));
            rule.match = OldCodeMatch::Tokens;
            rule.patterns.push_back(*pattern);
        } else if (field == "tag" || field == "attribute" || field == "comment") {
            rule.match = field == "tag"         ? OldCodeMatch::Tag
                         : field == "attribute" ? OldCodeMatch::Attribute
                                                : OldCodeMatch::Comment;
            rule.names = asciiLowered(value).simplified().split(' ');
            if (rule.match == OldCodeMatch::Comment && rule.names != QByteArrayList{"<!--"})
                return failure(lineNumber, QStringLiteral("a rule of comments finds \"<!--\""));
        } else if (field == "checks") {
            rule.checks = text.split(u' ', Qt::SkipEmptyParts);
            for (const QString &check : rule.checks)
                if (!known(kChecks, check))
                    return failure(lineNumber, QStringLiteral("no check is called %1").arg(check));
        } else if (field == "fix") {
            rule.fix = text == QLatin1String("none") ? QString() : text;
            if (!rule.fix.isEmpty() && !known(kFixes, rule.fix))
                return failure(lineNumber, QStringLiteral("no rewrite is called %1").arg(text));
        } else if (field == "name") {
            rule.name = text;
        } else if (field == "message") {
            rule.message = text;
        } else if (field == "matches") {
            rule.matches = text;
        } else if (field == "why") {
            rule.why = text;
        } else if (field == "modern") {
            rule.modern = text;
        } else if (field == "fix-when") {
            rule.fixWhen = text;
        } else if (field == "example") {
            rule.example = unescapeExample(value);
        } else if (field == "fixed") {
            rule.fixed = unescapeExample(value);
        } else {
            return failure(lineNumber, QStringLiteral("no field is called %1").arg(QString::fromUtf8(field)));
        }
        hasMatch = hasMatch || matcher;
    }
    if (const QString fault = finish(); !fault.isEmpty())
        return {{}, fault};
    return table;
}

// Outside any namespace, as Q_INIT_RESOURCE wants: the core is a static
// library, so its resources are registered by hand before the first use.
static void registerDoctorResources()
{
    Q_INIT_RESOURCE(doctor);
}

OldCodeRules readOldCodeRules()
{
    static const bool registered = (registerDoctorResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/doctor/rules.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    return parseOldCodeRules(file.readAll());
}

const std::vector<OldCodeRule> &oldCodeRules()
{
    static const std::vector<OldCodeRule> rules = [] {
        OldCodeRules table = readOldCodeRules();
        if (!table.error.isEmpty())
            qWarning("the rules of old browser code cannot be read: %s", qPrintable(table.error));
        return std::move(table.rules);
    }();
    return rules;
}

std::vector<Finding> findOldCode(QByteArrayView fragment, SourceKind kind)
{
    return findOldCode(fragment, kind, oldCodeRules());
}

std::vector<Finding> findOldCode(QByteArrayView fragment, SourceKind kind, const std::vector<OldCodeRule> &rules)
{
    std::vector<Finding> findings;
    const PageScan scan = scanPage(fragment, kind);
    for (const ScriptRegion &region : scan.scripts) {
        const CodeView view = viewOf(region, scan);
        for (const OldCodeRule &rule : rules) {
            if (rule.match == OldCodeMatch::Tokens)
                findInCode(rule, view, findings);
            else if (rule.match == OldCodeMatch::Comment)
                findComments(rule, view, findings);
        }
    }
    for (const OldCodeRule &rule : rules)
        if (rule.match == OldCodeMatch::Tag || rule.match == OldCodeMatch::Attribute)
            findInTags(rule, fragment, scan, findings);
    sortFindings(findings);
    return findings;
}

QString oldCodeHelpPage()
{
    const auto pre = [](const QByteArray &code) {
        return QStringLiteral("<pre>%1</pre>").arg(QString::fromUtf8(code).toHtmlEscaped());
    };
    QString rules;
    for (const OldCodeRule &rule : oldCodeRules()) {
        const QString fix = rule.fix.isEmpty()
                                ? QStringLiteral("None: the change is yours to make, as the example shows.")
                                : QStringLiteral("Offered when %1.").arg(rule.fixWhen.toHtmlEscaped());
        rules +=
            QStringLiteral("<h2 id=\"%1\">%2</h2>\n"
                           "<p><b>%3.</b> Finds %4.</p>\n"
                           "<p>%5</p>\n"
                           "<p><b>Today:</b> %6</p>\n"
                           "<p><b>Automatic fix:</b> %7</p>\n"
                           "<p>For example</p>%8<p>becomes</p>%9\n")
                .arg(rule.id, rule.name.toHtmlEscaped(), kindName(rule.kind), rule.matches.toHtmlEscaped(),
                     rule.why.toHtmlEscaped(), rule.modern.toHtmlEscaped(), fix, pre(rule.example), pre(rule.fixed));
    }
    return QStringLiteral(
               "<html><head><title>Old browser code</title></head><body>"
               "<h1>Old browser code</h1>"
               "<p>While you type, the editors look for code written for browsers long gone: it is underlined, "
               "and listed in the Problems view with the syntax errors. A warning is code that no longer works "
               "as it was meant to; a hint, drawn faintly, is code that still works but is no longer needed. "
               "Where a rewrite cannot change what the page does, the finding offers it as a fix.</p>"
               "<p>The rules read JavaScript in &lt;SCRIPT&gt; blocks, in event-handler attributes "
               "(ONCLICK=\"...\") and in whole .js files, and the HTML tags outside them; text inside strings and "
               "comments is never taken for code. VBScript is not checked.</p>\n%1"
               "</body></html>")
        .arg(rules);
}
