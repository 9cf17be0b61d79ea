#pragma once
// Old browser code: the rule table (resources/rules.txt, read once) and the
// search for its rules in a fragment.  Rules of script code match code
// tokens only (jstokens.h), never text inside strings or comments; rules of
// HTML match the tags scanPage finds outside scripts and HTML comments.
// Each rule says what is wrong today and what replaces it; a few carry a
// rewrite, offered only where it cannot change what the page does.

#include "doctor/finding.h"
#include "editor/highlightscheme.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

/// What a rule looks at.
enum class OldCodeMatch {
    Tokens,     // a run of script code tokens
    Tag,        // an HTML start tag by name
    Attribute,  // an attribute of an HTML start tag
    Comment,    // an HTML-like comment inside a <SCRIPT> block
};

struct OldCodeRule {
    QString id;
    FindingKind kind = FindingKind::Warning;
    OldCodeMatch match = OldCodeMatch::Tokens;
    // Tokens: each pattern is a run of tokens, each token one of its
    // choices ("$string" for a string or template literal).
    std::vector<std::vector<QByteArrayList>> patterns;
    // Tag: tag names; Attribute: the tag's name ("*" for any) and the
    // attribute's; Comment: "<!--".  Lower case.
    QByteArrayList names;
    QStringList checks;  // further conditions, by name
    QString name;        // a heading for the help
    QString message;     // the finding's text: what and the modern form
    QString matches;     // what it matches, for the help
    QString why;         // why it is a problem today
    QString modern;      // what replaces it
    QString fix;         // the rewrite's name; empty when none is safe
    QString fixWhen;     // when the rewrite is offered
    QByteArray example;  // a fragment the rule finds
    QByteArray fixed;    // the same fragment in today's form

    /// Whether the example is HTML (else script code, as a .js file).
    bool exampleIsHtml() const { return match != OldCodeMatch::Tokens; }
};

struct OldCodeRules {
    std::vector<OldCodeRule> rules;
    QString error;  // empty when the whole table was read
};

/// Reads a rule table; on a fault the error names the line and no rules
/// are returned.  Every check and rewrite named must be one findOldCode
/// knows.
OldCodeRules parseOldCodeRules(QByteArrayView data);

/// The table the program ships, read from the resources.
OldCodeRules readOldCodeRules();
/// The same, read on first use; no rules when it cannot be read.
const std::vector<OldCodeRule> &oldCodeRules();

/// The old code in a fragment by the shipped rules, sorted by place.
std::vector<Finding> findOldCode(QByteArrayView fragment, SourceKind kind);
/// The same by the rules given.
std::vector<Finding> findOldCode(QByteArrayView fragment, SourceKind kind, const std::vector<OldCodeRule> &rules);

/// The help page listing every rule with its example and fixed form.
QString oldCodeHelpPage();
