#pragma once
// What the main window is given from outside: the seams and the places.
// The program passes the real ones; tests pass doubles and temporary
// folders.

#include "platform/errors.h"  // applicationTitle()

#include <QList>
#include <QString>

class DesktopShell;
class HelpSystem;
class WebBrowsers;
class Prompter;

/// A message the window shows once it is up (the boxes of start-up come
/// after the splash).
struct StartupNotice {
    int icon = 0;  // a MessageIcon
    QString title;
    QString text;
};

struct AppConfig {
    Prompter *prompter = nullptr;
    DesktopShell *shell = nullptr;
    WebBrowsers *browsers = nullptr;
    HelpSystem *help = nullptr;
    /// The folder of the user library (ends with "/").
    QString userLibraryFolder;
    /// The temporary folder the preview file goes into (its private folder
    /// is made inside it).
    QString tempFolder;
    /// The folder of the recovery files (ends with "/"); empty: unsaved
    /// work is not kept across a crash.
    QString recoveryFolder;
    /// The file the view settings are kept in (INI format); empty: the
    /// program's place in the system's settings store.
    QString settingsFile;
    /// Where Print puts its PDF file when no printer is installed; empty:
    /// the user's documents folder.
    QString printFolder;
    /// Whether the embedded preview browser may be used at all.
    bool internalBrowserAllowed = true;
    /// A script file to open once the window is up (the command line's
    /// FILE); empty: the start-up script.
    QString startupFile;
    /// Shown after the user library is read at the first show.
    QList<StartupNotice> startupNotices;
};
