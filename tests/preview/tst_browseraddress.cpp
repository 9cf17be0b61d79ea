// The addresses handed to a browser, and the browsers found among the
// desktop's application entries.

#include "platform/webbrowsers.h"
#include "preview/browseraddress.h"

#include <QTest>

class TestBrowserAddress : public QObject {
    Q_OBJECT
private slots:
    void browserFileUrl_data();
    void browserFileUrl();
    void normalizeUrl_data();
    void normalizeUrl();
    void desktopEntries_data();
    void desktopEntries();
    void lookUp_keepsTwoFoundBrowsersByName();
};

void TestBrowserAddress::browserFileUrl_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("url");
    QTest::newRow("C:\\TEMP") << QStringLiteral("C:\\TEMP\\prev.html") << QStringLiteral("file:///C|\\TEMP\\prev.html");
    QTest::newRow("a D: folder") << QStringLiteral("D:\\Work\\Tmp\\prev.html")
                                 << QStringLiteral("file:///D|\\Work\\Tmp\\prev.html");
    QTest::newRow("no drive letter") << QStringLiteral("/tmp/quillon-0/prev.html")
                                     << QStringLiteral("file:///tmp/quillon-0/prev.html");
    QTest::newRow("a space in the path") << QStringLiteral("/tmp/my dir/prev.html")
                                         << QStringLiteral("file:///tmp/my%20dir/prev.html");
}

void TestBrowserAddress::browserFileUrl()
{
    QFETCH(QString, path);
    QFETCH(QString, url);
    QCOMPARE(BrowserFileUrl(path), url);
    // The browser is handed the address unchanged.
    QCOMPARE(NormalizeUrl(BrowserFileUrl(path)), url);
}

void TestBrowserAddress::normalizeUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("complete") << QStringLiteral("http://example.com/a/b.html")
                              << QStringLiteral("http://example.com/a/b.html");
    QTest::newRow("host without a slash") << QStringLiteral("http://example.com")
                                          << QStringLiteral("http://example.com/");
    QTest::newRow("scheme lower-cased") << QStringLiteral("HTTP://example.com/X")
                                        << QStringLiteral("http://example.com/X");
    QTest::newRow("no scheme, no host") << QStringLiteral("example.com/page")
                                        << QStringLiteral("http:///example.com/page");
    QTest::newRow("file address") << QStringLiteral("file:///tmp/prev.html")
                                  << QStringLiteral("file:///tmp/prev.html");
}

void TestBrowserAddress::normalizeUrl()
{
    QFETCH(QString, address);
    QFETCH(QString, normalized);
    QCOMPARE(NormalizeUrl(address), normalized);
}

void TestBrowserAddress::desktopEntries_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("name");  // empty: no browser
    QTest::addColumn<QString>("program");
    const QByteArray head = "[Desktop Entry]\nType=Application\n";
    QTest::newRow("by category") << head + "Name=Web One\nName[de]=Netz Eins\nExec=webone %u\nCategories=Network;WebBrowser;\n"
                                 << QStringLiteral("Web One") << QStringLiteral("webone");
    QTest::newRow("by the http handler")
        << head + "Name=Two\nExec=\"/opt/two browser/two\" --new-window %U\nMimeType=text/html;x-scheme-handler/http;\n"
        << QStringLiteral("Two") << QStringLiteral("/opt/two browser/two");
    QTest::newRow("through env") << head + "Name=Three\nExec=env LANG=C three %u\nCategories=WebBrowser\n"
                                 << QStringLiteral("Three") << QStringLiteral("three");
    QTest::newRow("an editor") << head + "Name=Editor\nExec=editor %f\nCategories=Development;\n" << QString()
                               << QString();
    QTest::newRow("hidden") << head + "Name=Gone\nExec=gone\nCategories=WebBrowser;\nNoDisplay=true\n" << QString()
                            << QString();
    QTest::newRow("the key in another group")
        << QByteArray("[Desktop Entry]\nType=Application\nName=Four\nExec=four\n[Desktop Action new]\nCategories=WebBrowser;\n")
        << QString() << QString();
    QTest::newRow("a link, not a program") << QByteArray("[Desktop Entry]\nType=Link\nName=L\nURL=x\nCategories=WebBrowser;\n")
                                           << QString() << QString();
}

void TestBrowserAddress::desktopEntries()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, name);
    QFETCH(QString, program);
    const std::optional<InstalledBrowser> browser = browserOfDesktopEntry(entry);
    QCOMPARE(browser.has_value(), !name.isEmpty());
    if (browser) {
        QCOMPARE(browser->name, name);
        QCOMPARE(browser->executable, program);
    }
}

void TestBrowserAddress::lookUp_keepsTwoFoundBrowsersByName()
{
    const auto entry = [](const char *name, const char *exec) -> QByteArray {
        return QByteArray("[Desktop Entry]\nType=Application\nCategories=WebBrowser;\nName=") + name + "\nExec=" + exec +
               " %u\n";
    };
    const QList<std::pair<QString, QByteArray>> entries{
        {QStringLiteral("zeta.desktop"), entry("Zeta", "zeta")},
        {QStringLiteral("removed.desktop"), entry("Removed", "removed")},
        {QStringLiteral("zeta.desktop"), entry("Zeta hidden by the first", "zeta2")},
        {QStringLiteral("alpha.desktop"), entry("Alpha", "alpha")},
        {QStringLiteral("alpha-again.desktop"), entry("Alpha again", "alpha")},
        {QStringLiteral("mid.desktop"), entry("Mid", "mid")},
    };
    const BrowserLookup lookup = lookUpBrowsers(entries, [](const QString &program) {
        return program == QLatin1String("removed") ? QString() : QStringLiteral("/usr/bin/") + program;
    });
    QVERIFY(lookup.defaultBrowser);
    QCOMPARE(lookup.browsers.size(), 2);
    QCOMPARE(lookup.browsers[0], (InstalledBrowser{QStringLiteral("Alpha"), QStringLiteral("/usr/bin/alpha")}));
    QCOMPARE(lookup.browsers[1], (InstalledBrowser{QStringLiteral("Mid"), QStringLiteral("/usr/bin/mid")}));

    QVERIFY(!lookUpBrowsers({}, [](const QString &p) { return p; }).defaultBrowser);
}

QTEST_GUILESS_MAIN(TestBrowserAddress)
#include "tst_browseraddress.moc"
