#pragma once
// Opening a file or an address with the desktop's default handler.
//
// The result follows the old shell convention the program's messages
// speak of: 32 or more is success, a smaller number says what failed.

#include <QString>

class DesktopShell {
public:
    /// Codes below 32 that openPath() and openUrl() report.
    enum Code : int {
        FileNotFound = 2,  // the file to open does not exist
        NoAssociation = 31, // no program is registered to open it, or it would not start
        Success = 42,
    };

    virtual ~DesktopShell() = default;
    /// Opens a local file with its default program.
    virtual int openPath(const QString &path) = 0;
    /// Opens a web address with the default browser.
    virtual int openUrl(const QString &url) = 0;
};

/// The desktop's own handler (QDesktopServices).
class SystemShell final : public DesktopShell {
public:
    int openPath(const QString &path) override;
    int openUrl(const QString &url) override;
};
