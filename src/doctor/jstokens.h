#pragma once
// A plain JavaScript token scanner for the rules of old browser code: it
// tells code from strings and comments, not good from bad, so it never
// fails; text it cannot read becomes one-byte punctuation.  A slash starts
// a regular expression where the token before it cannot end an operand
// (the usual guess without a parser).  The HTML-like comments of classic
// scripts are line comments, as browsers read them: "<!--" anywhere, and
// "-->" where only white space and comments stand before it on its line.

#include <QByteArrayView>

#include <vector>

enum class JsTokenKind {
    Identifier,  // names and keywords alike
    Punctuator,
    Number,
    String,        // '...' or "..."
    Template,      // a template literal's text: `...${, }...${ or }...`
    Regex,         // /.../flags
    LineComment,   // // to the line's end
    BlockComment,  // /* ... */
    HtmlComment,   // <!-- or --> to the line's end
};

struct JsToken {
    JsTokenKind kind = JsTokenKind::Punctuator;
    int start = 0;  // byte offsets in the code
    int end = 0;
    bool newlineBefore = false;  // a line break between this token and the one before

    bool isComment() const
    {
        return kind == JsTokenKind::LineComment || kind == JsTokenKind::BlockComment ||
               kind == JsTokenKind::HtmlComment;
    }
};

/// Every token of code in order, comments included.  A string, comment or
/// template left open runs to the end of its line (a string) or of the code.
std::vector<JsToken> scanJsTokens(QByteArrayView code);
