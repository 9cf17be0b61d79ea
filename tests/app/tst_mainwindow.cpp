// The main window: its first start, the view toggles and the toolbar
// areas' menu, the editor-only menus and buttons, the buttons' focus and
// tooltips, help, printer setup, About, closing and the general error
// handler.

#include "app/aboutdialog.h"
#include "app/actiontable.h"
#include "app/resourcetabs.h"
#include "app/viewcontroller.h"
#include "document/documentcontroller.h"
#include "document/editcontroller.h"
#include "document/scripteditors.h"
#include "document/scripttext.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtinlibrary.h"
#include "library/libraryservice.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "platform/errors.h"
#include "platform/helpwindow.h"
#include "ports/ports.h"
#include "preview/previewcontroller.h"
#include "testfiles.h"
#include "testwindow.h"
#include "widgets/actions.h"
#include "widgets/dockabletoolbar.h"
#include "widgets/statuspanels.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <stdexcept>

namespace {

/// A widget whose event handler fails, as a command's code might.
class FailingWidget final : public QWidget {
public:
    using QWidget::QWidget;
    int handled = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User) {
            ++handled;
            throw std::runtime_error("Something went wrong in a handler");
        }
        return QWidget::event(e);
    }
};

/// Shows the Preview page as a click on its tab does (the tests have no
/// embedded browser: the preview goes to the default browser).
void showPreviewPage(TVM_Quillon_MF &w)
{
    w.mainBook()->setTabVisible(1, true);
    w.mainBook()->setCurrentWidget(w.previewPage());
}

QStringList enabledOnes(const TestWindow &t, std::initializer_list<const char *> ids)
{
    QStringList on;
    for (const char *id : ids)
        if (t.action(id)->isEnabled())
            on << QString::fromLatin1(id);
    return on;
}

/// The sizes a widget is given, one per resize.
class SizeRecorder final : public QObject {
public:
    QList<QSize> sizes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            sizes << static_cast<QResizeEvent *>(event)->size();
        return QObject::eventFilter(watched, event);
    }
};

/// The application's text made larger for as long as it lives, as a
/// higher font resolution does.
class FontScale final {
public:
    explicit FontScale(qreal scale) : m_old(QApplication::font())
    {
        QFont larger = m_old;
        larger.setPointSizeF(m_old.pointSizeF() * scale);
        QApplication::setFont(larger);
    }
    ~FontScale() { QApplication::setFont(m_old); }

private:
    QFont m_old;
};

QStringList menuCaptions(QMenuBar *bar)
{
    QStringList captions;
    for (QAction *a : bar->actions())
        captions << a->text();
    return captions;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void firstStart_showsTheDesignedWindow()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("VM Quillon 98 v1.6"));

        auto *bar = w.findChild<QMenuBar *>(QStringLiteral("MainMenu1"));
        QVERIFY(bar);
        QCOMPARE(menuCaptions(bar),
                 (QStringList{"&File", "&Edit", "&Search", "H&TML", "S&cript", "&Library", "&View", "&Help"}));

        for (QToolBar *toolbar : {static_cast<QToolBar *>(w.mainToolbar()), static_cast<QToolBar *>(w.scriptToolbar()),
                                  static_cast<QToolBar *>(w.htmlToolbar()), w.menuBarHolder()})
            QVERIFY2(toolbar->isVisible(), qPrintable(toolbar->objectName()));
        for (const char *id : {"MMNU_W_MainToolbar", "MMNU_W_ScriptToolbar", "MMNU_V_HTMLToolbar", "POP_E_Pasek",
                               "POP_E_PasekJS", "POP_E_PasekHTML", "MMNU_View_Full_Screen", "POP_Full_Editor",
                               "BTN_Full_Window"})
            QVERIFY2(t.action(id)->isChecked(), id);

        QVERIFY(w.resourceTabs()->isVisible());
        QCOMPARE(w.resourceTabs()->currentWidget()->objectName(), QStringLiteral("TAB_BuildIn"));
        QCOMPARE(w.mainBook()->currentWidget(), w.editorPage());
        QVERIFY(!w.mainBook()->isTabVisible(1));  // no embedded browser in this test
        QVERIFY(!w.noteBook()->isVisible());
        QVERIFY(w.rightPanel()->isVisible());

        StatusPanels &status = w.statusPanels();
        QCOMPARE(status.text(StatusPanels::Modified), QStringLiteral("no changes"));
        QCOMPARE(status.text(StatusPanels::Line), QStringLiteral("line "));
        QCOMPARE(status.text(StatusPanels::Column), QStringLiteral("col"));
        QCOMPARE(status.text(StatusPanels::Mode), QStringLiteral("insert"));
        QCOMPARE(status.text(StatusPanels::Hint).left(6), QStringLiteral("Hint: "));

        QCOMPARE(t.head()->wholeText(), startupScriptText());
        QCOMPARE(t.body()->wholeText(), startupScriptText());
        QVERIFY(!t.head()->modifiedState());
        QVERIFY(!t.body()->modifiedState());
        QTRY_VERIFY(t.body()->hasFocus());
        QCOMPARE(t.body()->caretLine(), 3);
        QCOMPARE(t.body()->caretColumn(), 1);
        // Insertions go to HEAD_ED until an editor is used.
        QCOMPARE(w.editors().current(), t.head());

        for (const char *id : {"BTN_Undo", "BTN_Redo", "BTN_Wytnij", "BTN_Kopiuj", "BTN_Wklej"})
            QVERIFY2(!t.action(id)->isEnabled(), id);
        QVERIFY(t.prompter.shown.isEmpty());
    }

    void ports_everySeamIsSet_toThePartThatOwnsIt()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        const Ports &p = w.ports();
        QVERIFY(p.complete());
        const std::pair<const char *, bool> seams[] = {
            {"prompter", p.prompter == &t.prompter},
            {"help", p.help == &t.help},
            {"shell", p.shell == &t.shell},
            {"browsers", p.browsers == &t.browsers},
            {"actions", p.actions == &w.actions()},
            {"editors", p.editors == &w.editors()},
            {"status", p.status == &w.statusPanels()},
            {"libraries", p.libraries == &w.libraries()},
            {"pages", p.pages == static_cast<EditorPageSwitch *>(&w.preview())},
            {"settingsPages", p.settingsPages == static_cast<SettingsPages *>(&w.builtInLibrary())},
            {"menus", p.menus == static_cast<EditorMenus *>(&w.view())},
            {"drops", p.drops == static_cast<DropTargets *>(&w.editing())},
            {"preview", p.preview == static_cast<ScriptPreview *>(&w.preview())},
            {"libraryTexts", p.libraryTexts == static_cast<LibraryTextsKeeper *>(&w.libraries())},
            {"insertion", p.insertion == static_cast<TextInsertion *>(&w.editing())},
            {"selection", p.selection == static_cast<LibrarySelection *>(&w.builtInLibrary())},
            {"document", p.document == static_cast<DocumentPlace *>(&w.document())},
            {"treeClipboard", p.treeClipboard == static_cast<TreeClipboard *>(&w.userLibrary())},
        };
        for (const auto &[name, right] : seams)
            QVERIFY2(right, name);
    }

    void portsComplete_isFalseWhileAnyMemberIsMissing()
    {
        // One pointer a member: a member added to Ports is to be added to
        // complete() and to this list.
        static_assert(sizeof(Ports) == 19 * sizeof(void *));
        TestWindow t;
        const Ports all = t.window->ports();
        const std::pair<const char *, void (*)(Ports &)> leaveOut[] = {
            {"prompter", [](Ports &p) { p.prompter = nullptr; }},
            {"help", [](Ports &p) { p.help = nullptr; }},
            {"shell", [](Ports &p) { p.shell = nullptr; }},
            {"browsers", [](Ports &p) { p.browsers = nullptr; }},
            {"actions", [](Ports &p) { p.actions = nullptr; }},
            {"editors", [](Ports &p) { p.editors = nullptr; }},
            {"status", [](Ports &p) { p.status = nullptr; }},
            {"libraries", [](Ports &p) { p.libraries = nullptr; }},
            {"customColours", [](Ports &p) { p.customColours = nullptr; }},
            {"pages", [](Ports &p) { p.pages = nullptr; }},
            {"settingsPages", [](Ports &p) { p.settingsPages = nullptr; }},
            {"menus", [](Ports &p) { p.menus = nullptr; }},
            {"drops", [](Ports &p) { p.drops = nullptr; }},
            {"preview", [](Ports &p) { p.preview = nullptr; }},
            {"libraryTexts", [](Ports &p) { p.libraryTexts = nullptr; }},
            {"insertion", [](Ports &p) { p.insertion = nullptr; }},
            {"selection", [](Ports &p) { p.selection = nullptr; }},
            {"document", [](Ports &p) { p.document = nullptr; }},
            {"treeClipboard", [](Ports &p) { p.treeClipboard = nullptr; }},
        };
        QCOMPARE(std::size(leaveOut), sizeof(Ports) / sizeof(void *));
        for (const auto &[name, clear] : leaveOut) {
            Ports missing = all;
            clear(missing);
            QVERIFY2(!missing.complete(), name);
        }
    }

    void settingsCommands_openTheEditorOptions()
    {
        TestWindow t;
        for (const char *id : {"Przycisk_Ustawienia", "MMNU_E_Settings"}) {
            QAction *a = t.action(id);
            QVERIFY2(a->isEnabled(), id);
            QVERIFY2(!a->statusTip().isEmpty(), id);
            t.prompter.clear();
            t.trigger(id);
            QCOMPARE(t.prompter.dialogs().size(), 1);
            QCOMPARE(t.prompter.dialogs().first().text, QStringLiteral("EditorOptionsDialog"));
        }
        QCOMPARE(t.action("MMNU_E_Settings")->shortcut(), QKeySequence(QStringLiteral("F8")));
    }

    void everyWorkingCommand_isBoundOnce_andEveryItemOfItFollows()
    {
        TestWindow t;
        QCOMPARE(t.window->actions().unboundCommands(), QStringList());
        // The items of one command share its handler: the main menu's Open,
        // the toolbar's Open.
        for (const char *id : {"MMNU_F_Open", "BTN_OpenF"}) {
            t.prompter.clear();
            t.prompter.yesNoAnswers = {AnswerNo};
            t.trigger(id);
            QCOMPARE(t.prompter.questions().size(), 1);
            QCOMPARE(t.prompter.questions().first().text, QStringLiteral("Current script will be deleted, continue ?"));
        }
    }

    void resourceTabs_toggleWithF9AndTheButton()
    {
        TestWindow t;
        QTest::keyClick(t.window.get(), Qt::Key_F9);
        QVERIFY(!t.window->resourceTabs()->isVisible());
        for (const char *id : {"MMNU_View_Full_Screen", "POP_Full_Editor", "BTN_Full_Window"})
            QVERIFY2(!t.action(id)->isChecked(), id);
        t.trigger("BTN_Full_Window");
        QVERIFY(t.window->resourceTabs()->isVisible());
        for (const char *id : {"MMNU_View_Full_Screen", "POP_Full_Editor", "BTN_Full_Window"})
            QVERIFY2(t.action(id)->isChecked(), id);
    }

    void toolbarToggles_keepBothCheckItemsInStep()
    {
        TestWindow t;
        t.trigger("MMNU_V_HTMLToolbar");
        QVERIFY(!t.window->htmlToolbar()->isVisible());
        QVERIFY(!t.action("MMNU_V_HTMLToolbar")->isChecked());
        QVERIFY(!t.action("POP_E_PasekHTML")->isChecked());
        t.trigger("POP_E_PasekHTML");
        QVERIFY(t.window->htmlToolbar()->isVisible());
        QVERIFY(t.action("MMNU_V_HTMLToolbar")->isChecked());
        QVERIFY(t.action("POP_E_PasekHTML")->isChecked());

        t.trigger("POP_E_Pasek");
        QVERIFY(!t.window->mainToolbar()->isVisible());
        QVERIFY(!t.action("MMNU_W_MainToolbar")->isChecked());
        t.trigger("MMNU_W_ScriptToolbar");
        QVERIFY(!t.window->scriptToolbar()->isVisible());
        QVERIFY(!t.action("POP_E_PasekJS")->isChecked());
    }

    void closingAFloatingToolbar_clearsItsCheckItems()
    {
        TestWindow t;
        DockableToolBar *bar = t.window->scriptToolbar();
        QVERIFY(!bar->actions().contains(bar->closeAction()));
        emit bar->topLevelChanged(true);  // as when the user pulls it off its dock
        QVERIFY(bar->actions().contains(bar->closeAction()));
        bar->closeAction()->trigger();
        QVERIFY(!bar->isVisible());
        QVERIFY(!t.action("MMNU_W_ScriptToolbar")->isChecked());
        QVERIFY(!t.action("POP_E_PasekJS")->isChecked());
    }

    void aFloatingToolbarClosedByTheWindowManager_clearsItsCheckItems()
    {
        TestWindow t;
        DockableToolBar *bar = t.window->scriptToolbar();
        // Floating as Qt floats a bar pulled off its dock.
        bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        bar->show();
        QVERIFY(bar->isFloating());
        QTRY_VERIFY(bar->windowHandle() && bar->windowHandle()->isExposed());
        QVERIFY(t.action("MMNU_W_ScriptToolbar")->isChecked());

        // Alt+F4 on the bar: the window manager asks its window to close.
        bar->windowHandle()->close();
        QTRY_VERIFY(bar->isHidden());
        QVERIFY(!t.action("MMNU_W_ScriptToolbar")->isChecked());
        QVERIFY(!t.action("POP_E_PasekJS")->isChecked());
        t.trigger("MMNU_W_ScriptToolbar");
        QVERIFY(bar->isVisible());
        QVERIFY(t.action("POP_E_PasekJS")->isChecked());
    }

    void toolbarAreaMenus_offerTheViewMenusToggles_andNeverTheMenuBar()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        const QList<QAction *> toggles{t.action("MMNU_W_MainToolbar"), t.action("MMNU_W_ScriptToolbar"),
                                       t.action("MMNU_V_HTMLToolbar")};
        // Right clicks on the handles of the main window's bars and of the
        // editor area's vertical ones.
        const QList<std::pair<QToolBar *, QPoint>> places{
            {w.menuBarHolder(), QPoint(3, w.menuBarHolder()->height() / 2)},
            {w.mainToolbar(), QPoint(3, w.mainToolbar()->height() / 2)},
            {w.scriptToolbar(), QPoint(w.scriptToolbar()->width() / 2, 3)},
            {w.htmlToolbar(), QPoint(w.htmlToolbar()->width() / 2, 3)},
        };
        for (const auto &[bar, pos] : places) {
            QMenu *menu = TestWindow::openContextMenu(bar, pos);
            QVERIFY2(menu, qPrintable(bar->objectName()));
            QCOMPARE(menu->actions(), toggles);
            menu->close();
        }

        // Hiding a bar there is hiding it from the View menu.
        QMenu *menu = TestWindow::openContextMenu(w.scriptToolbar(), QPoint(w.scriptToolbar()->width() / 2, 3));
        QVERIFY(menu);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(t.action("MMNU_W_ScriptToolbar")).center());
        QVERIFY(!w.scriptToolbar()->isVisible());
        QVERIFY(!t.action("MMNU_W_ScriptToolbar")->isChecked());
        QVERIFY(!t.action("POP_E_PasekJS")->isChecked());
        menu = TestWindow::openContextMenu(w.mainToolbar(), QPoint(3, w.mainToolbar()->height() / 2));
        QVERIFY(menu);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(t.action("MMNU_W_ScriptToolbar")).center());
        QVERIFY(w.scriptToolbar()->isVisible());
        QVERIFY(t.action("POP_E_PasekJS")->isChecked());
        QVERIFY(w.menuBarHolder()->isVisible());
    }

    void editorCommandButtons_restWhileThePreviewShows()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QGuiApplication::clipboard()->clear();
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        QTest::keyClicks(t.body(), QStringLiteral("ab"));
        QTest::keyClick(t.body(), Qt::Key_Left, Qt::ShiftModifier);
        const auto editorButtons = {"BTN_Undo", "BTN_Redo", "BTN_Wytnij", "BTN_Kopiuj", "BTN_Wklej", "BTN_Znajdz",
                                    "BTN_Zamien", "BTN_Idz_Do_L", "BTN_Zawijanie"};
        const QStringList working{"BTN_Undo", "BTN_Wytnij", "BTN_Kopiuj", "BTN_Znajdz", "BTN_Zamien", "BTN_Idz_Do_L",
                                  "BTN_Zawijanie"};
        QCOMPARE(enabledOnes(t, editorButtons), working);

        showPreviewPage(w);
        QCOMPARE(enabledOnes(t, editorButtons), QStringList());
        for (QToolBar *bar : {static_cast<QToolBar *>(w.scriptToolbar()), static_cast<QToolBar *>(w.htmlToolbar())})
            for (QAction *button : bar->actions())
                QVERIFY2(button->isSeparator() || !button->isEnabled(), qPrintable(button->objectName()));
        // So do the editors' pop-up items, and with them the keys of their own.
        QVERIFY(!t.action("Wcicie1")->isEnabled());
        // What does not work on the editors goes on working.
        QCOMPARE(enabledOnes(t, {"BTN_Nowy", "BTN_OpenF", "BTN_Save_As", "BTN_Full_Window", "BTN_DoSchowka"}),
                 (QStringList{"BTN_Nowy", "BTN_OpenF", "BTN_Save_As", "BTN_Full_Window", "BTN_DoSchowka"}));

        // The read-out and the clipboard go on setting the commands'
        // states meanwhile: nothing comes on before the Editor page is back.
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        w.document().HEAD_EDChange();
        QCOMPARE(enabledOnes(t, editorButtons), QStringList());

        QTest::keyClick(&w, Qt::Key_F12);
        QCOMPARE(w.mainBook()->currentWidget(), w.editorPage());
        const QStringList withPaste{"BTN_Undo",   "BTN_Wytnij", "BTN_Kopiuj",   "BTN_Wklej",
                                    "BTN_Znajdz", "BTN_Zamien", "BTN_Idz_Do_L", "BTN_Zawijanie"};
        QCOMPARE(enabledOnes(t, editorButtons), withPaste);
        // The commands come back with the page.
        QCOMPARE(enabledOnes(t, {"Przycisk_Ustawienia"}), QStringList{"Przycisk_Ustawienia"});
        QCOMPARE(enabledOnes(t, {"BTN_For", "Przycisk_JS_Okno", "Przycisk_Bold", "MMNU_HTML_Bold"}),
                 (QStringList{"BTN_For", "Przycisk_JS_Okno", "Przycisk_Bold", "MMNU_HTML_Bold"}));
        QVERIFY(t.action("Wcicie1")->isEnabled());
    }

    void editorOnlyMenus_followThePageOfMainBook()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        const auto menusEnabled = [&] {
            QList<bool> states;
            for (const char *id : {"MMNU_Tools", "MMNU_Find", "MMNU_Edit", "MMNU_HTML"})
                states << w.actions().menu(QString::fromLatin1(id))->menuAction()->isEnabled();
            return states;
        };
        QCOMPARE(menusEnabled(), (QList<bool>{true, true, true, true}));
        // Picking the Preview page (shown here by hand: this test has no
        // embedded browser, so the preview goes to the default browser).
        w.mainBook()->setTabVisible(1, true);
        w.mainBook()->setCurrentWidget(w.previewPage());
        QCOMPARE(menusEnabled(), (QList<bool>{false, false, false, false}));
        QCOMPARE(t.shell.openedPaths.size(), 1);
        // The keys of the disabled menus do nothing either.
        QVERIFY(t.action("MMNU_F_Find")->shortcut().isEmpty());
        QTest::keyClick(&w, Qt::Key_F12);
        QCOMPARE(w.mainBook()->currentWidget(), w.editorPage());
        QCOMPARE(menusEnabled(), (QList<bool>{true, true, true, true}));
        QCOMPARE(t.action("MMNU_F_Find")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    }

    void hints_showInTheLastPanel_joinedOnOneLine()
    {
        TestWindow t;
        StatusPanels &status = t.window->statusPanels();
        QStatusTipEvent twoLines(QStringLiteral("first line\r\nsecond line"));
        QCoreApplication::sendEvent(t.body(), &twoLines);
        QCOMPARE(status.text(StatusPanels::Hint), QStringLiteral("Hint: first line second line"));
        QStatusTipEvent empty{QString()};
        QCoreApplication::sendEvent(t.window->mainToolbar(), &empty);
        QCOMPARE(status.text(StatusPanels::Hint), QStringLiteral("Hint: "));
        QCOMPARE(StatusPanels::hintText(QStringLiteral("a\nb\rc")), QStringLiteral("Hint: a b c"));
    }

    void everyAction_showsItsHintWhileHovered()
    {
        TestWindow t;
        StatusPanels &status = t.window->statusPanels();
        for (QAction *action : t.window->actions().allActions()) {
            if (action->statusTip().isEmpty())
                continue;
            // What a menu or toolbar button does when the mouse is over it.
            action->showStatusText(t.window->mainToolbar());
            QCOMPARE(status.text(StatusPanels::Hint), StatusPanels::hintText(action->statusTip()));
        }
        QMenu *file = t.window->actions().menu(QStringLiteral("MMNU_File"));
        t.action("MMNU_F_SaveAs")->showStatusText(file);
        QCOMPARE(status.text(StatusPanels::Hint), QStringLiteral("Hint: Save script to file"));
    }

    void closing_asksOnlyWhenAnEditorIsModified()
    {
        {
            TestWindow t;
            QVERIFY(t.window->close());
            QVERIFY(t.prompter.questions().isEmpty());
        }
        {
            TestWindow t;
            QTest::keyClicks(t.body(), QStringLiteral("x"));
            QVERIFY(t.body()->modifiedState());
            const QString before = t.body()->wholeText();
            t.prompter.yesNoAnswers = {AnswerNo};
            QVERIFY(!t.window->close());
            QCOMPARE(t.prompter.questions().size(), 1);
            QCOMPARE(t.prompter.questions().first().title, QStringLiteral("Confirm!"));
            QCOMPARE(t.prompter.questions().first().text, QStringLiteral("Current script is not saved, continue ?"));
            QVERIFY(t.window->isVisible());
            QCOMPARE(t.body()->wholeText(), before);

            t.prompter.yesNoAnswers = {AnswerYes};
            t.trigger("Przycisk_Anuluj");
            QVERIFY(!t.window->isVisible());
            QCOMPARE(t.prompter.questions().size(), 2);
        }
    }

    void generalErrorHandler_showsTheMessageAndTheProgramGoesOn()
    {
        TestWindow t;
        auto *failing = new FailingWidget(t.window.get());
        QCoreApplication::postEvent(failing, new QEvent(QEvent::User));
        QTRY_COMPARE(failing->handled, 1);
        QTRY_COMPARE(t.prompter.messages().size(), 1);
        const RecordingPrompter::Shown shown = t.prompter.messages().first();
        QCOMPARE(shown.title, QStringLiteral("VM Quillon 98 v1.6"));
        QCOMPARE(shown.text, QStringLiteral("Something went wrong in a handler"));
        QCOMPARE(shown.icon, int(IconError));
        // The program goes on: events are still handled.
        QCoreApplication::postEvent(failing, new QEvent(QEvent::User));
        QTRY_COMPARE(failing->handled, 2);
        QTRY_COMPARE(t.prompter.messages().size(), 2);
        t.trigger("BTN_Full_Window");
        QVERIFY(!t.window->resourceTabs()->isVisible());
    }

    void helpCommands_openTheirTopics()
    {
        TestWindow t;
        t.trigger("MMNU_H_Help");
        t.trigger("Przycisk_Pomoc");
        t.trigger("MMNU_P_Search");
        t.trigger("MMNU_P_Using");
        QTest::keyClick(t.window.get(), Qt::Key_F10);
        t.trigger("BTN_BuilIn_Help");
        t.trigger("BTN_Func_Help");
        t.trigger("BTN_Lang_Help");
        QCOMPARE(t.help.requests, (QStringList{"contents", "contents", "search:", "helponhelp", "topic:320", "topic:400",
                                               "topic:497", "topic:497"}));
    }

    void shortcutsTopic_isMadeFromTheCommandTable()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QVERIFY(t.help.generated.contains(QStringLiteral("shortcuts.html")));
        const auto page = [&] { return t.help.generated.value(QStringLiteral("shortcuts.html"))(); };
        // Opened from the Preview tab, where the editor menus' keys are off.
        showPreviewPage(w);
        QVERIFY(t.action("MMNU_F_Find")->shortcut().isEmpty());
        QTest::keyClick(&w, Qt::Key_F10);
        QCOMPARE(t.help.requests.last(), QStringLiteral("topic:320"));
        const QString shown = page();
        for (const char *row : {"<td class=\"key\"><kbd>Ctrl+N</kbd></td><td>File</td><td>New</td><td>New script</td>",
                                "<td class=\"key\"><kbd>Ctrl+Z</kbd></td><td>Edit</td><td>Undo</td>",
                                "<td class=\"key\"><kbd>Ctrl+F</kbd></td><td>Search</td><td>Find ...</td>",
                                "<td class=\"key\"><kbd>Ctrl+G</kbd></td><td>Search</td>",
                                "<td class=\"key\"><kbd>Ctrl+B</kbd></td><td>HTML</td><td>Bold</td>",
                                "<td class=\"key\"><kbd>Ctrl+F1</kbd></td><td>Script</td><td>Script header</td>",
                                "<td class=\"key\"><kbd>F9</kbd></td><td>View</td>",
                                "<td class=\"key\"><kbd>Alt+Space</kbd></td><td>Editor pop-up menu</td>"})
            QVERIFY2(shown.contains(QString::fromUtf8(row)), row);
        QVERIFY(shown.contains(QStringLiteral("Save script to file")));
        // Each key once: the pop-up menu's copies of the main menu's keys
        // are not listed again.
        QCOMPARE(shown.count(QStringLiteral("<kbd>Ctrl+Z</kbd>")), 1);
        // Keys set at run time do not reach it: it lists the table's keys.
        t.action("MMNU_P_About")->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+F12")));
        QVERIFY(!page().contains(QStringLiteral("Ctrl+Shift+F12")));
    }

    // Every key the window knows is on the page: the keys of the command
    // table, the keys the library trees take (shown after a tab in the
    // Library menu), F6 and the resource tabs' Ctrl+Page keys.
    void shortcutsTopic_listsEveryKey()
    {
        TestWindow t;
        const QString page = t.help.generated.value(QStringLiteral("shortcuts.html"))();
        const auto cell = [](const QString &portable) {
            return QStringLiteral("<kbd>%1</kbd>")
                .arg(QKeySequence(portable)
                         .toString(QKeySequence::NativeText)
                         .toHtmlEscaped()
                         .replace(u' ', QChar::Nbsp));
        };
        QStringList missing;
        for (const Command &command : commandTable())
            if (command.shortcut[0] && !page.contains(cell(QString::fromLatin1(command.shortcut))))
                missing << QString::fromLatin1(command.key);
        for (const MenuLayout &menu : mainMenuLayout())
            for (const CommandPlacement &item : menu.items)
                if (item.caption && QByteArray(item.caption).contains('\t') &&
                    !page.contains(cell(QString::fromUtf8(item.caption).section(u'\t', 1))))
                    missing << QString::fromLatin1(item.id);
        for (const char *key : {"F6", "Shift+F6", "Ctrl+PgUp", "Ctrl+PgDown", "Enter", "F2", "Del", "Ctrl+J"})
            if (!page.contains(cell(QString::fromLatin1(key))))
                missing << QString::fromLatin1(key);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        // A key that works in one part says where.
        const QRegularExpression pageDown(QRegularExpression::escape(cell(QStringLiteral("Ctrl+PgDown"))) +
                                          QStringLiteral("</td><td>View</td><td>[^<]*</td><td>[^<]*resource tabs"));
        QVERIFY2(pageDown.match(page).hasMatch(), qPrintable(page.section(QStringLiteral("PgDown"), 1, 1).left(200)));
        const QRegularExpression rename(
            QStringLiteral("<kbd>F2</kbd></td><td>Library</td><td>Rename</td><td>[^<]*tree"));
        QVERIFY2(rename.match(page).hasMatch(), qPrintable(page.section(QStringLiteral("F2"), 1, 1).left(200)));
    }

    void printerSetup_keepsTheSettings_withAnOkButton_andPrintsNothing()
    {
        TestWindow t;
        QPrinter &printer = t.window->document().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = t.dir.filePath(QStringLiteral("setup.pdf"));
        printer.setOutputFileName(pdf);
        QStringList captions;
        t.prompter.dialogHandlers.insert(QStringLiteral("PrinterSetupDialog"), [&](QDialog &d) {
            d.show();
            for (QPushButton *button : d.findChildren<QPushButton *>())
                if (button->isVisible())
                    captions << button->text().remove(u'&');
            QPushButton *ok = d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            return d.result();
        });
        t.trigger("MMNU_P_PrintSettings");
        QCOMPARE(t.prompter.dialogs().size(), 1);
        QCOMPARE(t.prompter.dialogs().first().title, QStringLiteral("Printer setup"));
        QVERIFY2(captions.contains(QStringLiteral("OK")), qPrintable(captions.join(u',')));
        QVERIFY2(!captions.contains(QStringLiteral("Print")), qPrintable(captions.join(u',')));
        // Accepted: the settings stay with the printer, and nothing is printed.
        QCOMPARE(printer.outputFileName(), pdf);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(t.prompter.questions().isEmpty());
    }

    void buttons_leaveTheFocusWhereItWas_andTheirTooltipsNameTheKeys()
    {
        QTemporaryDir folder;
        const QString lib = folder.filePath(QStringLiteral("user-scripts/"));
        QVERIFY(writeFile(lib + QStringLiteral("uscripts.dat"), "Work\r\n menu\r\n"));
        QVERIFY(writeFile(lib + QStringLiteral("menu.js"), "<!-- part of the HEAD section -->\r\nvar t;\r\n"
                                                           "<!-- part of the BODY section -->\r\nshow(t);"));
        TestWindow t(false, lib);
        TVM_Quillon_MF &w = *t.window;

        QHash<QString, QToolButton *> buttons;  // by their command's item
        for (QToolButton *button : w.findChildren<QToolButton *>()) {
            if (!button->defaultAction())
                continue;
            buttons.insert(button->defaultAction()->objectName(), button);
            // A click never takes the focus (Tab may reach the button).
            QVERIFY2(!(button->focusPolicy() & Qt::ClickFocus), qPrintable(button->defaultAction()->objectName()));
        }
        QVERIFY(buttons.contains(QStringLiteral("BTN_DoSchowka")));
        QVERIFY(buttons.contains(QStringLiteral("BTN_Preview_Script_User")));

        // A library script selected: the clipboard button and the item of
        // its drop-down leave the tree the keyboard focus.
        UserLibraryTree *tree = w.userLibrary().tree();
        QTreeWidgetItem *script = tree->topLevelItem(0)->child(0);
        QVERIFY(script);
        tree->selectItem(script);
        tree->setFocus();
        QTRY_VERIFY(tree->hasFocus());
        QToolButton *copy = buttons.value(QStringLiteral("BTN_DoSchowka"));
        QTest::mouseClick(copy, Qt::LeftButton);
        QTRY_VERIFY(tree->hasFocus());
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 composeClipboardText(t.head()->wholeText(), t.body()->wholeText()));
        t.chooseFromDropDown(copy, "POP_Clip_Library");
        QVERIFY2(t.prompter.shown.isEmpty(), qPrintable(t.prompter.describe()));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 composeClipboardText(QStringLiteral("var t;"), QStringLiteral("show(t);")));
        // The drop-down's menu had the keyboard: the window gets it back.
        QTRY_VERIFY(tree->hasFocus());

        // Tooltips name the command and its key, the menu item's key for a
        // button; the hints in the status line stay as they were.
        const QList<std::pair<const char *, const char *>> tips{
            {"BTN_Save_As", "Save as (Ctrl+Shift+S)"},
            {"BTN_Undo", "Undo (Ctrl+Z)"},
            {"BTN_Znajdz", "Find (Ctrl+F)"},
            {"BTN_Full_Window", "Resource tabs (F9)"},
            {"BTN_For", "\"for...\" loop (Ctrl+F3)"},
            {"Przycisk_Pomoc", "Quillon Help (F1)"},
            {"Przycisk_Anuluj", "Close (Alt+F4)"},
            {"BTN_Zawijanie", "Wordwrap"},  // no key
            {"Przycisk_OK", "Click to see the script from editor in action"},
        };
        for (const auto &[id, tip] : tips) {
            QToolButton *button = buttons.value(QString::fromLatin1(id));
            QVERIFY2(button, id);
            QCOMPARE(button->toolTip(), QString::fromUtf8(tip));
        }
        QCOMPARE(t.action("BTN_Save_As")->statusTip(), QStringLiteral("Save script as ..."));
        // An item with a key of its own shows that one.
        QCOMPARE(t.action("MMNU_E_Indent")->toolTip(), QStringLiteral("Indent (Ctrl+Space)"));
        QCOMPARE(t.action("Wcicie1")->toolTip(), QStringLiteral("Indent (Alt+Space)"));
    }

    // With the keyboard alone: F6 and Shift+F6 go round the panes there
    // are, in screen order; Tab reaches the buttons of the library strips
    // and of the right panel, and Space works them.
    void keyboard_reachesEveryPaneAndButton()
    {
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        QWidget *find = w.findChild<QWidget *>(QStringLiteral("EDT_Szukaj"));
        QVERIFY(find);
        t.body()->setFocus();
        QTRY_VERIFY(t.body()->hasFocus());
        const auto press = [&w](const char *key) {
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &w, QKeySequence(key));
            return QApplication::focusWidget();
        };
        // No preview yet and no settings page: after BODY comes the first pane.
        QCOMPARE(press("F6"), find);
        QCOMPARE(press("F6"), t.head());
        QCOMPARE(press("F6"), t.body());
        QCOMPARE(press("Shift+F6"), t.head());
        QCOMPARE(press("Shift+F6"), find);
        // A built-in script's settings page joins the round, after the tabs.
        QTreeWidget *scripts = t.window->builtInLibrary().tree();
        QTest::mouseClick(scripts->viewport(), Qt::LeftButton, {},
                          scripts->visualItemRect(scripts->topLevelItem(1)).center());
        QTRY_VERIFY(w.noteBook()->isVisible());
        // From the tree, where the click left the focus, on to the page.
        QTRY_VERIFY(scripts->hasFocus());
        QWidget *settings = press("F6");
        QVERIFY2(settings && w.noteBook()->isAncestorOf(settings),
                 settings ? qPrintable(settings->objectName()) : "none");
        QCOMPARE(press("F6"), t.head());
        // Back, to the page when the editors left it shown, else the tabs.
        QWidget *const before = w.noteBook()->isVisible() ? settings : static_cast<QWidget *>(find);
        QCOMPARE(press("Shift+F6"), before);

        QTreeWidget *builtIn = w.builtInLibrary().tree();
        builtIn->setFocus();
        QTRY_VERIFY(builtIn->hasFocus());
        QWidget *next = press("Tab");
        QVERIFY2(next && next->parentWidget() && next->parentWidget()->objectName() == u"PNL_BuiltInStrip",
                 next ? qPrintable(next->objectName()) : "nothing");

        auto *preview = w.findChild<QToolButton *>(QStringLiteral("Przycisk_OK"));
        preview->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(preview->hasFocus());
        QWidget *copy = press("Tab");
        QCOMPARE(copy->objectName(), QStringLiteral("BTN_DoSchowka"));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(copy, Qt::Key_Space);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(),
                     composeClipboardText(t.head()->wholeText(), t.body()->wholeText()));
        QCOMPARE(press("Tab")->objectName(), QStringLiteral("Przycisk_Anuluj"));
        QCOMPARE(press("Tab")->objectName(), QStringLiteral("Przycisk_Pomoc"));
    }

    void shortcutsTopic_keepsEveryKeyNameOnOneLine_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("the topic window") << 440;
        QTest::newRow("a narrow one") << 300;
        QTest::newRow("too narrow for the table") << 180;
    }
    void shortcutsTopic_keepsEveryKeyNameOnOneLine()
    {
        QFETCH(int, width);
        TestWindow t;
        RecordingPrompter prompter;
        FakeShell shell;
        HelpWindow help(shell, prompter);
        const auto page = t.help.generated.value(QStringLiteral("shortcuts.html"));
        help.setGeneratedPage(QStringLiteral("shortcuts.html"), page);
        help.ShowHelpTopic(320);
        help.topicWindow()->resize(width, 600);
        QTRY_COMPARE(help.topicWindow()->width(), width);

        static const QRegularExpression kbd(QStringLiteral("<kbd>(.*?)</kbd>"));
        QStringList keys;
        for (const QRegularExpressionMatch &match : kbd.globalMatch(page()))
            keys << match.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        QVERIFY(keys.contains(QStringLiteral("Ctrl+Shift+Space")));

        QTextDocument *document = help.topicBrowser()->document();
        QVERIFY(document->size().width() > 0);  // laid out to its end
        int found = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (!keys.contains(block.text()))
                continue;
            ++found;
            QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text()));
        }
        QCOMPARE(found, keys.size());
    }

    void startMaximized_isLaidOutAtTheWorkAreaFirst_andLeavesItForTheDesignSize()
    {
        RecordingPrompter prompter;
        FakeShell shell;
        FakeHelp help;
        QTemporaryDir dir;
        AppConfig config;
        config.prompter = &prompter;
        config.shell = &shell;
        config.help = &help;
        config.userLibraryFolder = dir.filePath(QStringLiteral("user-scripts/"));
        config.tempFolder = dir.path();
        TVM_Quillon_MF window(config);
        SizeRecorder sizes;
        window.installEventFilter(&sizes);

        window.showMaximizedAtStart();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        QVERIFY(window.isMaximized());
        // Never at the design size on the way: the first layout is at the
        // size of the work area, which only the frame of a window manager's
        // decorations can still take from.
        QVERIFY(!sizes.sizes.isEmpty());
        QCOMPARE(sizes.sizes.first(), area.size());
        QVERIFY(area.contains(window.frameGeometry()));

        window.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(window.geometry().topLeft(), QPoint(50, 50));
        QCOMPARE(window.size(), QSize(550, 400).expandedTo(window.minimumSizeHint()));
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
    }

    void resourceTabsAndButtonColumn_showEverything_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<qreal>("fontScale");
        // The logical size of the work area at each scale of a screen.
        QTest::newRow("1280x1024 at 100 %") << QSize(1280, 1024) << 1.0;
        QTest::newRow("1280x1024 at 150 %") << QSize(853, 682) << 1.0;
        QTest::newRow("1920x1080 at 150 %") << QSize(1280, 720) << 1.0;
        QTest::newRow("1280x1024 at 200 %") << QSize(640, 512) << 1.0;
        QTest::newRow("1280x1024, text at 150 %") << QSize(1280, 1024) << 1.5;
        QTest::newRow("1920x1080 at 150 %, text at 125 %") << QSize(1280, 720) << 1.25;
    }
    void resourceTabsAndButtonColumn_showEverything()
    {
        QFETCH(QSize, windowSize);
        QFETCH(qreal, fontScale);
        const FontScale font(fontScale);
        TestWindow t;
        TVM_Quillon_MF &w = *t.window;
        w.resize(windowSize);
        QTRY_COMPARE(w.size(), windowSize);

        ResourceTabs *tabs = w.resourceTabs();
        QVERIFY(tabs->tabBar()->width() >= tabs->tabBar()->sizeHint().width());
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            const QList<QToolBar *> strips = tabs->currentWidget()->findChildren<QToolBar *>();
            QVERIFY(!strips.isEmpty());
            for (QToolBar *strip : strips) {
                auto *more = strip->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
                QVERIFY(more);
                QTRY_VERIFY2(strip->isVisible() && !more->isVisible(), qPrintable(strip->objectName()));
            }
        }

        QWidget *column = w.rightPanel();
        QVERIFY(w.rect().contains(QRect(column->mapTo(&w, QPoint(0, 0)), column->size())));
        const QList<QToolButton *> buttons = column->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 4);
        for (QToolButton *button : buttons)
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
    }

    void about_showsTheNameAndReportsABrowserFailure()
    {
        TestWindow t;
        QString name;
        t.shell.result = 31;
        t.prompter.dialogHandlers.insert(QStringLiteral("TAboutDlg"), [&](QDialog &d) {
            name = d.findChild<QLabel *>(QStringLiteral("LBL_Nazwa"))->text();
            static_cast<TAboutDlg &>(d).openWebPage();
            return int(QDialog::Accepted);
        });
        t.trigger("MMNU_P_About");
        QCOMPARE(t.prompter.dialogs().size(), 1);
        QCOMPARE(t.prompter.dialogs().first().title, QStringLiteral("About ..."));
        QCOMPARE(name, QStringLiteral("VM Quillon 98 v1.6"));
        QCOMPARE(t.shell.openedUrls.size(), 1);
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Error!"));
        QCOMPARE(t.prompter.messages().first().text, QStringLiteral("Cannot run the default system browser - error code 31"));
    }
};

QUILLON_GUI_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
