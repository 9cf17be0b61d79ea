#pragma once
// The web browsers of the desktop, for the previews in a chosen browser.
//
// The lookup finds whether the desktop has a default browser and the
// browsers installed on the machine, each with its own name; the launcher
// starts a browser by its desktop entry's command line with the address (a
// running browser takes it over, otherwise it starts), and watches it for
// a moment so that one that fails at once can be reported.  The program
// uses DesktopBrowsers; the tests put a fake in its place, so no real
// browser ever starts during a test.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct InstalledBrowser {
    QString name;        // as the desktop shows it, direction controls taken out
    QString executable;  // the program started: the command's first word, found
    QString exec;        // the entry's Exec value, as the file has it
    QString icon;        // the entry's Icon
    QString desktopFile; // where the entry is
    QString id;          // the entry's file name, which the user's choice keeps
    bool operator==(const InstalledBrowser &) const = default;
};

/// A desktop entry that looked like a browser but was left out, and why.
struct SkippedBrowserEntry {
    QString desktopFile;
    QString reason;
    bool operator==(const SkippedBrowserEntry &) const = default;
};

struct BrowserLookup {
    bool defaultBrowser = false;
    /// Every browser found, sorted by name.
    QList<InstalledBrowser> browsers;
    /// The browser entries left out, in the order they were read.
    QList<SkippedBrowserEntry> skipped;
};

/// What a browser is handed.
struct BrowserTarget {
    QString url;   // the page's address
    QString path;  // the same page as a local file
};

/// How a started browser fared in its first moments.
struct BrowserStart {
    /// It ended at once with a failure status (or by a signal).
    bool failed = false;
    /// What it wrote on its standard error by then (see browserErrorText).
    QString errorOutput;
};

class WebBrowsers {
public:
    using StartWatcher = std::function<void(const BrowserStart &)>;
    virtual ~WebBrowsers() = default;
    /// Looks the browsers up.
    virtual BrowserLookup findBrowsers() = 0;
    /// Starts browser with target; false when it could not be started at
    /// all.  Otherwise watched is called once, later, from the event loop:
    /// when the browser has ended, or when it is still running after the
    /// first moments (many browsers hand the address to a running copy and
    /// end with success at once; that is no failure).
    virtual bool launch(const InstalledBrowser &browser, const BrowserTarget &target, StartWatcher watched) = 0;
};

/// The freedesktop.org way: the applications' desktop entries in the data
/// folders, those of the category WebBrowser or handling web addresses.
class DesktopBrowsers final : public WebBrowsers {
public:
    /// watchMs: how long a started browser is watched for a failure.
    explicit DesktopBrowsers(int watchMs = 2000) : m_watchMs(watchMs) {}
    /// Every entry left out is listed in the start-up log.
    BrowserLookup findBrowsers() override;
    /// Never through a shell: the program gets its arguments as they are.
    bool launch(const InstalledBrowser &browser, const BrowserTarget &target, StartWatcher watched) override;

private:
    int m_watchMs;
};

/// What the field codes of an Exec line stand for.
struct ExecFields {
    QString url;          // %u, %U; added at the end of a line without file codes
    QString path;         // %f, %F
    QString name;         // %c
    QString icon;         // %i: "--icon" and the icon, nothing without one
    QString desktopFile;  // %k
};

struct ExecCommand {
    QStringList arguments;  // the program first
    QString error;          // why the line cannot be run; empty when it can
    bool ok() const { return error.isEmpty(); }
};

/// The command line of a desktop entry's Exec value (as written in the
/// file) by the Desktop Entry rules: the escapes of string values, then
/// words split at blanks, double quotes around a word holding reserved
/// characters (inside them a backslash escapes ", `, $ and itself), and
/// the field codes expanded, each file or address one argument.  A
/// deprecated field code is dropped.  No shell is involved.
ExecCommand commandOfExecLine(const QString &exec, const ExecFields &fields);

/// text without the characters that change the direction of the text
/// around them (embeddings, overrides, isolates and the direction marks),
/// so that a name shows as what it is.
QString withoutDirectionControls(const QString &text);

/// What a browser wrote on its standard error, for a message: decoded,
/// trimmed, and cut to its last lines when long.
QString browserErrorText(const QByteArray &bytes);

/// What a desktop entry file says of a browser, or nothing when it is no
/// browser, is hidden or cannot be started; in the last case whyNot (when
/// given) says why.  The executable is the command's first word as written.
std::optional<InstalledBrowser> browserOfDesktopEntry(const QByteArray &entry, QString *whyNot = nullptr);

/// The browsers of a list of desktop entries (path and bytes, in the order
/// of the data folders: an entry hides a later one of the same file name),
/// each with its program's path as findProgram gives it (an empty path
/// leaves the browser out), sorted by name.
BrowserLookup lookUpBrowsers(const QList<std::pair<QString, QByteArray>> &entries,
                             const std::function<QString(const QString &)> &findProgram);

/// The (at most) two browsers the preview menus offer: those of the entry
/// ids chosen, in that order, when they are installed; the places left
/// are filled with the others by name.
QList<InstalledBrowser> offeredBrowsers(const QList<InstalledBrowser> &installed, const QStringList &chosenIds);
