// Previews of the editors' script: the Preview tab with the embedded
// browser, and the default browser when there is none.

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtinlibrary.h"
#include "library/userlibrarycontroller.h"
#include "library/userlibrarytree.h"
#include "preview/browserchoicedialog.h"
#include "preview/browserloader.h"
#include "preview/internalbrowser.h"
#include "preview/livereload.h"
#include "preview/previewconsole.h"
#include "preview/previewcontroller.h"
#include "preview/previewpane.h"
#include "testfiles.h"
#include "testwindow.h"
#include "widgets/actions.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace {

QList<InstalledBrowser> threeBrowsers()
{
    const auto browser = [](const char *name, const char *program) {
        const QString id = QString::fromLatin1(program) + QStringLiteral(".desktop");
        return InstalledBrowser{QString::fromLatin1(name), QStringLiteral("/usr/bin/") + QString::fromLatin1(program),
                                QString::fromLatin1(program) + QStringLiteral(" %u"), {}, QStringLiteral("/apps/") + id, id};
    };
    return {browser("Alpha Web", "alpha"), browser("Beta Web", "beta"), browser("Gamma Web", "gamma")};
}

bool menusEnabled(TestWindow &t)
{
    bool all = true, any = false;
    for (const char *id : {"MMNU_Tools", "MMNU_Find", "MMNU_Edit", "MMNU_HTML"}) {
        const bool on = t.window->actions().menu(QString::fromLatin1(id))->menuAction()->isEnabled();
        all = all && on;
        any = any || on;
    }
    if (all != any)
        qWarning("the four menus are not switched as a group");
    return all;
}

/// Runs script in the embedded browser's page and waits for its result.
QVariant evaluate(TestWindow &t, const QString &script)
{
    InternalBrowser *browser = t.window->preview().pane()->browser();
    if (!browser)
        return {};
    QVariant result;
    bool done = false;
    browser->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 20000))
        qWarning("the page did not answer");
    return result;
}

/// The console's line whose message contains text; nullptr when none.
QTreeWidgetItem *consoleLine(TestWindow &t, const QString &text)
{
    QTreeWidget *list = t.window->preview().pane()->console()->messageList();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->text(0).contains(text))
            return list->topLevelItem(i);
    return nullptr;
}

QString previewCaption(TestWindow &t)
{
    return t.window->mainBook()->tabText(t.window->mainBook()->indexOf(t.window->previewPage()));
}

int popupWindows()
{
    int shown = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        shown += w->objectName() == QLatin1String("PreviewPopupWindow") && w->isVisible();
    return shown;
}

/// The text of the embedded browser's page; "" for an empty page.
QString pageText(TestWindow &t)
{
    return evaluate(t, QStringLiteral("document.body ? document.body.innerText.trim() : ''")).toString();
}

QLabel *errorPanel(TestWindow &t)
{
    return t.window->statusBar()->findChild<QLabel *>(QStringLiteral("StatusPreviewErrors"));
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

    static bool webEngine()
    {
        qunsetenv("QUILLON_NO_WEBENGINE");
        return internalBrowserAvailable();
    }

private slots:
    void withoutAnEmbeddedBrowser_previewsGoToTheDefaultBrowser()
    {
        TestWindow t(false);
        QVERIFY(!t.window->mainBook()->isTabVisible(1));
        t.head()->setWholeText(QStringLiteral("<SCRIPT>var a;</SCRIPT>"));
        t.body()->setWholeText(QStringLiteral("x"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QCOMPARE(t.shell.openedPaths.size(), 1);
        QCOMPARE(readAll(t.shell.openedPaths.first()),
                 QByteArray("<HTML><HEAD><SCRIPT>var a;</SCRIPT></HEAD><BODY>x</BODY></HTML>"));
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QVERIFY(menusEnabled(t));
        QVERIFY(t.prompter.messages().isEmpty());
    }

    void noWebEngineVariable_hidesTheTab()
    {
        qputenv("QUILLON_NO_WEBENGINE", "1");
        TestWindow t(true);
        qunsetenv("QUILLON_NO_WEBENGINE");
        QVERIFY(!t.window->mainBook()->isTabVisible(1));
        t.trigger("Podgld1");
        QCOMPARE(t.shell.openedPaths.size(), 1);
    }

    void previewEdited_alwaysUsesTheDefaultBrowser_andReportsItsFailure()
    {
        TestWindow t(false);
        t.shell.result = 31;
        t.body()->setWholeText(QStringLiteral("window.close();"));  // no test for "close(" here
        t.trigger("Przycisk_OK");
        QCOMPARE(t.shell.openedPaths.size(), 1);
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Error!"));
        QCOMPARE(t.prompter.messages().first().icon, int(IconError));
        QCOMPARE(t.prompter.messages().first().text, QStringLiteral("Cannot run the default system browser - error code 31"));
        t.trigger("POP_Prev_Ed_System");
        QCOMPARE(t.shell.openedPaths.size(), 2);
    }

    void browserMenus_showWhatIsFound_andPreviewInTheChosenBrowser_data()
    {
        QTest::addColumn<bool>("defaultBrowser");
        QTest::addColumn<int>("others");
        QTest::newRow("nothing") << false << 0;
        QTest::newRow("default browser only") << true << 0;
        QTest::newRow("two others") << true << 2;
        QTest::newRow("three others: two offered, and a choice") << true << 3;
    }

    void browserMenus_showWhatIsFound_andPreviewInTheChosenBrowser()
    {
        QFETCH(bool, defaultBrowser);
        QFETCH(int, others);
        FakeBrowsers::installed = {defaultBrowser, threeBrowsers().mid(0, others)};
        TestWindow t(false);
        FakeBrowsers::installed = {true, {}};

        ActionRegistry &actions = t.window->actions();
        // The browsers are looked up as a preview drop-down first opens.
        emit actions.menu(QStringLiteral("Pop_Prev"))->aboutToShow();
        emit actions.menu(QStringLiteral("POP_PRev_Ed"))->aboutToShow();
        QCOMPARE(t.browsers.lookups, 1);
        QCOMPARE(t.action("POP_PRev_System")->isVisible(), defaultBrowser);
        QVERIFY(t.action("POP_Prev_Ed_System")->isVisible());
        const char *items[2][2] = {{"PMNU_Prev_MSIE", "POP_Prev_Ed_Msie"}, {"PMNU_Prev_NN", "POP_Prev_Ed_NN"}};
        for (int slot = 0; slot < 2; ++slot)
            for (const char *id : items[slot]) {
                QCOMPARE(t.action(id)->isVisible(), slot < others);
                if (slot < others)
                    QCOMPARE(t.action(id)->text(), threeBrowsers()[slot].name);
            }
        for (const char *id : {"PMNU_Prev_Kreska", "POP_Prev_Ed_Kreska"})
            QCOMPARE(actions.separator(QString::fromLatin1(id))->isVisible(), others > 0);
        for (const char *id : {"PMNU_Prev_Browsers", "POP_Prev_Ed_Browsers"})
            QCOMPARE(t.action(id)->isVisible(), others > 2);
        if (!others)
            return;

        // No library tree has the focus: the library drop-down shows the
        // editors' script, in the default browser or in the one chosen.
        t.body()->setWholeText(QStringLiteral("<P>from the editors</P>"));
        t.body()->setFocus();
        t.trigger("POP_PRev_System");
        QCOMPARE(t.shell.openedPaths.size(), 1);
        const QString page = t.shell.openedPaths.first();
        QVERIFY(readAll(page).contains("<P>from the editors</P>"));
        t.trigger("PMNU_Prev_NN");
        t.trigger("POP_Prev_Ed_Msie");
        QCOMPARE(t.browsers.launches.size(), 2);
        QCOMPARE(t.browsers.launches[0].executable, QStringLiteral("/usr/bin/beta"));
        QCOMPARE(t.browsers.launches[1].executable, QStringLiteral("/usr/bin/alpha"));
        QCOMPARE(t.browsers.launches[1].address, QUrl::fromLocalFile(page).toString());
        QCOMPARE(t.browsers.launches[1].path, page);
        QVERIFY(t.prompter.messages().isEmpty());

        // A browser that came up, or handed the page to a running copy, is
        // not reported; one that failed at once is, with what it said.
        t.browsers.launches[1].watched({});
        QVERIFY(t.prompter.messages().isEmpty());
        t.browsers.launches[0].watched({true, QStringLiteral("Error: cannot open display")});
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Error"));
        QCOMPARE(t.prompter.messages().first().icon, int(IconError));
        QCOMPARE(t.prompter.messages().first().text,
                 QStringLiteral("Browser: /usr/bin/beta\r\nCannot run the browser for some reason!\r\n\r\n"
                                "Error: cannot open display"));
        t.prompter.clear();

        // A browser that cannot be started is reported with its path.
        t.browsers.launchResult = false;
        t.trigger("POP_Prev_Ed_NN");
        QCOMPARE(t.prompter.messages().size(), 1);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Error"));
        QCOMPARE(t.prompter.messages().first().text,
                 QStringLiteral("Browser: /usr/bin/beta\r\nCannot run the browser for some reason!"));
    }

    void browserChoice_picksTheTwoOffered_andIsKeptBetweenRuns()
    {
        QTemporaryDir dir;
        TestWindow::settingsFile = dir.filePath(QStringLiteral("view.ini"));
        FakeBrowsers::installed = {true, threeBrowsers()};
        const auto offered = [](TestWindow &t) {
            emit t.window->actions().menu(QStringLiteral("POP_PRev_Ed"))->aboutToShow();
            return QStringList{t.action("POP_Prev_Ed_Msie")->text(), t.action("POP_Prev_Ed_NN")->text(),
                               t.action("PMNU_Prev_MSIE")->text(), t.action("PMNU_Prev_NN")->text()};
        };
        {
            TestWindow t(false);
            QCOMPARE(offered(t), (QStringList{"Alpha Web", "Beta Web", "Alpha Web", "Beta Web"}));
            bool sameTwiceRefused = false;
            t.prompter.dialogHandlers[QStringLiteral("BrowserChoiceDialog")] = [&](QDialog &dialog) {
                auto &choice = static_cast<BrowserChoiceDialog &>(dialog);
                QComboBox *first = choice.choice(0);
                QComboBox *second = choice.choice(1);
                if (first->count() != 3 || first->currentText() != QLatin1String("Alpha Web") ||
                    second->currentText() != QLatin1String("Beta Web"))
                    return int(QDialog::Rejected);
                second->setCurrentIndex(first->currentIndex());
                sameTwiceRefused = !choice.okButton()->isEnabled();
                first->setCurrentIndex(first->findText(QStringLiteral("Gamma Web")));
                return choice.okButton()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
            };
            t.trigger("POP_Prev_Ed_Browsers");
            QCOMPARE(t.prompter.dialogs().size(), 1);
            QVERIFY(sameTwiceRefused);
            QCOMPARE(offered(t), (QStringList{"Gamma Web", "Alpha Web", "Gamma Web", "Alpha Web"}));
            t.trigger("POP_Prev_Ed_Msie");
            QCOMPARE(t.browsers.launches.size(), 1);
            QCOMPARE(t.browsers.launches[0].executable, QStringLiteral("/usr/bin/gamma"));
            QCOMPARE(t.action("PMNU_Prev_MSIE")->statusTip(), QStringLiteral("Preview in Gamma Web"));
        }
        {
            TestWindow t(false);
            QCOMPARE(offered(t), (QStringList{"Gamma Web", "Alpha Web", "Gamma Web", "Alpha Web"}));
        }
        // A chosen browser since removed gives its place to the next by name.
        FakeBrowsers::installed = {true, threeBrowsers().mid(0, 2)};
        {
            TestWindow t(false);
            QCOMPARE(offered(t), (QStringList{"Alpha Web", "Beta Web", "Alpha Web", "Beta Web"}));
        }
        FakeBrowsers::installed = {true, {}};
        TestWindow::settingsFile.clear();
    }

    // The document's own page is previewed from its folder; a new script
    // has no folder, and the user's text never gets the base address.
    void aDocumentWithAFile_isPreviewedFromItsFolder()
    {
        TestWindow t(false);
        QVERIFY(QDir(t.dir.path()).mkpath(QStringLiteral("site")));
        const QString page = t.dir.filePath(QStringLiteral("site/index.html"));
        QVERIFY(writeFile(page, "<link rel=stylesheet href=\"css/site.css\">\n"));
        t.prompter.yesNoAnswers = {AnswerYes};
        t.prompter.openFileAnswers = {page};
        t.trigger("MMNU_F_Open");
        t.trigger("Przycisk_OK");
        QCOMPARE(t.shell.openedPaths.size(), 1);
        const QByteArray base =
            "<BASE HREF=\"" + QUrl::fromLocalFile(QFileInfo(page).absolutePath() + u'/').toEncoded() + "\">";
        QVERIFY2(readAll(t.shell.openedPaths.first()).startsWith(QByteArray(QByteArray("<HTML><HEAD>") + base)),
                 readAll(t.shell.openedPaths.first()).left(200).constData());
        QVERIFY(!t.body()->wholeText().contains(QStringLiteral("BASE")));

        t.prompter.yesNoAnswers = {AnswerYes};
        t.trigger("MMNU_F_New");
        t.trigger("Przycisk_OK");
        QCOMPARE(t.shell.openedPaths.size(), 2);
        QVERIFY(!readAll(t.shell.openedPaths.last()).contains("<BASE"));
    }

    void everyPreview_rewritesTheOneFile()
    {
        TestWindow t(false);
        t.body()->setWholeText(QStringLiteral("first"));
        t.trigger("Przycisk_OK");
        t.body()->setWholeText(QStringLiteral("second"));
        t.trigger("Przycisk_OK");
        QCOMPARE(t.shell.openedPaths.size(), 2);
        QCOMPARE(t.shell.openedPaths.at(0), t.shell.openedPaths.at(1));
        QVERIFY(readAll(t.shell.openedPaths.at(1)).contains("second"));
        QVERIFY(t.shell.openedPaths.first().startsWith(t.dir.path()));
    }

    void embedded_scriptRunsOnThePreviewTab()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        QVERIFY(t.window->mainBook()->isTabVisible(1));
        // The browser is made on the first preview, not before.
        QVERIFY(!t.window->preview().pane()->browser());
        t.head()->setWholeText(QStringLiteral("<SCRIPT>function greet() { return 'hi from ' + 'head'; }</SCRIPT>"));
        t.body()->setWholeText(QStringLiteral("<SCRIPT>document.title = greet(); window.ran = 6 * 7;</SCRIPT>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        QVERIFY(!menusEnabled(t));
        QVERIFY(t.window->preview().pane()->browser());
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ran")).toInt(), 42, 30000);
        QCOMPARE(evaluate(t, QStringLiteral("document.title")).toString(), QStringLiteral("hi from head"));

        QTest::keyClick(t.window.get(), Qt::Key_F12);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QVERIFY(menusEnabled(t));
    }

    void embedded_pageCannotReadLocalFiles()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        const QString secret = t.dir.filePath(QStringLiteral("secret.txt"));
        QFile f(secret);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PRIVATE-DATA");
        f.close();
        const QString url = QUrl::fromLocalFile(secret).toString();
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.got = 'nothing';"
                                              "try { var x = new XMLHttpRequest(); x.open('GET', '%1', false); x.send();"
                                              " window.got = x.responseText || 'empty'; } catch (e) { window.got = 'refused'; }"
                                              "window.done = true;</SCRIPT>")
                                   .arg(url));
        t.trigger("Podgld1");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.done === true")).toBool(), 30000);
        const QString got = evaluate(t, QStringLiteral("window.got")).toString();
        QVERIFY2(!got.contains(QStringLiteral("PRIVATE-DATA")), qPrintable(got));
        QVERIFY(!got.isEmpty());
    }

    void closeInTheText_isShown_onlyAClosingPageIsWarnedOf_data()
    {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("body");
        QTest::addColumn<bool>("warned");
        QTest::newRow("upper case in a link not clicked")
            << QString() << QStringLiteral("<A HREF=\"#\" onClick=\"window.CLOSE()\">x</A><SCRIPT>window.ready = 1;</SCRIPT>")
            << false;
        QTest::newRow("in HEAD, in a comment") << QStringLiteral("<SCRIPT>// self.close(\nwindow.ready = 1;</SCRIPT>")
                                               << QString() << false;
        QTest::newRow("document.close after write")
            << QString()
            << QStringLiteral("<IFRAME ID=\"f\"></IFRAME><SCRIPT>var d = document.getElementById('f').contentDocument;"
                              "d.open(); d.write('<P>x</P>'); d.close(); window.ready = 1;</SCRIPT>")
            << false;
        QTest::newRow("the page closes itself")
            << QString() << QStringLiteral("<SCRIPT>window.ready = 1; window.close();</SCRIPT>") << true;
    }
    void closeInTheText_isShown_onlyAClosingPageIsWarnedOf()
    {
        QFETCH(QString, head);
        QFETCH(QString, body);
        QFETCH(bool, warned);
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.head()->setWholeText(head);
        t.body()->setWholeText(body);
        t.trigger("Podgld1");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ready === 1")).toBool(), 30000);
        if (warned) {
            QTRY_COMPARE_WITH_TIMEOUT(t.prompter.messages().size(), 1, 20000);
            QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Warning!!"));
            QCOMPARE(t.prompter.messages().first().icon, int(IconWarning));
            QCOMPARE(t.prompter.messages().first().text, QStringLiteral("You should view this script using external browser!"));
        } else {
            // The page has run its scripts; nothing asked to close.
            QVERIFY(t.prompter.messages().isEmpty());
        }
        // The page stays on show either way.
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
    }

    void aPageThatClosesAfterAnotherPage_isWarnedOfToo()
    {
        // The browser lets a page close only a window that has shown no
        // other page, and drops the request silently otherwise.
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.ready = 1;</SCRIPT>"));
        t.trigger("Podgld1");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ready === 1")).toBool(), 30000);
        // Another page typed into the address box, then the script again.
        const QString other = t.dir.filePath(QStringLiteral("other.html"));
        QFile page(other);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><body><script>window.ready = 'other';</script></body></html>");
        page.close();
        PreviewPane *pane = t.window->preview().pane();
        pane->addressBox()->setText(QUrl::fromLocalFile(other).toString());
        QTest::keyClick(pane->addressBox(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ready")).toString(), QStringLiteral("other"), 30000);
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.ready = 2; window.close();</SCRIPT>"));
        t.trigger("Podgld1");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ready === 2")).toBool(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(t.prompter.messages().size(), 1, 20000);
        QCOMPARE(t.prompter.messages().first().text, QStringLiteral("You should view this script using external browser!"));
        // Once for the page, though both the browser and the page watch may tell.
        QTest::qWait(500);
        QCOMPARE(t.prompter.messages().size(), 1);
    }

    void pickingThePreviewTab_withCloseInTheText_showsThePage()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.body()->setWholeText(QStringLiteral("top.close()"));
        t.window->mainBook()->setCurrentIndex(1);  // as a click on the tab does
        QVERIFY(t.prompter.messages().isEmpty());
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        QVERIFY(!menusEnabled(t));
    }

    void aCloseOnlyTheRunningPageReveals_isWarnedOf_andThePageStays()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.ready = true;</SCRIPT><BUTTON ID=\"b\" "
                                              "onClick=\"eval('window.cl' + 'ose' + String.fromCharCode(40, 41))\">x</BUTTON>"));
        t.trigger("Podgld1");
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.ready === true")).toBool(), 30000);
        evaluate(t, QStringLiteral("document.getElementById('b').click(); 1"));
        QTRY_COMPARE_WITH_TIMEOUT(t.prompter.messages().size(), 1, 20000);
        QCOMPARE(t.prompter.messages().first().title, QStringLiteral("Warning!!"));
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        QVERIFY(t.window->isVisible());
        QVERIFY(t.window->preview().pane()->browser()->widget());
    }

    void addressBox_navigatesOnEnter_andBackWithoutHistoryDoesNothing()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.body()->setWholeText(QStringLiteral("<P>page</P>"));
        t.trigger("Podgld1");
        PreviewPane *pane = t.window->preview().pane();
        pane->BTN_IE_BAckClick();  // no history: nothing happens, nothing is shown
        QVERIFY(t.prompter.messages().isEmpty());
        const QString other = t.dir.filePath(QStringLiteral("other.html"));
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><head><title>Other</title></head><body>o</body></html>");
        f.close();
        pane->addressBox()->setText(QUrl::fromLocalFile(other).toString());
        QTest::keyClick(pane->addressBox(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("document.title")).toString(), QStringLiteral("Other"), 30000);
        pane->addressBox()->clear();
        QTest::keyClick(pane->addressBox(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(pane->browser()->currentAddress(), QStringLiteral("about:blank"), 30000);
    }

    void console_listsThePagesMessages_leadsToTheirLines_andCountsErrorsPerPreview()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.head()->setWholeText(QStringLiteral("<SCRIPT>\r\nthrow new Error('head trouble');\r\n</SCRIPT>\r\n"));
        t.body()->setWholeText(QStringLiteral("<P>page</P>\r\n<SCRIPT>console.log('hello from the page');\r\n"
                                              "throw new Error('body trouble');\r\n</SCRIPT>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        PreviewConsole *console = t.window->preview().pane()->console();
        QTreeWidget *list = console->messageList();
        QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 3, 30000);
        QTreeWidgetItem *log = consoleLine(t, QStringLiteral("hello from the page"));
        QTreeWidgetItem *headError = consoleLine(t, QStringLiteral("head trouble"));
        QTreeWidgetItem *bodyError = consoleLine(t, QStringLiteral("body trouble"));
        QVERIFY(log && headError && bodyError);
        QCOMPARE(log->text(1), QStringLiteral("BODY, line 2"));
        QCOMPARE(headError->text(1), QStringLiteral("HEAD, line 2"));
        QCOMPARE(bodyError->text(1), QStringLiteral("BODY, line 3"));
        QCOMPARE(previewCaption(t), QStringLiteral("Preview (2)"));
        QVERIFY(errorPanel(t) && errorPanel(t)->isVisible());
        QCOMPARE(errorPanel(t)->text(), QStringLiteral("2 errors in preview"));

        // Errors only: the log line hides and comes back.
        console->setErrorsOnly(true);
        QVERIFY(log->isHidden());
        QVERIFY(!bodyError->isHidden());
        console->setErrorsOnly(false);
        QVERIFY(!log->isHidden());

        // Enter on a message goes to its line.
        list->setFocus();
        list->setCurrentItem(headError);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QCOMPARE(t.head()->caretLine(), 2);
        QTRY_VERIFY(t.head()->focused());
        QVERIFY(menusEnabled(t));

        // The next preview starts the list and the count again.
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QCOMPARE(previewCaption(t), QStringLiteral("Preview"));
        QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 3, 30000);
        QCOMPARE(console->errorCount(), 2);
        bodyError = consoleLine(t, QStringLiteral("body trouble"));
        QVERIFY(bodyError);
        const QRect row = list->visualItemRect(bodyError);
        QVERIFY(row.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QCOMPARE(t.body()->caretLine(), 3);
        QTRY_VERIFY(t.body()->focused());

        // A page without errors clears the count everywhere.
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<SCRIPT>console.info('all well');</SCRIPT>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("all well")), 30000);
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(console->errorCount(), 0);
        QCOMPARE(previewCaption(t), QStringLiteral("Preview"));
        QVERIFY(errorPanel(t)->isHidden());
        QVERIFY(t.prompter.messages().isEmpty());
    }

    void userLibraryPreview_showsTheLibraryScript()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        QTemporaryDir folder;
        const QString lib = folder.filePath(QStringLiteral("user-scripts/"));
        QDir().mkpath(lib);
        QFile index(lib + QStringLiteral("uscripts.dat"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("Work\r\n lib\r\n");
        index.close();
        QFile script(lib + QStringLiteral("lib.js"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        // HEAD ends with a line break of its own, so BODY starts on the
        // page's next line.
        script.write(
            "<!-- part of the HEAD section -->\r\n<SCRIPT>window.fromLibrary = 'yes'; console.log('lib');</SCRIPT>\r\n"
            "\r\n<!-- part of the BODY section -->\r\n<P>library</P>");
        script.close();
        TestWindow t(true, lib);
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.fromLibrary = 'no';</SCRIPT>"));
        UserLibraryTree *tree = t.window->userLibrary().tree();
        tree->expandAll();
        tree->selectItem(tree->topLevelItem(0)->child(0));
        t.trigger("BTN_Preview_Script_User");
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.fromLibrary")).toString(), QStringLiteral("yes"), 30000);
        // Its messages say which script they come from; the editors hold
        // another, so they lead nowhere.
        QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("lib")), 30000);
        QCOMPARE(consoleLine(t, QStringLiteral("lib"))->text(1), QStringLiteral("library script \"lib\", HEAD, line 1"));
        emit t.window->preview().pane()->console()->messageList()->itemActivated(consoleLine(t, QStringLiteral("lib")), 0);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
    }

    void previewBeside_movesThePane_followsTheTyping_andNeverStopsIt()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        PreviewController &preview = t.window->preview();
        PreviewPane *pane = preview.pane();
        QWidget *browserView = nullptr;
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<P id=\"p\">one</P>"));
        QSignalSpy loaded(&preview, &PreviewController::livePageLoaded);
        // The preview tab first, so switching beside has a page to leave.
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
        browserView = pane->browser()->widget();

        t.trigger("MMNU_View_PreviewBeside");
        QVERIFY(preview.previewBeside());
        QVERIFY(t.action("MMNU_View_PreviewBeside")->isChecked());
        QVERIFY(t.action("BTN_PreviewBeside")->isChecked());
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QVERIFY(!t.window->mainBook()->isTabVisible(1));
        QVERIFY(menusEnabled(t));
        auto *splitter = t.window->findChild<QSplitter *>(QStringLiteral("SplitterPreviewBeside"));
        QVERIFY(splitter && splitter->count() == 2);
        QVERIFY(splitter->widget(1)->isAncestorOf(pane));
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->browser()->widget(), browserView);  // moved, not made again
        QTRY_VERIFY_WITH_TIMEOUT(loaded.size() >= 1, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("document.getElementById('p').textContent")).toString(),
                                  QStringLiteral("one"), 30000);

        // Typed keys reload once, after the pause.
        loaded.clear();
        t.body()->setCaretLineColumn(1, 14);
        QTest::keyClicks(t.body(), QStringLiteral(" two"));
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
        QTest::qWait(2 * LiveReload::kQuietMs + LiveReload::kAnswerMs);
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(evaluate(t, QStringLiteral("document.getElementById('p').textContent")).toString(),
                 QStringLiteral("one two"));

        // A page loaded again keeps its place.
        t.body()->setWholeText(QStringLiteral("<DIV STYLE=\"height: 5000px\">tall</DIV><P id=\"p\">end</P>"));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("document.getElementById('p').textContent")).toString(),
                                  QStringLiteral("end"), 30000);
        QCOMPARE(evaluate(t, QStringLiteral("window.scrollTo(0, 1200); window.scrollY")).toInt(), 1200);
        loaded.clear();
        t.body()->setCaretLineColumn(1, 1);
        QTest::keyClick(t.body(), Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("window.scrollY")).toInt(), 1200, 10000);

        // Boxes, the status line and closing become console lines.
        t.body()->setWholeText(QStringLiteral("<SCRIPT>window.status = 'ticker';\r\nalert('boo');\r\n"
                                              "confirm('sure?');\r\nwindow.close();</SCRIPT>"));
        QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("asked to close")), 30000);
        QVERIFY(consoleLine(t, QStringLiteral("Status line")));
        QVERIFY(consoleLine(t, QStringLiteral("ticker")));
        QVERIFY(consoleLine(t, QStringLiteral("boo")));
        QVERIFY(consoleLine(t, QStringLiteral("sure?")));
        QVERIFY(t.prompter.messages().isEmpty());

        // A script that never returns: the editors keep taking keys, and
        // fixing the script brings the preview back.
        QSignalSpy started(&preview.liveReload(), &LiveReload::loadStarted);
        t.body()->setWholeText(QStringLiteral("<SCRIPT>while (true) {}</SCRIPT>"));
        QTRY_VERIFY_WITH_TIMEOUT(started.size() >= 1, 30000);
        QTest::qWait(300);
        QElapsedTimer key;
        key.start();
        t.body()->setCaretLineColumn(1, 1);
        QTest::keyClick(t.body(), Qt::Key_Space);
        QApplication::processEvents();
        QVERIFY2(key.elapsed() < 1000, "a key waited on the spinning page");
        QCOMPARE(t.body()->wholeText(), QStringLiteral(" <SCRIPT>while (true) {}</SCRIPT>"));
        t.body()->setWholeText(QStringLiteral("<SCRIPT>document.title = 'back';</SCRIPT>"));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("document.title")).toString(), QStringLiteral("back"),
                                  30000);
        QVERIFY(consoleLine(t, QStringLiteral("did not answer")));

        // F11 loads at once and gives the page the keys; the editors stay.
        loaded.clear();
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
        QTRY_VERIFY(browserView->hasFocus() || browserView->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());

        // A built-in script previewed from its tree shows beside the editors too.
        QTreeWidget *builtIns = t.window->builtInLibrary().tree();
        builtIns->setCurrentItem(builtIns->topLevelItem(10));
        loaded.clear();
        t.trigger("BTN_Preview_Built");
        QTRY_COMPARE_WITH_TIMEOUT(loaded.size(), 1, 30000);
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->editorPage());
        QVERIFY(menusEnabled(t));

        // Switched off, everything is back where it was.
        t.trigger("BTN_PreviewBeside");
        QVERIFY(!preview.previewBeside());
        QVERIFY(!t.action("MMNU_View_PreviewBeside")->isChecked());
        QVERIFY(t.window->mainBook()->isTabVisible(1));
        QVERIFY(t.window->previewPage()->isAncestorOf(pane));
        QVERIFY(!splitter->widget(1)->isVisible());
        loaded.clear();
        t.body()->setWholeText(QStringLiteral("<P>not followed</P>"));
        QTest::qWait(2 * LiveReload::kQuietMs);
        QCOMPARE(loaded.size(), 0);
    }

    void aStuckPage_isEnded_andTheNextPreviewShows_data()
    {
        QTest::addColumn<bool>("waitForTheWatch");
        // The look after the load ends the page, or the next preview does.
        QTest::newRow("ended by the watch") << true;
        QTest::newRow("ended by the next preview") << false;
    }

    void aStuckPage_isEnded_andTheNextPreviewShows()
    {
        QFETCH(bool, waitForTheWatch);
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        // The next preview comes well before the look after the load.
        if (!waitForTheWatch)
            t.window->preview().liveReload().setDelays(LiveReload::kQuietMs, 5000);
        t.head()->empty();
        t.body()->setWholeText(
            QStringLiteral("<P>loop page</P><SCRIPT>console.log('spinning'); while(true){}</SCRIPT>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("spinning")), 30000);
        if (waitForTheWatch)
            QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("Refresh loads it again")), 30000);
        QTest::keyClick(t.window.get(), Qt::Key_F12);
        t.body()->setWholeText(QStringLiteral("<P>normal page after loop</P>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(t), QStringLiteral("normal page after loop"), 30000);
        if (!waitForTheWatch)
            QVERIFY(consoleLine(t, QStringLiteral("Stopped the last page")));
        QCOMPARE(t.window->mainBook()->currentWidget(), t.window->previewPage());
    }

    void aPageThatStartsSpinningLater_isEnded_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::newRow("Preview tab") << false;
        QTest::newRow("beside the editors") << true;
    }

    void aPageThatStartsSpinningLater_isEnded()
    {
        QFETCH(bool, beside);
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        t.head()->empty();
        t.body()->setWholeText(
            QStringLiteral("<P>later</P><SCRIPT>setTimeout(function(){ while(true){} }, 5000)</SCRIPT>"));
        if (beside)
            t.trigger("MMNU_View_PreviewBeside");
        else
            QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(t), QStringLiteral("later"), 30000);
        QVERIFY(!consoleLine(t, QStringLiteral("did not answer")));
        QTRY_VERIFY_WITH_TIMEOUT(consoleLine(t, QStringLiteral("did not answer")), 30000);
        // A fresh, empty page took its place.
        QCOMPARE(pageText(t), QString());
        if (!beside) {
            // Refresh shows the ended page again.
            QTest::mouseClick(t.window->findChild<QToolButton *>(QStringLiteral("BTN_IE_Refresh")), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(pageText(t), QStringLiteral("later"), 30000);
        }
    }

    void aPageShowingABox_isNotEnded_whileTheBoxWaits()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        // The page is asked often, so the box is up through many questions.
        t.window->preview().liveReload().setDelays(LiveReload::kQuietMs, 300, 300);
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<SCRIPT>alert('wait for me'); document.title = 'after';</SCRIPT>"));
        // The box runs its own event loop: the user, here a timer, answers it.
        QString boxText;
        bool endedWhileUp = false;
        QElapsedTimer up;
        QTimer user;
        user.setInterval(100);
        connect(&user, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (!up.isValid()) {
                up.start();
                boxText = box->text();
            }
            endedWhileUp = endedWhileUp || consoleLine(t, QStringLiteral("did not answer"));
            if (up.elapsed() > 2000) {
                user.stop();
                box->accept();
            }
        });
        user.start();
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(up.isValid() && !user.isActive(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(t, QStringLiteral("document.title")).toString(), QStringLiteral("after"),
                                  30000);
        QVERIFY(boxText.contains(QStringLiteral("wait for me")));
        QVERIFY(!endedWhileUp);
        QVERIFY(!consoleLine(t, QStringLiteral("did not answer")));
    }

    void firstPreview_keepsTheMainWindowsNativeWindow_andItsMaximisedState()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("offscreen windows draw without OpenGL and are never made anew; run under X (QT_QPA_PLATFORM=xcb)");
        TestWindow t(true);
        t.window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        QTRY_VERIFY(t.window->isMaximized());
        const WId native = t.window->winId();
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<P>first</P>"));
        QTest::keyClick(t.window.get(), Qt::Key_F11);
        QTRY_COMPARE_WITH_TIMEOUT(pageText(t), QStringLiteral("first"), 30000);
        QCOMPARE(t.window->winId(), native);
        QVERIFY(t.window->isMaximized());
    }

    void previewBeside_aPageOpeningWindows_opensAFewForTheWholeRun()
    {
        if (!webEngine())
            QSKIP("built without the embedded browser");
        TestWindow t(true);
        PreviewController &preview = t.window->preview();
        QSignalSpy loaded(&preview, &PreviewController::livePageLoaded);
        t.head()->empty();
        t.body()->setWholeText(QStringLiteral("<SCRIPT>for (var i = 0; i < 30; ++i) window.open('', '_blank');</SCRIPT>"));
        t.trigger("MMNU_View_PreviewBeside");
        QTRY_COMPARE_WITH_TIMEOUT(popupWindows(), 5, 30000);
        // Each change loads the page again; no more windows come.
        for (int change = 1; change <= 3; ++change) {
            loaded.clear();
            t.body()->setWholeText(t.body()->wholeText() + QStringLiteral(" "));
            QTRY_VERIFY_WITH_TIMEOUT(loaded.size() >= 1, 30000);
        }
        QVERIFY(!QTest::qWaitFor([] { return popupWindows() > 5; }, 1500));
        QCOMPARE(popupWindows(), 5);
    }

    void previewBeside_isOffered_onlyWithTheEmbeddedBrowser()
    {
        TestWindow t(false);
        QAction *toggle = t.action("MMNU_View_PreviewBeside");
        QVERIFY(!toggle->isEnabled());
        QVERIFY(!t.action("BTN_PreviewBeside")->isEnabled());
        QVERIFY(toggle->statusTip().contains(QStringLiteral("needs the embedded browser")));
        t.window->preview().setPreviewBeside(true);
        QVERIFY(!t.window->preview().previewBeside());
        QVERIFY(!toggle->isChecked());
    }
};

QUILLON_GUI_TEST_MAIN(TestPreview)
#include "tst_preview.moc"
