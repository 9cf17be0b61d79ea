#pragma once
// Where the JavaScript of a fragment is: the <SCRIPT> blocks a browser runs
// as JavaScript, the event-handler attributes (ONCLICK="..."), or the whole
// text of a .js file; and the HTML tags outside them.  A plain scanner over
// the fragment's UTF-8 bytes, not a full HTML parser: a fragment is often
// only part of a page, so a block left open runs to the fragment's end.

#include "editor/highlightscheme.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

struct HtmlAttribute {
    QByteArray name;      // lower case
    int nameStart = 0;    // byte offsets in the fragment
    int end = 0;          // one past the attribute (its value's closing quote included)
    int valueStart = -1;  // the value inside its quotes; -1 when the attribute has none
    int valueEnd = -1;
    char quote = 0;  // '"', '\'' or 0 (unquoted or no value)
};

struct HtmlTag {
    QByteArray name;  // lower case, without the "/" of a closing tag
    bool closing = false;
    int start = 0;  // the "<"
    int end = 0;    // one past the ">" (the fragment's end when the tag is left open)
    std::vector<HtmlAttribute> attributes;

    /// The attribute of that lower-case name, or nullptr.
    const HtmlAttribute *attribute(QByteArrayView lowerName) const;
};

enum class ScriptRegionKind { Block, Handler, Whole };

struct ScriptRegion {
    ScriptRegionKind kind = ScriptRegionKind::Block;
    int start = 0;  // the code's bytes in the fragment
    int end = 0;
    int tag = -1;     // a block's or a handler's tag in PageScan::tags; -1 for Whole
    QByteArray code;  // as the browser reads it: a handler's character references decoded

    /// Where byte offset codeOffset (0 to code.size()) of code lies in the
    /// fragment.
    int fragmentOffset(int codeOffset) const;

    // A handler's code offsets where a character reference was decoded,
    // with the fragment offset each starts at; empty when none was.
    std::vector<std::pair<int, int>> decoded;
};

struct PageScan {
    std::vector<HtmlTag> tags;          // outside script blocks and HTML comments, in order
    std::vector<ScriptRegion> scripts;  // in order
};

/// The ASCII letters of HTML names and attribute values in lower case (a
/// browser compares them so); other bytes as they are.
char asciiLower(char c);
QByteArray asciiLowered(QByteArrayView text);

/// Finds the tags and the JavaScript of a fragment.  A JavaScript file
/// (SourceKind::JavaScript) is one Whole region and no tags; a VBScript file
/// has neither.  A <SCRIPT> block is JavaScript when it names no language,
/// or a JavaScript one (LANGUAGE="JavaScript1.2", TYPE="text/javascript");
/// VBScript blocks, modules and data blocks are left out, their text not
/// read as HTML either.
PageScan scanPage(QByteArrayView text, SourceKind kind);
