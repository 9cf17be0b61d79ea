// Which hosts count as this machine or the local network for a previewed
// page, in every form a browser accepts them.

#include "preview/networkpolicy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestNetworkPolicy final : public QObject {
    Q_OBJECT
private slots:
    void isLocalNetworkHost_data();
    void isLocalNetworkHost();
    void previewChromiumFlags_keepTheUsersAndAddOurs_data();
    void previewChromiumFlags_keepTheUsersAndAddOurs();
    void isReadableUnder_onlyTheFolderAndBelow_data();
    void isReadableUnder_onlyTheFolderAndBelow();
};

void TestNetworkPolicy::isReadableUnder_onlyTheFolderAndBelow_data()
{
    QTest::addColumn<QString>("file");  // relative to a fresh folder holding site/
    QTest::addColumn<bool>("readable");
    QTest::newRow("in the folder") << QStringLiteral("site/data.txt") << true;
    QTest::newRow("below it") << QStringLiteral("site/css/site.css") << true;
    QTest::newRow("not there yet, below it") << QStringLiteral("site/img/none.png") << true;
    QTest::newRow("the folder itself") << QStringLiteral("site") << false;
    QTest::newRow("beside it") << QStringLiteral("secret.txt") << false;
    QTest::newRow("a look-alike name") << QStringLiteral("site2/data.txt") << false;
    QTest::newRow("up and out") << QStringLiteral("site/../secret.txt") << false;
    QTest::newRow("a link out of it") << QStringLiteral("site/out.txt") << false;
    QTest::newRow("a link to a folder out of it") << QStringLiteral("site/outside/secret.txt") << false;
}

void TestNetworkPolicy::isReadableUnder_onlyTheFolderAndBelow()
{
    QFETCH(QString, file);
    QFETCH(bool, readable);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("site/css")) && root.mkpath(QStringLiteral("site2")));
    for (const char *name : {"site/data.txt", "site/css/site.css", "secret.txt", "site2/data.txt"}) {
        QFile f(root.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root.filePath(QStringLiteral("secret.txt")), root.filePath(QStringLiteral("site/out.txt"))));
    QVERIFY(QFile::link(root.path(), root.filePath(QStringLiteral("site/outside"))));
    QCOMPARE(isReadableUnder(root.filePath(file), root.filePath(QStringLiteral("site"))), readable);
    QVERIFY(!isReadableUnder(root.filePath(file), QString()));
}

void TestNetworkPolicy::previewChromiumFlags_keepTheUsersAndAddOurs_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("result");
    const QString ours = QStringLiteral("--disable-blink-features=WebTransport --disable-quic");
    QTest::newRow("none") << QString() << ours;
    QTest::newRow("spaces") << QStringLiteral("  ") << ours;
    QTest::newRow("the user's") << QStringLiteral("--disable-gpu --lang=pl") << QStringLiteral("--disable-gpu --lang=pl ") + ours;
    QTest::newRow("features of the user's")
        << QStringLiteral("--disable-blink-features=Foo,Bar --disable-gpu")
        << QStringLiteral("--disable-blink-features=Foo,Bar,WebTransport --disable-gpu --disable-quic");
    QTest::newRow("two lists: the last counts")
        << QStringLiteral("--disable-blink-features=A --disable-blink-features=B")
        << QStringLiteral("--disable-blink-features=A --disable-blink-features=B,WebTransport --disable-quic");
    QTest::newRow("empty list") << QStringLiteral("--disable-blink-features=")
                                << QStringLiteral("--disable-blink-features=WebTransport --disable-quic");
    QTest::newRow("ours already") << QStringLiteral("--disable-quic --disable-blink-features=X,WebTransport")
                                  << QStringLiteral("--disable-quic --disable-blink-features=X,WebTransport");
    QTest::newRow("a longer switch is not ours")
        << QStringLiteral("--disable-quic-x --enable-blink-features=WebTransport")
        << QStringLiteral("--disable-quic-x --enable-blink-features=WebTransport ") + ours;
}

void TestNetworkPolicy::previewChromiumFlags_keepTheUsersAndAddOurs()
{
    QFETCH(QString, flags);
    QFETCH(QString, result);
    QCOMPARE(previewChromiumFlags(flags), result);
}

void TestNetworkPolicy::isLocalNetworkHost_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("local");

    const auto row = [](const char *name, const char *host, bool local) {
        QTest::newRow(name) << QString::fromUtf8(host) << local;
    };
    // IPv4, dotted, at the edges of each range.
    row("loopback", "127.0.0.1", true);
    row("loopback range end", "127.255.255.254", true);
    row("unspecified", "0.0.0.0", true);
    row("this network", "0.1.2.3", true);
    row("private 10", "10.20.30.40", true);
    row("private 172.16", "172.16.0.1", true);
    row("private 172.31", "172.31.255.255", true);
    row("public 172.32", "172.32.0.1", false);
    row("public 172.15", "172.15.255.255", false);
    row("private 192.168", "192.168.1.1", true);
    row("public 192.169", "192.169.0.1", false);
    row("link-local", "169.254.169.254", true);
    row("shared 100.64", "100.64.0.1", true);
    row("shared 100.127", "100.127.255.255", true);
    row("public 100.128", "100.128.0.1", false);
    row("public", "93.184.216.34", false);
    row("public 126", "126.255.255.255", false);
    row("public 128", "128.0.0.1", false);
    row("trailing dot", "127.0.0.1.", true);
    // IPv4 as inet_aton reads it.
    row("one decimal number", "2130706433", true);
    row("one hex number", "0x7f000001", true);
    row("one hex number, capitals", "0X7F000001", true);
    row("one octal number", "017700000001", true);
    row("two parts", "127.1", true);
    row("three parts", "10.1.65535", true);
    row("hex and octal parts", "0x7f.0.00.01", true);
    row("octal 10", "012.0.0.1", true);
    row("decimal 12 is public", "12.0.0.1", false);
    row("public as one number", "1572395042", false);
    row("hex prefix alone is 0", "0x.0.0.1", true);
    row("part too large is a name", "256.0.0.1", false);
    row("part past 32 bits does not wrap", "127.4294967297", false);
    row("bad octal digit is a name", "08.1.2.3", false);
    row("five parts is a name", "127.0.0.0.1", false);
    // IPv6.
    row("v6 loopback", "::1", true);
    row("v6 loopback in brackets", "[::1]", true);
    row("v6 loopback in full", "0:0:0:0:0:0:0:1", true);
    row("v6 unspecified", "[::]", true);
    row("v6 unique local fc", "fc00::1", true);
    row("v6 unique local fd", "[fdff:ffff::1]", true);
    row("v6 link-local", "fe80::1", true);
    row("v6 link-local upper end", "febf:ffff::1", true);
    row("v6 link-local with zone", "[fe80::1%eth0]", true);
    row("v6 link-local with URL zone", "fe80::1%25eth0", true);
    row("v6 public", "2001:db8::1", false);
    row("v6 public in brackets", "[2606:4700::1111]", false);
    row("v6 public fe00", "fe00::1", false);
    row("v6 mapped loopback", "[::ffff:7f00:1]", true);
    row("v6 mapped loopback dotted", "::ffff:127.0.0.1", true);
    row("v6 mapped private", "::ffff:c0a8:101", true);
    row("v6 mapped public", "::ffff:8.8.8.8", false);
    row("v6 compatible loopback", "::127.0.0.1", true);
    row("v6 compatible loopback hex", "[::7f00:1]", true);
    row("v6 capitals", "FE80::ABCD", true);
    row("v6 two gaps is no address", "fe80::1::2", false);
    row("v6 nine groups is no address", "fe80:0:0:0:0:0:0:0:1", false);
    row("v6 hex prefix is no address", "fe80::0x1", false);
    // Names.
    row("localhost", "localhost", true);
    row("localhost capitals", "LocalHost", true);
    row("localhost trailing dot", "localhost.", true);
    row("under localhost", "app.localhost", true);
    row("under localhost trailing dot", "a.b.localhost.", true);
    row("mdns name", "printer.local", true);
    row("localdomain", "localhost.localdomain", true);
    row("home network", "nas.home.arpa", true);
    row("single label", "router", true);
    row("hosts file name", "ip6-localhost", true);
    row("localhost as first label", "localhost.example.com", false);
    row("ends in localhost, dotted", "my-localhost.com", false);
    row("ends in local without dot", "vocal.example", false);
    row("public name", "cdn.example.com", false);
    row("public name trailing dot", "example.org.", false);
    row("empty", "", false);
}

void TestNetworkPolicy::isLocalNetworkHost()
{
    QFETCH(QString, host);
    QFETCH(bool, local);
    QCOMPARE(::isLocalNetworkHost(host), local);
}

QTEST_APPLESS_MAIN(TestNetworkPolicy)
#include "tst_networkpolicy.moc"
