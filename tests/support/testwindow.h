#pragma once
// The main window as the GUI tests use it: real window, recorded dialogs,
// a fake shell and help, a user library in a temporary folder.

#include "app/application.h"
#include "app/mainwindow.h"
#include "fakebrowsers.h"
#include "fakehelp.h"
#include "fakeshell.h"
#include "recordingprompter.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class QMenu;
class QToolButton;
class ScriptEditor;

struct TestWindow {
    RecordingPrompter prompter;
    FakeShell shell;
    FakeBrowsers browsers;
    FakeHelp help;
    QTemporaryDir dir;
    std::unique_ptr<TVM_Quillon_MF> window;

    /// Makes and shows the window; libraryFolder defaults to a fresh folder
    /// "user-scripts/" inside the temporary folder.  Unsaved work is kept
    /// for recovery only when a recoveryFolder is given.
    explicit TestWindow(bool internalBrowser = false, const QString &libraryFolder = QString(),
                        const QString &recoveryFolder = QString());
    ~TestWindow();

    ScriptEditor *head() const;
    ScriptEditor *body() const;
    QAction *action(const char *id) const;
    /// Triggers a command as a click on its menu item or button would.
    void trigger(const char *id) const;
    QString libraryFolder() const { return m_libraryFolder; }
    /// The view settings file of the windows made from now on; empty: a
    /// fresh one in each window's temporary folder.
    static inline QString settingsFile;
    /// The file the windows made from now on open at start, as the command
    /// line's FILE; empty: none.
    static inline QString startupFile;
    /// Clicks the drop-down arrow of a button and, in the menu that comes
    /// up, the item id, as the user would.
    void chooseFromDropDown(QToolButton *button, const char *id) const;
    /// Right-clicks widget at pos; the pop-up menu that came up, if any.
    static QMenu *openContextMenu(QWidget *widget, const QPoint &pos);

private:
    QString m_libraryFolder;
};

/// A test main that runs the tests inside the program's own application
/// object (its general error handler included).
#define QUILLON_GUI_TEST_MAIN(TestClass)                                                                            \
    int main(int argc, char *argv[])                                                                               \
    {                                                                                                              \
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")                  \
                                                                        : qgetenv("QT_QPA_PLATFORM"));             \
        QuillonApplication app(argc, argv);                                                                        \
        initQuillonResources();                                                                                    \
        QTEST_DISABLE_KEYPAD_NAVIGATION                                                                            \
        TestClass tc;                                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                                      \
    }
