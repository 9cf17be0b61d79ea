// The Preview tab's pane: its strip, the browser made on first use, and
// what the address box and the four buttons ask of the browser.  A
// recording browser stands in for the embedded one.

#include "preview/internalbrowser.h"
#include "preview/previewconsole.h"
#include "preview/previewpane.h"

#include <QApplication>
#include <QLineEdit>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <stdexcept>
#include <vector>

namespace {

class RecordingBrowser final : public InternalBrowser {
public:
    explicit RecordingBrowser(QWidget *parent) : m_widget(new QWidget(parent))
    {
        m_widget->setObjectName(QStringLiteral("RecordingBrowser"));
    }
    ~RecordingBrowser() override
    {
        ++*destroyed;
        delete m_widget;
    }

    QWidget *widget() override { return m_widget; }
    void navigate(const QString &pathOrAddress) override { calls << QStringLiteral("navigate:") + pathOrAddress; }
    void goBack() override
    {
        calls << QStringLiteral("goBack");
        if (historyFails)
            throw std::runtime_error("no history");
    }
    void goForward() override
    {
        calls << QStringLiteral("goForward");
        if (historyFails)
            throw std::runtime_error("no history");
    }
    void stop() override { calls << QStringLiteral("stop"); }
    void refresh() override { calls << QStringLiteral("refresh"); }
    void setCloseRequestHandler(std::function<void()> handler) override { closeHandler = std::move(handler); }
    void setLoadFinishedHandler(std::function<void(bool)>) override {}
    void setConsoleMessageHandler(std::function<void(const PageMessage &)>) override {}
    void runJavaScript(const QString &, std::function<void(const QVariant &)>) override {}
    QString currentAddress() const override { return {}; }
    void setDialogsShown(bool shown) override { calls << QStringLiteral("dialogs:%1").arg(shown); }
    void askPage(std::function<void()> answered) override { answered(); }
    void endStuckPage() override { calls << QStringLiteral("endStuckPage"); }
    void startWindowCount() override { ++windowCounts; }
    void setReadableFolder(const QString &folder) override { readableFolder = folder; }

    QStringList calls;
    int windowCounts = 0;
    QString readableFolder;
    bool historyFails = false;
    std::function<void()> closeHandler;
    int *destroyed = nullptr;

private:
    QWidget *m_widget;
};

class RecordingFactory final : public InternalBrowserFactory {
public:
    InternalBrowser *createBrowser(QWidget *parent) override
    {
        ++made;
        last = new RecordingBrowser(parent);
        last->destroyed = &destroyed;
        return last;
    }
    int made = 0;
    int destroyed = 0;
    RecordingBrowser *last = nullptr;
};

} // namespace

class TestPreviewPane final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The strip.
    void strip_controlsFromTheLeft_addressThenFourButtons();
    void strip_buttons_carryHintsIconsAndHandCursor();
    void strip_addressBox_startsEmpty();

    // The browser is made on first use.
    void construct_beforeFirstPreview_noBrowserAndNoFactoryAsked();
    void showFile_firstAndSecondPreview_oneBrowserNavigatedTwice();
    void showFile_browserPlacedUnderTheStrip();
    void console_foldedAndOpened_keepsTheHeightItHad();
    void ensureBrowser_noFactory_falseAndAskedAgainNextTime();
    void destroy_pane_deletesItsBrowser();

    // The address box.
    void addressBox_enter_navigatesToTypedText();
    void addressBox_enterOnEmptyBox_navigatesToEmptyText();
    void addressBox_keypadEnter_navigatesToo();
    void addressBox_otherKeys_doNotNavigate();
    void addressBox_afterPreview_notUpdatedWithThePath();

    // The buttons.
    void buttons_beforeFirstPreview_doNothing();
    void buttons_click_callTheirBrowserMethods();
    void backAndForward_historyErrors_swallowed();
    void buttonsAndAddress_loadThroughTheGate_stopTellsItsHandler();

    // Closing.
    void closeRequest_fromPage_reachesHandlerAndNothingCloses();

private:
    QToolButton *button(const char *name) const { return m_pane->findChild<QToolButton *>(QString::fromLatin1(name)); }
    void preview()
    {
        m_pane->showFile(QStringLiteral("/tmp/x/prev.html"));
        QVERIFY(m_factory.last);
        m_factory.last->calls.clear();
    }

    RecordingFactory m_factory;
    int m_asked = 0;
    bool m_noFactory = false;
    PreviewPane *m_pane = nullptr;
};

void TestPreviewPane::init()
{
    m_factory = RecordingFactory();
    m_asked = 0;
    m_noFactory = false;
    m_pane = new PreviewPane([this]() -> InternalBrowserFactory * {
        ++m_asked;
        return m_noFactory ? nullptr : &m_factory;
    });
    m_pane->resize(600, 400);
    m_pane->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pane));
}

void TestPreviewPane::cleanup()
{
    delete m_pane;
    m_pane = nullptr;
}

void TestPreviewPane::strip_controlsFromTheLeft_addressThenFourButtons()
{
    auto *strip = m_pane->findChild<QWidget *>(QStringLiteral("Panel5"));
    QVERIFY(strip);
    QCOMPARE(strip->y(), 0);
    const QList<QWidget *> order = {m_pane->findChild<QLineEdit *>(QStringLiteral("EDT_IE_URL")), button("BTN_IE_BAck"),
                                    button("ToolbarButton973"), button("BTN_IE_Stop"), button("BTN_IE_Refresh")};
    for (int i = 0; i < order.size(); ++i) {
        QVERIFY2(order[i], qPrintable(QString::number(i)));
        QCOMPARE(order[i]->parentWidget(), strip);
        QVERIFY(order[i]->isVisible());
        if (i > 0)
            QVERIFY2(order[i - 1]->geometry().right() < order[i]->geometry().left(), qPrintable(QString::number(i)));
    }
    // The address box takes the room the buttons leave.
    QVERIFY(order[0]->width() > 4 * order[1]->width());
}

void TestPreviewPane::strip_buttons_carryHintsIconsAndHandCursor()
{
    const QList<std::pair<const char *, QString>> hints = {{"BTN_IE_BAck", QStringLiteral("Go back")},
                                                           {"ToolbarButton973", QStringLiteral("Go forward")},
                                                           {"BTN_IE_Stop", QStringLiteral("Stop")},
                                                           {"BTN_IE_Refresh", QStringLiteral("Refresh")}};
    for (const auto &[name, hint] : hints) {
        QToolButton *b = button(name);
        QVERIFY2(b, name);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->statusTip(), hint);
        QVERIFY2(!b->icon().isNull(), name);
        QVERIFY(!b->icon().pixmap(16, 16).isNull());
        QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
}

void TestPreviewPane::strip_addressBox_startsEmpty()
{
    QVERIFY(m_pane->addressBox());
    QCOMPARE(m_pane->addressBox()->objectName(), QStringLiteral("EDT_IE_URL"));
    QVERIFY(m_pane->addressBox()->text().isEmpty());
}

void TestPreviewPane::construct_beforeFirstPreview_noBrowserAndNoFactoryAsked()
{
    QCOMPARE(m_asked, 0);
    QCOMPARE(m_factory.made, 0);
    QVERIFY(!m_pane->browser());
}

void TestPreviewPane::showFile_firstAndSecondPreview_oneBrowserNavigatedTwice()
{
    m_pane->showFile(QStringLiteral("/tmp/a/prev.html"));
    m_pane->showFile(QStringLiteral("/tmp/a/prev.html"));
    QCOMPARE(m_factory.made, 1);
    QCOMPARE(m_pane->browser(), static_cast<InternalBrowser *>(m_factory.last));
    QCOMPARE(m_factory.last->calls,
             QStringList({QStringLiteral("navigate:/tmp/a/prev.html"), QStringLiteral("navigate:/tmp/a/prev.html")}));
}

void TestPreviewPane::console_foldedAndOpened_keepsTheHeightItHad()
{
    PreviewConsole *console = m_pane->console();
    auto *splitter = m_pane->findChild<QSplitter *>(QStringLiteral("PreviewSplitter"));
    QVERIFY(splitter);
    // The user drags the console to a height of their own.
    splitter->setSizes({splitter->height() - 120, 120});
    QTRY_COMPARE(console->height(), 120);
    console->setCollapsed(true);
    QTRY_VERIFY(console->height() < 60);
    QVERIFY(console->messageList()->isHidden());
    console->setCollapsed(false);
    QTRY_COMPARE(console->height(), 120);
    QVERIFY(console->messageList()->isVisible());
}

void TestPreviewPane::showFile_browserPlacedUnderTheStrip()
{
    QVERIFY(m_pane->ensureBrowser());
    QWidget *view = m_pane->browser()->widget();
    QTRY_VERIFY(view->isVisible());
    auto *strip = m_pane->findChild<QWidget *>(QStringLiteral("Panel5"));
    const auto inPane = [this](QWidget *w) { return QRect(w->mapTo(m_pane, QPoint(0, 0)), w->size()); };
    QTRY_VERIFY(inPane(view).top() > strip->geometry().bottom());
    // It fills the pane's width, down to the console, which ends the pane.
    QWidget *console = m_pane->console();
    QTRY_VERIFY(console->isVisible());
    QTRY_VERIFY(inPane(view).bottom() < inPane(console).top());
    QCOMPARE(inPane(console).bottom(), m_pane->rect().bottom());
    QCOMPARE(view->width(), m_pane->width());
}

void TestPreviewPane::ensureBrowser_noFactory_falseAndAskedAgainNextTime()
{
    m_noFactory = true;
    QVERIFY(!m_pane->ensureBrowser());
    m_pane->showFile(QStringLiteral("/tmp/p.html"));
    QVERIFY(!m_pane->browser());
    QCOMPARE(m_asked, 2);
    m_noFactory = false;
    QVERIFY(m_pane->ensureBrowser());
    QCOMPARE(m_factory.made, 1);
}

void TestPreviewPane::destroy_pane_deletesItsBrowser()
{
    QVERIFY(m_pane->ensureBrowser());
    delete m_pane;
    m_pane = nullptr;
    QCOMPARE(m_factory.destroyed, 1);
}

void TestPreviewPane::addressBox_enter_navigatesToTypedText()
{
    preview();
    QTest::keyClicks(m_pane->addressBox(), QStringLiteral("example.org/page"));
    QVERIFY(m_factory.last->calls.isEmpty());  // typing alone goes nowhere
    QTest::keyClick(m_pane->addressBox(), Qt::Key_Return);
    QCOMPARE(m_factory.last->calls, QStringList{QStringLiteral("navigate:example.org/page")});
}

void TestPreviewPane::addressBox_enterOnEmptyBox_navigatesToEmptyText()
{
    // Enter before any preview makes the browser too.
    QTest::keyClick(m_pane->addressBox(), Qt::Key_Return);
    QCOMPARE(m_factory.made, 1);
    QCOMPARE(m_factory.last->calls, QStringList{QStringLiteral("navigate:")});
}

void TestPreviewPane::addressBox_keypadEnter_navigatesToo()
{
    preview();
    QTest::keyClicks(m_pane->addressBox(), QStringLiteral("/tmp/q.html"));
    QTest::keyClick(m_pane->addressBox(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(m_factory.last->calls, QStringList{QStringLiteral("navigate:/tmp/q.html")});
}

void TestPreviewPane::addressBox_otherKeys_doNotNavigate()
{
    preview();
    m_pane->addressBox()->setText(QStringLiteral("abc"));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Left, Qt::Key_F5})
        QTest::keyClick(m_pane->addressBox(), key);
    QVERIFY(m_factory.last->calls.isEmpty());
}

void TestPreviewPane::addressBox_afterPreview_notUpdatedWithThePath()
{
    m_pane->addressBox()->setText(QStringLiteral("typed"));
    m_pane->showFile(QStringLiteral("/tmp/a/prev.html"));
    QCOMPARE(m_pane->addressBox()->text(), QStringLiteral("typed"));
}

void TestPreviewPane::buttons_beforeFirstPreview_doNothing()
{
    for (const char *name : {"BTN_IE_BAck", "ToolbarButton973", "BTN_IE_Stop", "BTN_IE_Refresh"})
        QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(m_asked, 0);
    QVERIFY(!m_pane->browser());
}

void TestPreviewPane::buttons_click_callTheirBrowserMethods()
{
    preview();
    for (const char *name : {"BTN_IE_BAck", "ToolbarButton973", "BTN_IE_Stop", "BTN_IE_Refresh"})
        QTest::mouseClick(button(name), Qt::LeftButton);
    QCOMPARE(m_factory.last->calls, QStringList({QStringLiteral("goBack"), QStringLiteral("goForward"),
                                                 QStringLiteral("stop"), QStringLiteral("refresh")}));
}

void TestPreviewPane::backAndForward_historyErrors_swallowed()
{
    preview();
    m_factory.last->historyFails = true;
    try {
        m_pane->BTN_IE_BAckClick();
        m_pane->ToolbarButton973Click();
    } catch (...) {
        QFAIL("a history error escaped the pane");
    }
    QCOMPARE(m_factory.last->calls, QStringList({QStringLiteral("goBack"), QStringLiteral("goForward")}));
}

void TestPreviewPane::buttonsAndAddress_loadThroughTheGate_stopTellsItsHandler()
{
    std::vector<std::function<void()>> held;
    int stopped = 0;
    m_pane->setLoadGate([&held](std::function<void()> load) { held.push_back(std::move(load)); });
    m_pane->setStoppedHandler([&stopped] { ++stopped; });
    preview();
    const int counts = m_factory.last->windowCounts;
    for (const char *name : {"BTN_IE_BAck", "ToolbarButton973", "BTN_IE_Refresh", "BTN_IE_Stop"})
        QTest::mouseClick(button(name), Qt::LeftButton);
    m_pane->addressBox()->setText(QStringLiteral("typed"));
    QTest::keyClick(m_pane->addressBox(), Qt::Key_Return);
    // Only Stop goes at once; the loads wait for the gate.
    QCOMPARE(m_factory.last->calls, QStringList({QStringLiteral("stop")}));
    QCOMPARE(stopped, 1);
    QCOMPARE(held.size(), size_t(4));
    m_pane->addressBox()->setText(QStringLiteral("changed meanwhile"));
    for (const auto &load : held)
        load();
    QCOMPARE(m_factory.last->calls,
             QStringList({QStringLiteral("stop"), QStringLiteral("goBack"), QStringLiteral("goForward"),
                          QStringLiteral("refresh"), QStringLiteral("navigate:typed")}));
    // A typed address is a new page: its windows count anew.
    QCOMPARE(m_factory.last->windowCounts, counts + 1);
}

void TestPreviewPane::closeRequest_fromPage_reachesHandlerAndNothingCloses()
{
    int requests = 0;
    m_pane->setCloseRequestHandler([&requests] { ++requests; });
    preview();
    QVERIFY(m_factory.last->closeHandler);
    m_factory.last->closeHandler();
    QCOMPARE(requests, 1);
    QVERIFY(m_pane->isVisible());
    QVERIFY(m_pane->browser()->widget()->isVisible());

    // A handler set after the browser was made is the one called.
    int later = 0;
    m_pane->setCloseRequestHandler([&later] { ++later; });
    m_factory.last->closeHandler();
    QCOMPARE(requests, 1);
    QCOMPARE(later, 1);
}

QTEST_MAIN(TestPreviewPane)
#include "tst_previewpane.moc"
