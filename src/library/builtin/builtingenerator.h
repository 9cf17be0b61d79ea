#pragma once
// The built-in library's generator: a script's settings in, its HEAD and
// BODY fragments out (CR LF line breaks).  Pure: it reads nothing but the
// settings it is given and the script templates in the resources.
//
// A setting's value is escaped for the place it lands in (a JavaScript
// string, a double-quoted attribute, HTML text, or one inside another),
// changing only the characters that would break that place; a value
// without such characters is inserted exactly as typed.

#include "library/builtin/builtinsettings.h"

#include <QString>
#include <QStringList>

#include <optional>

struct GeneratedScript {
    QString head;
    QString body;
    friend bool operator==(const GeneratedScript &, const GeneratedScript &) = default;
};

/// The fragments of built-in script id made from settings; nothing when a
/// setting the script needs is missing ("not configured") or id is not in
/// the catalogue.
std::optional<GeneratedScript> generateBuiltInScript(int id, const BuiltInSettings &settings);

// The six scripts assembled line by line.  Each expects its script's
// requirement to be met (generateBuiltInScript checks it).

/// "Flashing background": fades the page from the start to the end colour.
GeneratedScript BuildFadeScript(const ColourSettings &colours);
/// "Jump from list": a list of links and a button that opens the chosen one.
GeneratedScript BuildJumpListScript(const ListSettings &list);
/// "Scroll" in the status line.
GeneratedScript BuildStatusScrollerScript(const ScrollSettings &scroll);
/// "Scroll" in a text field.
GeneratedScript BuildFieldScrollerScript(const ScrollSettings &scroll);
/// "Printing text": the typewriter.
GeneratedScript BuildTypewriterScript(const PrinterSettings &printer);
/// "Site navigator": back, main page and forward buttons.
GeneratedScript BuildNavigatorScript(const NavigatorSettings &navigator);

/// Where a script-side value lands in the page.
enum class ScriptPlace {
    Block,      // inside a SCRIPT element: "</script" and "<!--" must not appear
    Attribute,  // inside an event attribute
};

/// value for a JavaScript string literal delimited by quote.
QString escapeForJsString(const QString &value, QChar quote, ScriptPlace place = ScriptPlace::Block);
/// value for a double-quoted HTML attribute.
QString escapeForHtmlAttribute(const QString &value);
/// value for HTML text.
QString escapeForHtmlText(const QString &value);
