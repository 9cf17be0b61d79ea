#pragma once
// Putting a script into an HTML page: the HEAD fragment just before the
// page's real </head>, the BODY fragment before </body>, after an element
// with an id, or at a given place.
//
// The page is the text as decoded, with its own line breaks (the file's, or
// the editors' CR LF for the page open in them); the fragments take the
// page's most common line break.  A </head> or </body> inside a comment or
// inside the text of a SCRIPT, STYLE, TITLE or TEXTAREA element (a string
// of a script included) is not the real one.

#include <QList>
#include <QString>

/// An element of a page that has an id, for the list the user picks from.
struct PageElement {
    QString tag;  // lower case
    QString id;
    qsizetype start = 0;  // where its start tag begins
    qsizetype after = 0;  // just after its end tag, or after its start tag when it has none
    bool operator==(const PageElement &) const = default;
};

/// The page's elements that have an id attribute, in the order they start.
QList<PageElement> elementsWithId(const QString &page);

/// Where the BODY fragment goes.
struct BodyPlace {
    enum Kind { BeforeBodyEnd, AfterElement, AtOffset };
    Kind kind = BeforeBodyEnd;
    QString id;            // AfterElement: the element's id (the first element that has it)
    qsizetype offset = 0;  // AtOffset: a position in the page's text
};

struct PageInsertOptions {
    QString head;  // an empty fragment inserts nothing
    QString body;
    BodyPlace place;
};

/// One piece of text the insertion adds, at its place in the old page.
struct PageAddition {
    qsizetype at = 0;
    QString text;
    bool operator==(const PageAddition &) const = default;
};

struct PageInsertResult {
    bool ok = false;
    QString text;               // the new page
    QList<PageAddition> added;  // what went where, in the old page's positions, in order
    QString error;              // why it could not be done
};

/// The page with the script put in.  Fails (with the reason) when the
/// element is not in the page or the offset lies outside it or inside a
/// tag.  Without a </head> the fragment goes before <body>, or after a
/// <head> that is never closed; a page with no head at all is given one,
/// after its <html> start tag, else after its <!DOCTYPE>, else at its
/// start.  Without a </body> the BODY fragment goes before </html>, else
/// at the end.
PageInsertResult insertIntoPage(const QString &page, const PageInsertOptions &options);

/// The page's most common line break (CR LF when it has none).
QString pageLineBreak(const QString &page);
