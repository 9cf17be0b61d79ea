#pragma once
// The messages of a previewed page and where they point in the script.
//
// The browser reports a message with the line of the page it came from;
// the page is "<HTML><HEAD>" + HEAD + "</HEAD><BODY>" + BODY +
// "</BODY></HTML>", so each of its lines is a line of HEAD or of BODY.
// The structs are plain data: the browser plugin fills PageMessage without
// linking anything of ours.

#include <QList>
#include <QString>

/// How serious a message is: console.log and console.info are Info.
enum class ConsoleLevel { Info, Warning, Error };

/// A message as the browser reports it.
struct PageMessage {
    ConsoleLevel level = ConsoleLevel::Info;
    QString text;
    int line = 0;    // 1-based line of the source; 0 when unknown
    QString source;  // the address of the page or script it came from
};

/// Where a message points: a line of one of the editors' fragments, or
/// only a text saying where (another address, a library script).
struct ScriptPlace {
    enum class Fragment { None, Head, Body };
    Fragment fragment = Fragment::None;
    int line = 0;  // 1-based line of the fragment
    QString label; // "HEAD, line 4", "BODY, line 12", an address, or empty

    /// Whether the place is a line in an editor that can be gone to.
    bool inEditors() const { return fragment != Fragment::None && line > 0; }
};

/// A message as the console lists it.
struct ConsoleMessage {
    ConsoleLevel level = ConsoleLevel::Info;
    QString text;
    ScriptPlace place;
};

/// The page of one preview: which lines of it belong to HEAD and to BODY.
class PreviewPageLines final {
public:
    PreviewPageLines() = default;
    /// head and body as they were written into the page at pageAddress (a
    /// file:// address).  libraryScript names the library script they came
    /// from; empty for the editors' script.
    PreviewPageLines(const QString &head, const QString &body, const QString &pageAddress,
                     const QString &libraryScript = QString());

    /// The place of a line of a source: a page line maps to HEAD or BODY
    /// (the line that holds the end of HEAD and the start of BODY counts as
    /// BODY's first); another source shows its address.
    ScriptPlace placeOf(int line, const QString &source) const;
    /// The message with its place.
    ConsoleMessage locate(const PageMessage &message) const;

private:
    int m_headBreaks = -1;  // -1: no page yet
    int m_bodyBreaks = 0;
    QString m_address;
    QString m_libraryScript;
};

/// Line breaks in a text as a browser counts them: CR LF, a lone CR and a
/// lone LF each count once.
int countLineBreaks(const QString &text);

/// "1 error in preview", "2 errors in preview"; empty for none.
QString previewErrorSummary(int errors);
