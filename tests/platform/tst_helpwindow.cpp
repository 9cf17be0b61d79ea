// The help window: numbered topics in the "prawe" window, the missing-topic
// page, generated pages, the contents and the keyword index (the help set's
// own pages, links and tables are checked by tst_helpset).

#include "fakeshell.h"
#include "platform/helpwindow.h"
#include "recordingprompter.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace {

QString resourceText(const QString &page)
{
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool resourceExists(const QString &page)
{
    return QFile::exists(QStringLiteral(":/help/") + page);
}

QString shownPage(const QTextBrowser *browser)
{
    return browser->source().path().section(u'/', -1);
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QAction *actionNamed(QWidget *window, const QString &name)
{
    return window ? window->findChild<QAction *>(name) : nullptr;
}

const QString kShortcutsPage = QStringLiteral("shortcuts.html");

QString shortcutsHtml()
{
    return QStringLiteral("<html><head><title>Keyboard shortcuts</title></head><body><p>F10</p></body></html>");
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void construction_makesNoWindowBeforeTheFirstRequest()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.setGeneratedPage(kShortcutsPage, shortcutsHtml);
        QVERIFY(help.mainWindow() == nullptr);
        QVERIFY(help.topicWindow() == nullptr);
        QVERIFY(help.mainBrowser() == nullptr);

        help.ShowHelpTopic(400);
        QVERIFY(help.topicWindow() != nullptr);
        QVERIFY2(help.mainWindow() == nullptr, "a topic must not build the contents window");
    }

    void showHelpTopic_everyTopic_opensTitledPageInOnePraweWindow()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.setGeneratedPage(kShortcutsPage, shortcutsHtml);
        help.setGeneratedPage(QStringLiteral("oldcode.html"), [] {
            return QStringLiteral("<html><head><title>Old browser code</title></head><body></body></html>");
        });

        const QList<int> topics = help.topics();
        for (int required : {320, 400, 497, 500, 640})
            QVERIFY2(topics.contains(required), qPrintable(QStringLiteral("topic %1 is missing").arg(required)));

        QWidget *window = nullptr;
        for (int topic : topics) {
            help.ShowHelpTopic(topic);
            if (!window)
                window = help.topicWindow();
            QCOMPARE(help.topicWindow(), window);
            QCOMPARE(window->objectName(), QStringLiteral("prawe"));
            QVERIFY(window->isVisible());
            QCOMPARE(shownPage(help.topicBrowser()), help.pageForTopic(topic));
            const QString title = help.topicBrowser()->documentTitle();
            QVERIFY2(!title.isEmpty(), qPrintable(QStringLiteral("topic %1 has no title").arg(topic)));
            QVERIFY2(title != QStringLiteral("Topic not available"),
                     qPrintable(QStringLiteral("topic %1 is not available").arg(topic)));
            QVERIFY(window->windowTitle().startsWith(title));
        }
        // The topics are listed in ascending order; the one window shows the last.
        QVERIFY(std::is_sorted(topics.cbegin(), topics.cend()));
        QCOMPARE(shownPage(help.topicBrowser()), help.pageForTopic(topics.last()));
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](const QWidget *w) { return w->objectName() == QStringLiteral("prawe"); }),
                 1);
    }

    void showHelpTopic_window_standsAtTheRightEdgeOfTheScreen()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.ShowHelpTopic(400);
        const QRect area = help.topicWindow()->screen()->availableGeometry();
        const QRect frame = help.topicWindow()->geometry();
        QVERIFY2(frame.right() <= area.right() && frame.right() >= area.right() - 40,
                 qPrintable(QStringLiteral("right edge %1, screen area ends at %2").arg(frame.right()).arg(area.right())));
        QVERIFY(frame.width() < area.width());
        QVERIFY(frame.top() >= area.top() && frame.bottom() <= area.bottom());
    }

    void showHelpTopic_unknownNumber_showsNotAvailablePageNamingTheNumber()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.ShowHelpTopic(4711);
        QVERIFY(help.topicWindow()->isVisible());
        const QString text = help.topicBrowser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("This topic is not available.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("4711")), qPrintable(text));
        QCOMPARE(help.topicBrowser()->documentTitle(), QStringLiteral("Topic not available"));

        // A known topic afterwards replaces it, and Back returns to it.
        help.ShowHelpTopic(400);
        QCOMPARE(shownPage(help.topicBrowser()), QStringLiteral("libraries.html"));
        QAction *back = actionNamed(help.topicWindow(), QStringLiteral("HelpBack"));
        QVERIFY(back && back->isEnabled());
        back->trigger();
        QVERIFY(help.topicBrowser()->toPlainText().contains(QStringLiteral("4711")));
    }

    void showHelpTopic_generatedPageWithoutGenerator_showsNotAvailablePage()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        QCOMPARE(help.pageForTopic(320), kShortcutsPage);
        QVERIFY2(!resourceExists(kShortcutsPage), "the shortcuts page is made by the program, not stored");
        help.ShowHelpTopic(320);
        const QString text = help.topicBrowser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("This topic is not available.")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("320")));
    }

    void generatedPage_eachShowing_callsItsGeneratorAgain()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        int calls = 0;
        help.setGeneratedPage(kShortcutsPage, [&calls] {
            ++calls;
            return QStringLiteral("<html><head><title>Keyboard shortcuts</title></head><body><p>Made %1 times</p>"
                                  "<p><a href=\"editor.html\">Editing</a></p></body></html>")
                .arg(calls);
        });
        QCOMPARE(calls, 0);

        help.ShowHelpTopic(320);
        QCOMPARE(calls, 1);
        QVERIFY(help.topicBrowser()->toPlainText().contains(QStringLiteral("Made 1 times")));
        help.ShowHelpTopic(320);
        QCOMPARE(calls, 2);
        QVERIFY(help.topicBrowser()->toPlainText().contains(QStringLiteral("Made 2 times")));

        // From the contents of the main window, too.
        help.showContents();
        QTreeWidgetItem *item = nullptr;
        for (QTreeWidgetItemIterator it(help.contentsTree()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == kShortcutsPage)
                item = *it;
        QVERIFY(item);
        const int before = calls;
        emit help.contentsTree()->itemActivated(item, 0);
        QCOMPARE(shownPage(help.mainBrowser()), kShortcutsPage);
        QCOMPARE(calls, before + 1);
        QVERIFY(help.mainBrowser()->toPlainText().contains(QStringLiteral("Made %1 times").arg(calls)));
    }

    void generatedPage_isShownWithTheHelpStylesheet()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.setGeneratedPage(kShortcutsPage, [] {
            return QStringLiteral("<html><head><title>Keys</title></head><body><h1>Keys</h1><p>F10</p></body></html>");
        });
        help.ShowHelpTopic(320);
        const QTextBlock heading = help.topicBrowser()->document()->firstBlock();
        QCOMPARE(heading.text(), QStringLiteral("Keys"));
        QCOMPARE(heading.charFormat().foreground().color(), QColor(QStringLiteral("#1a237e")));

        help.ShowHelpTopic(400);
        QCOMPARE(help.topicBrowser()->document()->firstBlock().charFormat().foreground().color(),
                 QColor(QStringLiteral("#1a237e")));
    }

    void showContents_opensWelcomePageAtContentsTab()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showContents();
        QVERIFY(help.mainWindow()->isVisible());
        QCOMPARE(help.mainWindow()->windowTitle(), QStringLiteral("Quillon Help"));
        QCOMPARE(help.sideTabs()->tabText(help.sideTabs()->currentIndex()), QStringLiteral("Contents"));
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("index.html"));
        QCOMPARE(help.mainBrowser()->documentTitle(), QStringLiteral("Welcome to Quillon"));
        QVERIFY(help.mainBrowser()->toPlainText().contains(QStringLiteral("HEAD fragment")));
        QCOMPARE(help.contentsTree()->topLevelItemCount(), 1);
        QCOMPARE(help.contentsTree()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("index.html"));

        // The contents tree opens a page on a click.
        QTreeWidgetItem *editor = nullptr;
        for (QTreeWidgetItemIterator it(help.contentsTree()); *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toString() == QStringLiteral("editor.html"))
                editor = *it;
        QVERIFY(editor);
        help.contentsTree()->scrollToItem(editor);
        QTest::mouseClick(help.contentsTree()->viewport(), Qt::LeftButton, {},
                          help.contentsTree()->visualItemRect(editor).center());
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("editor.html"));

        // Home returns, Back goes back to the page before.
        actionNamed(help.mainWindow(), QStringLiteral("HelpHome"))->trigger();
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("index.html"));
        actionNamed(help.mainWindow(), QStringLiteral("HelpBack"))->trigger();
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("editor.html"));
        QCOMPARE(help.contentsTree()->currentItem(), editor);
    }

    void showHelpOnHelp_opensThePageOnUsingHelp()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showHelpOnHelp();
        QVERIFY(help.mainWindow()->isVisible());
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("helponhelp.html"));
        QCOMPARE(help.mainBrowser()->documentTitle(), QStringLiteral("How to use this help"));
        const QString text = help.mainBrowser()->toPlainText();
        for (const char *subject : {"Contents", "Index", "search field", "links", "Back", "Forward", "F10"})
            QVERIFY2(text.contains(QLatin1String(subject)), subject);
    }

    void topicWindow_contentsButton_opensTheMainWindow()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.ShowHelpTopic(497);
        QAction *contents = actionNamed(help.topicWindow(), QStringLiteral("HelpContentsButton"));
        QVERIFY(contents);
        contents->trigger();
        QVERIFY(help.mainWindow() && help.mainWindow()->isVisible());
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("index.html"));
    }

    void showKeywordSearch_showsIndexWithKeywordAndFocusInSearchField()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showKeywordSearch(QStringLiteral("print"));
        QVERIFY(help.mainWindow()->isVisible());
        QCOMPARE(help.sideTabs()->tabText(help.sideTabs()->currentIndex()), QStringLiteral("Index"));
        QCOMPARE(help.indexSearch()->text(), QStringLiteral("print"));
        QTRY_VERIFY(help.indexSearch()->hasFocus());
        const QStringList shown = listTexts(help.indexList());
        QVERIFY(!shown.isEmpty());
        for (const QString &word : shown)
            QVERIFY2(word.contains(QStringLiteral("print"), Qt::CaseInsensitive), qPrintable(word));

        help.showKeywordSearch(QString());
        QVERIFY(help.indexSearch()->text().isEmpty());
        QCOMPARE(help.indexList()->count(), int(help.keywordIndex().uniqueKeys().size()));
    }

    void indexSearch_typing_filtersAndEnterOpensTheKeywordsPage()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showKeywordSearch(QString());
        const int all = help.indexList()->count();
        QVERIFY(all > 20);

        QTest::keyClicks(help.indexSearch(), QStringLiteral("bookm"));
        const QStringList shown = listTexts(help.indexList());
        QVERIFY(shown.size() < all);
        QVERIFY2(shown.contains(QStringLiteral("bookmarks")), qPrintable(shown.join(u',')));
        for (const QString &word : shown)
            QVERIFY(word.contains(QStringLiteral("bookm"), Qt::CaseInsensitive));

        QTest::keyClick(help.indexSearch(), Qt::Key_Return);
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("editor.html"));
        QVERIFY(prompter.shown.isEmpty());

        // Nothing matches: the list is empty and Enter opens nothing.
        QTest::keyClicks(help.indexSearch(), QStringLiteral("zzzz"));
        QCOMPARE(help.indexList()->count(), 0);
        QTest::keyClick(help.indexSearch(), Qt::Key_Return);
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("editor.html"));
    }

    void indexTab_takesTheKeysToItsSearchField()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showContents();
        QVERIFY(QTest::qWaitForWindowActive(help.mainWindow()));
        QTabBar *tabs = help.sideTabs()->tabBar();
        // Wherever the keys were: in the page being read, in the contents.
        for (QWidget *before : {static_cast<QWidget *>(help.mainBrowser()), static_cast<QWidget *>(help.contentsTree())}) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
            QCOMPARE(help.sideTabs()->currentIndex(), 0);
            before->setFocus();
            QTRY_VERIFY(before->hasFocus());
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
            QCOMPARE(help.sideTabs()->currentIndex(), 1);
            QTRY_VERIFY2(help.indexSearch()->hasFocus(), qPrintable(before->objectName()));
            help.indexSearch()->clear();
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("print"));
            QCOMPARE(help.indexSearch()->text(), QStringLiteral("print"));
        }
    }

    void contents_showEveryTitleWhole_data()
    {
        QTest::addColumn<qreal>("fontScale");
        QTest::newRow("the usual font") << 1.0;
        QTest::newRow("text at 150 %") << 1.5;
    }
    void contents_showEveryTitleWhole()
    {
        QFETCH(qreal, fontScale);
        const QFont usual = QApplication::font();
        QFont larger = usual;
        larger.setPointSizeF(usual.pointSizeF() * fontScale);
        QApplication::setFont(larger);
        const auto restore = qScopeGuard([&] { QApplication::setFont(usual); });

        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showContents();
        QVERIFY(QTest::qWaitForWindowExposed(help.mainWindow()));
        QTreeWidget *tree = help.contentsTree();
        // The text of an item starts a small margin into its cell.
        const int margins = 2 * (tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1);
        int titles = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it, ++titles) {
            const QRect cell = tree->visualItemRect(*it);
            QVERIFY2(cell.left() + tree->fontMetrics().horizontalAdvance((*it)->text(0)) + margins <=
                         tree->viewport()->width(),
                     qPrintable((*it)->text(0)));
        }
        QCOMPARE(titles, int(help.contentsPages().size()));
        QVERIFY(help.mainWindow()->screen()->availableGeometry().contains(help.mainWindow()->frameGeometry()));
    }

    void indexList_doubleClick_opensTheKeywordsPage()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showKeywordSearch(QStringLiteral("uscripts"));
        QCOMPARE(help.indexList()->count(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(help.mainWindow()));
        QListWidgetItem *item = help.indexList()->item(0);
        const QPoint at = help.indexList()->visualItemRect(item).center();
        // A single click only selects.
        QTest::mouseClick(help.indexList()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("index.html"));
        QSignalSpy activated(help.indexList(), &QListWidget::itemActivated);
        QTest::mouseDClick(help.indexList()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("libraries.html"));
    }

    void openKeyword_onSeveralPages_letsTheUserChoose()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        const QMultiMap<QString, QString> index = help.keywordIndex();
        QString shared;
        for (const QString &word : index.uniqueKeys())
            if (index.values(word).size() > 1) {
                shared = word;
                break;
            }
        QVERIFY2(!shared.isEmpty(), "no keyword is on more than one page");
        QStringList pages = index.values(shared);
        pages.removeDuplicates();
        std::sort(pages.begin(), pages.end());

        QStringList offered;
        prompter.dialogHandlers.insert(QStringLiteral("HelpTopicsFound"), [&offered](QDialog &dialog) {
            auto *list = dialog.findChild<QListWidget *>(QStringLiteral("HelpTopicList"));
            offered = listTexts(list);
            list->setCurrentRow(1);
            return int(QDialog::Accepted);
        });
        help.showKeywordSearch(shared);
        QTest::keyClick(help.indexSearch(), Qt::Key_Return);
        QCOMPARE(prompter.dialogs().size(), 1);
        QCOMPARE(prompter.dialogs().first().title, QStringLiteral("Topics found"));
        QCOMPARE(offered.size(), pages.size());
        const QString secondTitle =
            resourceText(pages.at(1)).section(QStringLiteral("<title>"), 1).section(QStringLiteral("</title>"), 0, 0);
        QCOMPARE(offered.at(1), secondTitle.simplified());
        QCOMPARE(shownPage(help.mainBrowser()), pages.at(1));

        // Cancelled: the page shown stays.
        help.showContents();
        prompter.dialogHandlers.insert(QStringLiteral("HelpTopicsFound"), [](QDialog &) { return int(QDialog::Rejected); });
        help.openKeyword(shared);
        QCOMPARE(prompter.dialogs().size(), 2);
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("index.html"));
    }

    void links_followedInsideTheHelp_externalOnesGoToTheShell()
    {
        FakeShell shell;
        RecordingPrompter prompter;
        HelpWindow help(shell, prompter);
        help.showContents();
        emit help.mainBrowser()->anchorClicked(QUrl(QStringLiteral("files.html#open")));
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("files.html"));
        QVERIFY(shell.openedUrls.isEmpty());

        emit help.mainBrowser()->anchorClicked(QUrl(QStringLiteral("https://www.example.org/scripts")));
        QCOMPARE(shell.openedUrls, QStringList{QStringLiteral("https://www.example.org/scripts")});
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("files.html"));
        QVERIFY(prompter.messages().isEmpty());

        // Anything else outside the help is not followed.
        emit help.mainBrowser()->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(shownPage(help.mainBrowser()), QStringLiteral("files.html"));
        QCOMPARE(shell.openedPaths.size() + shell.openedUrls.size(), 1);

        shell.result = DesktopShell::NoAssociation;
        emit help.mainBrowser()->anchorClicked(QUrl(QStringLiteral("http://www.example.org/")));
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages().first().icon, int(IconError));
        QCOMPARE(prompter.messages().first().text, QStringLiteral("Cannot run the default system browser - error code 31"));

        // A page name the help does not hold still shows a page, not an empty window.
        emit help.mainBrowser()->anchorClicked(QUrl(QStringLiteral("nowhere.html")));
        QVERIFY(help.mainBrowser()->toPlainText().contains(QStringLiteral("This topic is not available.")));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
