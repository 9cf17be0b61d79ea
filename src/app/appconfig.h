#pragma once
// What the main window is given from outside: the seams and the places.
// The program passes the real ones; tests pass doubles and temporary
// folders.

#include <QString>

class DesktopShell;
class HelpSystem;
class Prompter;

struct AppConfig {
    Prompter *prompter = nullptr;
    DesktopShell *shell = nullptr;
    HelpSystem *help = nullptr;
    /// The folder of the user library (ends with "/").
    QString userLibraryFolder;
    /// The temporary folder the preview file goes into (its private folder
    /// is made inside it).
    QString tempFolder;
    /// Whether the embedded preview browser may be used at all.
    bool internalBrowserAllowed = true;
};

/// "VM Quillon 98 v1.6": the caption of the window and the title of the
/// application's message boxes.
QString applicationTitle();
