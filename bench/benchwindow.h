#pragma once
// The main window as the benchmarks run it: the real prompter, shell and
// help, a user library in a temporary folder, and the window shown.

#include "app/application.h"
#include "app/mainwindow.h"
#include "benchmain.h"
#include "platform/helpwindow.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/webbrowsers.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

struct BenchWindow {
    QTemporaryDir dir;
    QtPrompter prompter;
    SystemShell shell;
    DesktopBrowsers browsers;
    HelpWindow help{shell, prompter};
    AppConfig config;
    std::unique_ptr<TVM_Quillon_MF> window;

    /// libraryFolder: the user library's folder; empty: a fresh one.
    explicit BenchWindow(bool internalBrowser, QSize size, const QString &libraryFolder = QString())
    {
        config.prompter = &prompter;
        config.shell = &shell;
        config.browsers = &browsers;
        config.help = &help;
        config.userLibraryFolder =
            libraryFolder.isEmpty() ? dir.filePath(QStringLiteral("user-scripts/")) : libraryFolder;
        QDir().mkpath(config.userLibraryFolder);
        config.tempFolder = dir.path();
        config.internalBrowserAllowed = internalBrowser;
        window = std::make_unique<TVM_Quillon_MF>(config);
        window->resize(size);
        window->show();
        QApplication::processEvents();
    }
};

/// The main of a window benchmark: the program's own application object
/// and resources; setUp runs once they are there.
inline int runWindowBenchmarks(int argc, char **argv, const std::function<void()> &setUp = {})
{
    return runBenchmarks<QuillonApplication>(argc, argv, [&setUp] {
        initQuillonResources();
        if (setUp)
            setUp();
    });
}
