#pragma once
// The web browsers of the desktop, for the previews in a chosen browser.
//
// The lookup finds whether the desktop has a default browser and up to two
// browsers installed on the machine, each with its own name; the launcher
// hands an address to a browser by starting its executable with it (a
// running browser takes it over, otherwise it starts).  The program uses
// DesktopBrowsers; the tests put a fake in its place, so no browser ever
// starts during a test.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct InstalledBrowser {
    QString name;        // as the desktop shows it
    QString executable;  // the program started with the address
    bool operator==(const InstalledBrowser &) const = default;
};

struct BrowserLookup {
    bool defaultBrowser = false;
    /// At most two, for the two browser items of the preview menus.
    QList<InstalledBrowser> browsers;
};

class WebBrowsers {
public:
    virtual ~WebBrowsers() = default;
    /// Looks the browsers up; run once at start.
    virtual BrowserLookup findBrowsers() = 0;
    /// Starts executable with the address; false when it could not start.
    virtual bool launch(const QString &executable, const QString &address) = 0;
};

/// The freedesktop.org way: the applications' desktop entries in the data
/// folders, those of the category WebBrowser or handling web addresses.
class DesktopBrowsers final : public WebBrowsers {
public:
    BrowserLookup findBrowsers() override;
    bool launch(const QString &executable, const QString &address) override;
};

/// What a desktop entry file says of a browser, or nothing when it is no
/// browser, is hidden or cannot be started.
std::optional<InstalledBrowser> browserOfDesktopEntry(const QByteArray &entry);

/// The program of a desktop entry's Exec line: its first word, quotes
/// taken off; "env" and variable settings before it are skipped.
QString programOfExecLine(const QString &exec);

/// The browsers of a list of desktop entries (file name and bytes, in the
/// order of the data folders: an entry hides a later one of the same file
/// name), each with its program's path as findProgram gives it (an empty
/// path leaves the browser out); at most two, sorted by name.
BrowserLookup lookUpBrowsers(const QList<std::pair<QString, QByteArray>> &entries,
                             const std::function<QString(const QString &)> &findProgram);
