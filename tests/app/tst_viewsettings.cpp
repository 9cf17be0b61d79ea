// The window's arrangement from one run to the next: the reading rules of
// the stored values, and a window closed and made again.

#include "app/resourcetabs.h"
#include "app/viewsettings.h"
#include "testwindow.h"
#include "widgets/dockabletoolbar.h"

#include <QSettings>
#include <QSplitter>

class TestViewSettings : public QObject {
    Q_OBJECT
private slots:
    void storedValues_areReadByTheRules_data();
    void storedValues_areReadByTheRules();
    void writtenSettings_readBackTheSame();
    void arrangement_survivesARestart();
    void hiddenResourceTabs_keepTheirLastShownWidth();
    void restoredWindow_fitsTheScreenItOpensOn_data();
    void restoredWindow_fitsTheScreenItOpensOn();
};

void TestViewSettings::restoredWindow_fitsTheScreenItOpensOn_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("opens");
    // Two screens side by side: 1280x900 (a bar of 30 at its top) and 1024x768.
    QTest::newRow("fits as it is") << QRect(100, 100, 800, 600) << QRect(100, 100, 800, 600);
    QTest::newRow("saved at 100 %, larger now") << QRect(0, 0, 1920, 1322) << QRect(0, 30, 1280, 870);
    QTest::newRow("hanging off the right edge") << QRect(900, 200, 600, 400) << QRect(680, 200, 600, 400);
    QTest::newRow("mostly on the second screen") << QRect(1200, 100, 900, 900) << QRect(1280, 0, 900, 768);
    QTest::newRow("on a screen that has gone") << QRect(4000, 2000, 800, 600) << QRect(240, 165, 800, 600);
    QTest::newRow("above every screen") << QRect(100, -700, 500, 400) << QRect(390, 265, 500, 400);
    QTest::newRow("under the top bar") << QRect(10, 0, 500, 400) << QRect(10, 30, 500, 400);
}

void TestViewSettings::restoredWindow_fitsTheScreenItOpensOn()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, opens);
    const QList<QRect> screens{QRect(0, 30, 1280, 870), QRect(1280, 0, 1024, 768)};
    QCOMPARE(fitToScreens(saved, screens, 0), opens);
}

void TestViewSettings::storedValues_areReadByTheRules_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");  // a null string: not stored
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "View/HEAD_Size" << "212" << 212;
    QTest::newRow("hexadecimal") << "View/HEAD_Size" << "0x1F" << 31;
    QTest::newRow("not a number") << "View/HEAD_Size" << "tall" << 130;
    QTest::newRow("empty") << "View/HEAD_Size" << "" << 130;
    QTest::newRow("missing") << "View/HEAD_Size" << QString() << 130;
    QTest::newRow("negative") << "View/VM_Quillon_MF/Left" << "-8" << -8;
    QTest::newRow("tab 2") << "View/Active_tab" << "2" << 2;
    QTest::newRow("tab 5 is Libraries") << "View/Active_tab" << "5" << 0;
    QTest::newRow("tab -1 is Libraries") << "View/Active_tab" << "-1" << 0;
    QTest::newRow("flag 2 is on") << "View/Resource_visible" << "2" << 1;
    QTest::newRow("flag 0 is off") << "View/Resource_visible" << "0" << 0;
    QTest::newRow("flag 0x0 is off") << "View/HandPoint" << "0x0" << 0;
    QTest::newRow("flag not a number keeps the default") << "View/HandPoint" << "no" << 0;
}

void TestViewSettings::storedValues_areReadByTheRules()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, expected);
    // The flags' defaults are off here, so a flag read as on comes from
    // the stored value.
    ViewSettings defaults;
    defaults.resourceVisible = false;
    defaults.handPoint = false;
    const ViewSettings read = readViewSettings(
        [&](const QString &asked) -> std::optional<QString> {
            if (asked == key && !value.isNull())
                return value;
            return std::nullopt;
        },
        defaults);
    const std::map<QString, int> got{
        {QStringLiteral("View/HEAD_Size"), read.headSize},
        {QStringLiteral("View/VM_Quillon_MF/Left"), read.left},
        {QStringLiteral("View/Active_tab"), read.activeTab},
        {QStringLiteral("View/Resource_visible"), read.resourceVisible},
        {QStringLiteral("View/HandPoint"), read.handPoint},
    };
    QCOMPARE(got.at(key), expected);
}

void TestViewSettings::writtenSettings_readBackTheSame()
{
    ViewSettings s;
    s.left = -4;
    s.top = 900;
    s.width = 1234;
    s.height = 777;
    s.maximized = false;
    s.headSize = 321;
    s.handPoint = false;
    s.resourceSize = 199;
    s.activeTab = 2;
    s.resourceVisible = false;
    s.librariesSize = 88;
    s.toolbars[2] = ToolbarPlace{false, QStringLiteral("ChwytakScript2"), 1, 2, 3, 4};
    QTemporaryDir dir;
    {
        QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        QVERIFY(saveViewSettings(store, s));
    }
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    QCOMPARE(loadViewSettings(store), s);
    // The button panel's setting is read, never written.
    QVERIFY(!store.contains(QStringLiteral("1.6/View/User_Library")));
    // Every value is kept as a string.
    QCOMPARE(store.value(QStringLiteral("1.6/View/HandPoint")).toString(), QStringLiteral("0"));
}

void TestViewSettings::arrangement_survivesARestart()
{
    QTemporaryDir dir;
    TestWindow::settingsFile = dir.filePath(QStringLiteral("view.ini"));
    {
        // First start: nothing stored.
        TestWindow t;
        t.window->showAtStart();
        QTRY_VERIFY(t.window->isMaximized());
        QCOMPARE(t.window->resourceTabs()->currentIndex(), 0);
        // Hide the resource tabs and the HTML toolbar, choose Functions,
        // leave maximised.
        t.trigger("MMNU_View_Full_Screen");
        t.trigger("MMNU_V_HTMLToolbar");
        t.window->resourceTabs()->setCurrentIndex(2);
        QVERIFY(t.window->close());
    }
    {
        TestWindow t;
        QVERIFY(t.window->resourceTabs()->isHidden());
        QVERIFY(!t.action("MMNU_View_Full_Screen")->isChecked());
        QVERIFY(t.window->findChild<DockableToolBar *>(QStringLiteral("HTMLToolbar"))->isHidden());
        QVERIFY(!t.action("MMNU_V_HTMLToolbar")->isChecked());
        QVERIFY(!t.action("POP_E_PasekHTML")->isChecked());
        QCOMPARE(t.window->resourceTabs()->currentIndex(), 2);
        // Hidden, the tabs kept their width for when they show again.
        QVERIFY(QSettings(TestWindow::settingsFile, QSettings::IniFormat).value(QStringLiteral("1.6/View/Resource_size")).toInt() > 100);
        t.window->showAtStart();
        QTRY_VERIFY(t.window->isMaximized());
        t.trigger("MMNU_View_Full_Screen");
        QVERIFY(t.window->close());
    }
    {
        // A tab number by hand that names no tab gives Libraries.
        QSettings store(TestWindow::settingsFile, QSettings::IniFormat);
        store.setValue(QStringLiteral("1.6/View/Active_tab"), QStringLiteral("5"));
    }
    {
        TestWindow t;
        QVERIFY(!t.window->resourceTabs()->isHidden());
        QCOMPARE(t.window->resourceTabs()->currentIndex(), 0);
    }
    TestWindow::settingsFile.clear();
}

void TestViewSettings::hiddenResourceTabs_keepTheirLastShownWidth()
{
    QTemporaryDir dir;
    TestWindow::settingsFile = dir.filePath(QStringLiteral("view.ini"));
    const auto storedWidth = [] {
        return QSettings(TestWindow::settingsFile, QSettings::IniFormat).value(QStringLiteral("1.6/View/Resource_size")).toInt();
    };
    const auto dragTo = [](TestWindow &t, int width) {
        auto *splitter = t.window->findChild<QSplitter *>(QStringLiteral("Splitter3"));
        QVERIFY(splitter);
        splitter->setSizes({width, splitter->width() - width});
        QTRY_COMPARE(t.window->resourceTabs()->width(), width);
    };
    {
        TestWindow t;
        dragTo(t, 497);
        QVERIFY(t.window->close());
    }
    QCOMPARE(storedWidth(), 497);
    {
        // Hidden in this run: the width they last had is kept.
        TestWindow t;
        QTRY_COMPARE(t.window->resourceTabs()->width(), 497);
        t.trigger("MMNU_View_Full_Screen");
        QVERIFY(t.window->resourceTabs()->isHidden());
        QVERIFY(t.window->close());
    }
    QCOMPARE(storedWidth(), 497);
    {
        // Started hidden, shown again: as wide as they were; hidden again
        // after a drag, that width is kept.
        TestWindow t;
        QVERIFY(t.window->resourceTabs()->isHidden());
        t.trigger("MMNU_View_Full_Screen");
        QTRY_COMPARE(t.window->resourceTabs()->width(), 497);
        dragTo(t, 420);
        t.trigger("MMNU_View_Full_Screen");
        t.trigger("MMNU_View_Full_Screen");
        QTRY_COMPARE(t.window->resourceTabs()->width(), 420);
        t.trigger("MMNU_View_Full_Screen");
        QVERIFY(t.window->close());
    }
    QCOMPARE(storedWidth(), 420);
    TestWindow::settingsFile.clear();
}

QUILLON_GUI_TEST_MAIN(TestViewSettings)
#include "tst_viewsettings.moc"
