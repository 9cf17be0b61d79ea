#pragma once
// What the script doctor says about a fragment: syntax errors found by the
// JavaScript parser and old browser code found by the rule table, each with
// its place in the fragment and, where one is safe, the rewrite that mends it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

/// How a finding is drawn and listed: an error squiggle, a warning
/// underline, or a faint hint.
enum class FindingKind { Error, Warning, Hint };

/// One replacement in a fragment's UTF-8 bytes.
struct TextEdit {
    int start = 0;    // byte offset in the fragment
    int length = 0;   // bytes replaced
    QByteArray text;  // what goes in their place

    friend bool operator==(const TextEdit &, const TextEdit &) = default;
};

struct Finding {
    FindingKind kind = FindingKind::Error;
    int start = 0;  // byte offset in the fragment's UTF-8 text
    int end = 0;    // one past the last byte marked; a point when equal to start
    QString rule;   // the rule's id; empty for a syntax error
    QString message;
    std::vector<TextEdit> fix;  // empty when no rewrite is safe

    friend bool operator==(const Finding &, const Finding &) = default;
};

/// The text with the edits made.  The edits must not overlap; their order
/// does not matter.
QByteArray applyEdits(QByteArrayView text, std::vector<TextEdit> edits);

/// Sorts by place (start, then end), errors before warnings before hints
/// at the same place.
void sortFindings(std::vector<Finding> &findings);
