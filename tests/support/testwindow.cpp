#include "testwindow.h"

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "platform/errors.h"
#include "widgets/actions.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

TestWindow::TestWindow(bool internalBrowser, const QString &libraryFolder, const QString &recoveryFolder)
{
    m_libraryFolder = libraryFolder.isEmpty() ? dir.filePath(QStringLiteral("user-scripts/")) : libraryFolder;
    setGeneralErrorHandler([this](const QString &message) {
        prompter.ShowMessageBox(IconError, applicationTitle(), message);
    });
    AppConfig config;
    config.prompter = &prompter;
    config.shell = &shell;
    config.browsers = &browsers;
    config.help = &help;
    config.userLibraryFolder = m_libraryFolder;
    config.tempFolder = dir.path();
    config.printFolder = dir.path();
    config.internalBrowserAllowed = internalBrowser;
    config.recoveryFolder = recoveryFolder;
    config.startupFile = startupFile;
    config.settingsFile = settingsFile.isEmpty() ? dir.filePath(QStringLiteral("settings.ini")) : settingsFile;
    window = std::make_unique<TVM_Quillon_MF>(config);
    window->resize(1000, 700);
    window->show();
    window->activateWindow();
    // A busy machine may take a while: the focus checks need the window active.
    if (!QTest::qWaitForWindowActive(window.get(), 30000))
        qWarning("the test window did not become active");
}

TestWindow::~TestWindow()
{
    // Closing asks nothing in a test unless the test wants it to.
    if (window && window->editors().exist()) {
        window->editors().head()->clearModifiedState();
        window->editors().body()->clearModifiedState();
    }
    window.reset();
    setGeneralErrorHandler({});
}

ScriptEditor *TestWindow::head() const
{
    return window->editors().head();
}

ScriptEditor *TestWindow::body() const
{
    return window->editors().body();
}

QAction *TestWindow::action(const char *id) const
{
    return window->actions().action(QString::fromLatin1(id));
}

void TestWindow::trigger(const char *id) const
{
    QAction *a = action(id);
    QVERIFY2(a->isEnabled(), id);
    a->trigger();
}

void TestWindow::chooseFromDropDown(QToolButton *button, const char *id) const
{
    QAction *item = action(id);
    bool chosen = false;
    // The menu runs an event loop of its own: the item is clicked from
    // inside it, once the menu is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        chosen = menu->actions().contains(item);
        if (chosen)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        else
            menu->close();
    });
    poll.start(5);
    // The arrow stands at the right edge of a button with a drop-down.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 4, button->height() / 2));
    poll.stop();
    QVERIFY2(chosen, id);
}

QMenu *TestWindow::openContextMenu(QWidget *widget, const QPoint &pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QCoreApplication::sendEvent(widget, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}
