#pragma once
// A desktop shell for tests: records what the program asked to open and
// answers with a preset code, so no browser ever starts during a test.

#include "platform/shell.h"

#include <QStringList>

class FakeShell final : public DesktopShell {
public:
    int result = Success;
    QStringList openedPaths;
    QStringList openedUrls;

    int openPath(const QString &path) override
    {
        openedPaths << path;
        return result;
    }
    int openUrl(const QString &url) override
    {
        openedUrls << url;
        return result;
    }
};
