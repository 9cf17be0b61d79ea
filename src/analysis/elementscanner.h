#pragma once
// The scan behind the Functions tab: the lines of a script that open a
// function, a loop, a condition or a similar block, found by keyword.
//
// It is a plain keyword search, not a parser: comments and strings count
// like code, and so do keywords inside longer words ("end if " holds
// "if ").  A line is listed once for every keyword it holds, when it has a
// ")" somewhere; the element's text is the line up to and including its
// first ")", spaces around it trimmed and every tab deleted.

#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <vector>

enum class ScriptSection { Head, Body };

struct ScriptElement {
    QString text;
    ScriptSection section = ScriptSection::Body;
    int line = 0;  // in its fragment's editor, 0 for the first line

    friend bool operator==(const ScriptElement &, const ScriptElement &) = default;
};

/// Appends the elements of one fragment, first line to last.  The text is
/// the editor's UTF-8 bytes; a line ends at CR LF, LF or a lone CR, as the
/// editor counts lines.  Keywords are matched ignoring the case of ASCII
/// letters and tried in the section's order (HEAD: function, for, if,
/// while, with, switch, sub; BODY: function, for, if, sub, while, with,
/// switch), which is the order of a line's elements.
void scanElements(QByteArrayView text, ScriptSection section, std::vector<ScriptElement> &into);

/// Sorts by text with the locale's collation (case and accents weigh less
/// than letters, as in a sorted list view).  The order of equal texts is
/// not defined.
void sortElements(std::vector<ScriptElement> &elements, const QLocale &locale = QLocale());

/// The Functions tab's list: both fragments scanned, HEAD then BODY, and
/// sorted.
std::vector<ScriptElement> listElements(QByteArrayView head, QByteArrayView body, const QLocale &locale = QLocale());
