#include "doctor/jstokens.h"

#include <array>
#include <string_view>

namespace {

// Longest first, so that the first one that fits is the token; any other
// character is punctuation of its own.
constexpr std::string_view kPunctuators[] = {
    ">>>=", "...", "===", "!==", "**=", "<<=", ">>=", ">>>", "&&=", "||=", "?\?=", "=>", "==", "!=", "<=", ">=",
    "&&",   "||",  "??",  "?.",  "++",  "--",  "+=",  "-=",  "*=",  "%=",  "&=",   "|=", "^=", "<<", ">>", "**"};

bool isIdentifierStart(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || c >= 0x80;
}

bool isIdentifierPart(unsigned char c)
{
    return isIdentifierStart(c) || (c >= '0' && c <= '9');
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool isLineBreak(unsigned char c)
{
    return c == '\n' || c == '\r';
}

bool isSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Words after which an expression starts, so a slash opens a regular
// expression rather than dividing.
bool keywordBeforeOperand(QByteArrayView word)
{
    static constexpr std::array<std::string_view, 14> kWords = {"return", "typeof", "instanceof", "in",    "of",
                                                                "new",    "delete", "void",       "throw", "case",
                                                                "do",     "else",   "yield",      "await"};
    for (std::string_view w : kWords)
        if (word == QByteArrayView(w.data(), qsizetype(w.size())))
            return true;
    return false;
}

class Scanner {
public:
    explicit Scanner(QByteArrayView code) : m_code(code), m_size(int(code.size())) {}

    std::vector<JsToken> run()
    {
        while (m_at < m_size) {
            const unsigned char c = at(m_at);
            if (isLineBreak(c)) {
                m_newline = true;
                m_lineStart = true;
                ++m_at;
            } else if (isSpace(c)) {
                ++m_at;
            } else if (c == '/' && at(m_at + 1) == '/') {
                add(JsTokenKind::LineComment, toLineEnd(m_at + 2));
            } else if (c == '/' && at(m_at + 1) == '*') {
                blockComment();
            } else if (c == '<' && startsWith(m_at, "<!--")) {
                add(JsTokenKind::HtmlComment, toLineEnd(m_at + 4));
            } else if (c == '-' && m_lineStart && startsWith(m_at, "-->")) {
                add(JsTokenKind::HtmlComment, toLineEnd(m_at + 3));
            } else if (c == '}' && !m_braces.empty() && m_braces.back()) {
                m_braces.pop_back();
                templateText(m_at + 1);
            } else {
                operand(c);
            }
        }
        return std::move(m_tokens);
    }

private:
    unsigned char at(int i) const { return i < m_size ? static_cast<unsigned char>(m_code[i]) : 0; }

    bool startsWith(int i, std::string_view text) const
    {
        return m_code.sliced(i).startsWith(QByteArrayView(text.data(), qsizetype(text.size())));
    }

    int toLineEnd(int i) const
    {
        while (i < m_size && !isLineBreak(at(i)))
            ++i;
        return i;
    }

    void add(JsTokenKind kind, int end)
    {
        JsToken token;
        token.kind = kind;
        token.start = m_at;
        token.end = end;
        token.newlineBefore = m_newline;
        m_tokens.push_back(token);
        m_at = end;
        m_newline = false;
        if (!token.isComment()) {
            m_lineStart = false;
            m_last = int(m_tokens.size()) - 1;
        }
    }

    void blockComment()
    {
        int end = int(m_code.indexOf("*/", m_at + 2));
        end = end < 0 ? m_size : end + 2;
        // A comment over a line break leaves the next token at a line start.
        const bool spansLines =
            m_code.sliced(m_at, end - m_at).indexOf('\n') >= 0 || m_code.sliced(m_at, end - m_at).indexOf('\r') >= 0;
        const bool lineStart = m_lineStart || spansLines;
        add(JsTokenKind::BlockComment, end);
        m_lineStart = lineStart;
    }

    // A template's text from i, after the backquote or the "}" that closes
    // a substitution, to the closing backquote or the next "${".
    void templateText(int i)
    {
        while (i < m_size) {
            const unsigned char c = at(i);
            if (c == '\\') {
                i += 2;
            } else if (c == '`') {
                add(JsTokenKind::Template, i + 1);
                return;
            } else if (c == '$' && at(i + 1) == '{') {
                m_braces.push_back(true);
                add(JsTokenKind::Template, i + 2);
                return;
            } else {
                ++i;
            }
        }
        add(JsTokenKind::Template, m_size);
    }

    bool slashStartsRegex() const
    {
        if (m_last < 0)
            return true;
        const JsToken &last = m_tokens[size_t(m_last)];
        const QByteArrayView text = m_code.sliced(last.start, last.end - last.start);
        switch (last.kind) {
        case JsTokenKind::Identifier:
            return keywordBeforeOperand(text);
        case JsTokenKind::Punctuator:
            return text != ")" && text != "]" && text != "++" && text != "--";
        case JsTokenKind::Template:
            return text.endsWith("${");
        default:
            return false;
        }
    }

    void regex()
    {
        int i = m_at + 1;
        bool inClass = false;
        while (i < m_size && !isLineBreak(at(i))) {
            const unsigned char c = at(i);
            if (c == '\\') {
                i += 2;
                continue;
            }
            ++i;
            if (c == '[')
                inClass = true;
            else if (c == ']')
                inClass = false;
            else if (c == '/' && !inClass)
                break;
        }
        while (i < m_size && isIdentifierPart(at(i)))
            ++i;
        add(JsTokenKind::Regex, qMin(i, m_size));
    }

    void string(unsigned char quote)
    {
        int i = m_at + 1;
        while (i < m_size) {
            const unsigned char c = at(i);
            if (c == '\\') {
                // An escaped line break continues the string on the next line.
                i += (at(i + 1) == '\r' && at(i + 2) == '\n') ? 3 : 2;
                continue;
            }
            if (isLineBreak(c))
                break;
            ++i;
            if (c == quote)
                break;
        }
        add(JsTokenKind::String, qMin(i, m_size));
    }

    void number()
    {
        int i = m_at;
        // Digits, letters (hex, exponents, suffixes), dots and separators;
        // a sign only straight after an exponent's e.
        while (i < m_size) {
            const unsigned char c = at(i);
            const bool exponentSign = (c == '+' || c == '-') && (at(i - 1) == 'e' || at(i - 1) == 'E') &&
                                      !(at(m_at) == '0' && (at(m_at + 1) == 'x' || at(m_at + 1) == 'X'));
            if (isIdentifierPart(c) || c == '.' || exponentSign)
                ++i;
            else
                break;
        }
        add(JsTokenKind::Number, i);
    }

    void operand(unsigned char c)
    {
        if (isIdentifierStart(c) || c == '\\') {
            int i = m_at + 1;
            while (i < m_size && (isIdentifierPart(at(i)) || at(i) == '\\'))
                ++i;
            add(JsTokenKind::Identifier, i);
        } else if (isDigit(c) || (c == '.' && isDigit(at(m_at + 1)))) {
            number();
        } else if (c == '"' || c == '\'') {
            string(c);
        } else if (c == '`') {
            templateText(m_at + 1);
        } else if (c == '/') {
            if (slashStartsRegex())
                regex();
            else
                add(JsTokenKind::Punctuator, m_at + (at(m_at + 1) == '=' ? 2 : 1));
        } else {
            punctuator(c);
        }
    }

    void punctuator(unsigned char c)
    {
        int length = 1;
        for (std::string_view p : kPunctuators) {
            if (startsWith(m_at, p)) {
                length = int(p.size());
                break;
            }
        }
        // "?." before a digit is a conditional and a number (a ? .5 : 1).
        if (length == 2 && c == '?' && at(m_at + 1) == '.' && isDigit(at(m_at + 2)))
            length = 1;
        if (length == 1 && c == '{')
            m_braces.push_back(false);
        else if (length == 1 && c == '}' && !m_braces.empty())
            m_braces.pop_back();
        add(JsTokenKind::Punctuator, m_at + length);
    }

    QByteArrayView m_code;
    int m_size = 0;
    int m_at = 0;
    int m_last = -1;          // the last token that is not a comment
    bool m_newline = false;   // a line break since the last token
    bool m_lineStart = true;  // only white space and comments so far on this line
    // The open braces: true for a template's "${", false for a plain "{".
    std::vector<bool> m_braces;
    std::vector<JsToken> m_tokens;
};

}  // namespace

std::vector<JsToken> scanJsTokens(QByteArrayView code)
{
    return Scanner(code).run();
}
