// The addresses handed to a browser, the browsers found among the
// desktop's application entries, and how they are started.

#include "platform/webbrowsers.h"
#include "preview/browseraddress.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

/// Points the desktop's data folders at a folder of the test's own, with
/// the environment as it was put back afterwards.
class DataFolders final {
public:
    explicit DataFolders(const QString &root)
        : m_home(qgetenv("XDG_DATA_HOME")), m_dirs(qgetenv("XDG_DATA_DIRS"))
    {
        QDir(root).mkpath(QStringLiteral("share/applications"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root + QStringLiteral("/home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root + QStringLiteral("/share")));
    }
    ~DataFolders()
    {
        qputenv("XDG_DATA_HOME", m_home);
        qputenv("XDG_DATA_DIRS", m_dirs);
    }

private:
    QByteArray m_home;
    QByteArray m_dirs;
};

bool writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QByteArray browserEntry(const QByteArray &name, const QString &exec)
{
    return "[Desktop Entry]\nType=Application\nCategories=Network;WebBrowser;\nIcon=test-web\nName=" + name +
           "\nExec=" + exec.toUtf8() + "\n";
}

const BrowserTarget kTarget{QStringLiteral("file:///tmp/q%20one/prev.html"),
                            QStringLiteral("/tmp/q one/it's $HOME/prev.html")};

} // namespace

class TestBrowserAddress : public QObject {
    Q_OBJECT
private slots:
    void browserFileUrl_data();
    void browserFileUrl();
    void normalizeUrl_data();
    void normalizeUrl();
    void desktopEntries_data();
    void desktopEntries();
    void lookUp_findsEveryBrowserByName_andSaysWhatItLeftOut();
    void execLine_data();
    void execLine();
    void names_loseTheirDirectionControls();
    void offered_data();
    void offered();
    void errorText_data();
    void errorText();
    void launch_data();
    void launch();
    void launch_failingAtOnce_isToldWithItsErrorOutput();
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
    QTest::addColumn<QString>("whyNot");  // why a browser entry is left out
    const QByteArray head = "[Desktop Entry]\nType=Application\n";
    QTest::newRow("by category") << head + "Name=Web One\nName[de]=Netz Eins\nExec=webone %u\nCategories=Network;WebBrowser;\n"
                                 << QStringLiteral("Web One") << QStringLiteral("webone") << QString();
    QTest::newRow("by the http handler")
        << head + "Name=Two\nExec=\"/opt/two browser/two\" --new-window %U\nMimeType=text/html;x-scheme-handler/http;\n"
        << QStringLiteral("Two") << QStringLiteral("/opt/two browser/two") << QString();
    QTest::newRow("through env") << head + "Name=Three\nExec=env LANG=C three %u\nCategories=WebBrowser\n"
                                 << QStringLiteral("Three") << QStringLiteral("env") << QString();
    QTest::newRow("a name that would turn the menu around")
        << head + "Name=\xe2\x80\xae" "xoferiF\xe2\x80\xac Web\nExec=fx %u\nCategories=WebBrowser\n"
        << QStringLiteral("xoferiF Web") << QStringLiteral("fx") << QString();
    QTest::newRow("escapes in the name") << head + "Name=Web\\sFour\nExec=four\nCategories=WebBrowser\n"
                                         << QStringLiteral("Web Four") << QStringLiteral("four") << QString();
    QTest::newRow("an editor") << head + "Name=Editor\nExec=editor %f\nCategories=Development;\n" << QString()
                               << QString() << QString();
    QTest::newRow("hidden") << head + "Name=Gone\nExec=gone\nCategories=WebBrowser;\nNoDisplay=true\n" << QString()
                            << QString() << QString();
    QTest::newRow("the key in another group")
        << QByteArray("[Desktop Entry]\nType=Application\nName=Four\nExec=four\n[Desktop Action new]\nCategories=WebBrowser;\n")
        << QString() << QString() << QString();
    QTest::newRow("a link, not a program") << QByteArray("[Desktop Entry]\nType=Link\nName=L\nURL=x\nCategories=WebBrowser;\n")
                                           << QString() << QString() << QString();
    QTest::newRow("an Exec that cannot be used")
        << head + "Name=Broken\nExec=broken %u \"--x\nCategories=WebBrowser;\n" << QString() << QString()
        << QStringLiteral("its Exec line cannot be used: a double quote is not closed");
    QTest::newRow("a name of direction controls only")
        << head + "Name=\xe2\x80\x8f\xe2\x81\xa6\nExec=web\nCategories=WebBrowser;\n" << QString() << QString()
        << QStringLiteral("it has no Name");
    QTest::newRow("no Exec") << head + "Name=Web\nCategories=WebBrowser;\n" << QString() << QString()
                             << QStringLiteral("it has no Exec line");
}

void TestBrowserAddress::desktopEntries()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, name);
    QFETCH(QString, program);
    QFETCH(QString, whyNot);
    QString why;
    const std::optional<InstalledBrowser> browser = browserOfDesktopEntry(entry, &why);
    QCOMPARE(browser.has_value(), !name.isEmpty());
    QCOMPARE(why, whyNot);
    if (browser) {
        QCOMPARE(browser->name, name);
        QCOMPARE(browser->executable, program);
    }
}

void TestBrowserAddress::lookUp_findsEveryBrowserByName_andSaysWhatItLeftOut()
{
    const auto entry = [](const char *name, const char *exec) -> QByteArray {
        return QByteArray("[Desktop Entry]\nType=Application\nCategories=WebBrowser;\nName=") + name + "\nExec=" + exec +
               " %u\n";
    };
    const QList<std::pair<QString, QByteArray>> entries{
        {QStringLiteral("/a/zeta.desktop"), entry("Zeta", "zeta")},
        {QStringLiteral("/a/removed.desktop"), entry("Removed", "removed")},
        {QStringLiteral("/b/zeta.desktop"), entry("Zeta hidden by the first", "zeta2")},
        {QStringLiteral("/a/alpha.desktop"), entry("Alpha", "alpha")},
        {QStringLiteral("/a/alpha-again.desktop"), entry("Alpha again", "alpha")},
        {QStringLiteral("/a/mid.desktop"), entry("mid", "mid")},
        {QStringLiteral("/a/env-removed.desktop"), entry("Env", "env A=1 removed")},
        {QStringLiteral("/a/broken.desktop"), entry("Broken", "broken;")},
        {QStringLiteral("/a/flatpak-one.desktop"), entry("Flat one", "flatpak run org.one.Web")},
        {QStringLiteral("/a/flatpak-two.desktop"), entry("Flat two", "flatpak run org.two.Web")},
    };
    const BrowserLookup lookup = lookUpBrowsers(entries, [](const QString &program) {
        return program == QLatin1String("removed") ? QString() : QStringLiteral("/usr/bin/") + program;
    });
    QVERIFY(lookup.defaultBrowser);
    QStringList names;
    for (const InstalledBrowser &browser : lookup.browsers)
        names << browser.name;
    // Programs shared by several entries (flatpak) are no reason to drop one.
    QCOMPARE(names, (QStringList{"Alpha", "Flat one", "Flat two", "mid", "Zeta"}));
    const InstalledBrowser &alpha = lookup.browsers.first();
    QCOMPARE(alpha.executable, QStringLiteral("/usr/bin/alpha"));
    QCOMPARE(alpha.id, QStringLiteral("alpha.desktop"));
    QCOMPARE(alpha.desktopFile, QStringLiteral("/a/alpha.desktop"));
    QCOMPARE(alpha.exec, QStringLiteral("alpha %u"));
    const QList<SkippedBrowserEntry> skipped{
        {QStringLiteral("/a/removed.desktop"), QStringLiteral("its program removed is not installed")},
        {QStringLiteral("/a/alpha-again.desktop"), QStringLiteral("it starts the same command as an entry before")},
        {QStringLiteral("/a/env-removed.desktop"), QStringLiteral("its program removed is not installed")},
        {QStringLiteral("/a/broken.desktop"),
         QStringLiteral("its Exec line cannot be used: the character ; must be inside quotes")},
    };
    QCOMPARE(lookup.skipped, skipped);

    QVERIFY(!lookUpBrowsers({}, [](const QString &p) { return p; }).defaultBrowser);
}

void TestBrowserAddress::execLine_data()
{
    QTest::addColumn<QString>("exec");       // as the entry file has it
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");      // a part of the reason; empty: the line is fine
    const QString url = kTarget.url;
    const QString path = kTarget.path;
    QTest::newRow("options kept, %U") << QStringLiteral("/path/browser --new-window %U")
                                      << QStringList{"/path/browser", "--new-window", url} << QString();
    QTest::newRow("env and its settings") << QStringLiteral("env FOO=1 prog %u")
                                          << QStringList{"env", "FOO=1", "prog", url} << QString();
    QTest::newRow("flatpak") << QStringLiteral("/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=x "
                                               "--file-forwarding org.x.Y @@u %u @@")
                             << QStringList{"/usr/bin/flatpak", "run", "--branch=stable", "--arch=x86_64", "--command=x",
                                            "--file-forwarding", "org.x.Y", "@@u", url, "@@"}
                             << QString();
    QTest::newRow("no file code: the address at the end") << QStringLiteral("prog --private")
                                                          << QStringList{"prog", "--private", url} << QString();
    QTest::newRow("%f and %F: the path, one word") << QStringLiteral("prog %f -- %F")
                                                    << QStringList{"prog", path, "--", path} << QString();
    QTest::newRow("a code inside a word") << QStringLiteral("prog --url=%u") << QStringList{"prog", "--url=" + url}
                                          << QString();
    QTest::newRow("quotes and their escapes")
        << QStringLiteral(R"("/opt/my browser/run" "say \"hi\" \$5 \`x\` \\\\" "a;b"c %u)")
        << QStringList{"/opt/my browser/run", R"(say "hi" $5 `x` \)", "a;bc", url} << QString();
    QTest::newRow("the escapes of string values") << QStringLiteral(R"(prog\s--a\t--b %u)")
                                                  << QStringList{"prog", "--a", "--b", url} << QString();
    QTest::newRow("%%") << QStringLiteral(R"(prog --zoom=50%% "100%%" %u)")
                        << QStringList{"prog", "--zoom=50%", "100%", url} << QString();
    QTest::newRow("%i %c %k") << QStringLiteral("prog %i --class %c --entry=%k %u")
                              << QStringList{"prog", "--icon", "web-icon", "--class", "Web", "--entry=/apps/web.desktop", url}
                              << QString();
    QTest::newRow("deprecated codes dropped") << QStringLiteral("prog %d %D %n %N %v %m --x%m %u")
                                              << QStringList{"prog", "--x", url} << QString();
    QTest::newRow("an empty quoted word stays") << QStringLiteral(R"(prog "" %u)") << QStringList{"prog", "", url}
                                                << QString();
    QTest::newRow("unterminated quote") << QStringLiteral(R"(prog %u "--x)") << QStringList{}
                                        << QStringLiteral("a double quote is not closed");
    QTest::newRow("a backslash ending a quote") << QStringLiteral(R"(prog "abc\)") << QStringList{}
                                                << QStringLiteral("a double quote is not closed");
    QTest::newRow("$ unquoted") << QStringLiteral("prog $HOME %u") << QStringList{}
                                << QStringLiteral("the character $ must be inside quotes");
    QTest::newRow("a pipe unquoted") << QStringLiteral("prog %u | tee") << QStringList{}
                                     << QStringLiteral("the character | must be inside quotes");
    QTest::newRow("single quotes") << QStringLiteral("sh -c 'prog %u'") << QStringList{}
                                   << QStringLiteral("the character ' must be inside quotes");
    QTest::newRow("a field code inside quotes") << QStringLiteral(R"(prog "%u")") << QStringList{}
                                                << QStringLiteral("the field code %u stands inside quotes");
    QTest::newRow("a lone % at the end") << QStringLiteral("prog --x %") << QStringList{}
                                         << QStringLiteral("the line ends in a lone %");
    QTest::newRow("an unknown code") << QStringLiteral("prog %z") << QStringList{}
                                     << QStringLiteral("%z is no field code");
    QTest::newRow("another escape in quotes") << QStringLiteral(R"(prog "a\qb")") << QStringList{}
                                              << QStringLiteral("inside quotes a backslash may only stand");
    QTest::newRow("%i inside a word") << QStringLiteral("prog --x%i") << QStringList{}
                                      << QStringLiteral("%i must be a word of its own");
    QTest::newRow("nothing") << QStringLiteral(" \\t ") << QStringList{} << QStringLiteral("there is no command");
}

void TestBrowserAddress::execLine()
{
    QFETCH(QString, exec);
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ExecCommand command = commandOfExecLine(
        exec, {kTarget.url, kTarget.path, QStringLiteral("Web"), QStringLiteral("web-icon"), QStringLiteral("/apps/web.desktop")});
    QVERIFY2(error.isEmpty() ? command.ok() : command.error.startsWith(error), qPrintable(command.error));
    QCOMPARE(command.arguments, arguments);
    // Without an icon, %i gives nothing at all.
    if (exec.contains(QLatin1String("%i")) && command.ok())
        QVERIFY(!commandOfExecLine(exec, {kTarget.url}).arguments.contains(QStringLiteral("--icon")));
}

void TestBrowserAddress::names_loseTheirDirectionControls()
{
    QString controls;
    for (const char16_t c : {0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069, 0x200E, 0x200F, 0x061C})
        controls += QChar(c) + QStringLiteral("x");
    QCOMPARE(withoutDirectionControls(controls), QStringLiteral("xxxxxxxxxxxx"));
    // Letters of right-to-left scripts and other format characters stay.
    const QString hebrew = QStringLiteral("\u05D3\u05E4\u05D3\u05E4\u05DF \u200D\u200B");
    QCOMPARE(withoutDirectionControls(hebrew), hebrew);
}

void TestBrowserAddress::offered_data()
{
    QTest::addColumn<QStringList>("installed");  // ids, by name
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("offered");
    const QStringList three{"a", "b", "c"};
    QTest::newRow("nothing chosen: the first two by name") << three << QStringList{} << QStringList{"a", "b"};
    QTest::newRow("two chosen, in their order") << three << QStringList{"c", "a"} << QStringList{"c", "a"};
    QTest::newRow("one chosen, the other by name") << three << QStringList{"c"} << QStringList{"c", "a"};
    QTest::newRow("a chosen one since removed") << three << QStringList{"gone", "b"} << QStringList{"b", "a"};
    QTest::newRow("the same twice") << three << QStringList{"b", "b"} << QStringList{"b", "a"};
    QTest::newRow("only one installed") << QStringList{"b"} << QStringList{"c", "a"} << QStringList{"b"};
}

void TestBrowserAddress::offered()
{
    QFETCH(QStringList, installed);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, offered);
    QList<InstalledBrowser> browsers;
    for (const QString &id : installed)
        browsers.append({id.toUpper(), QStringLiteral("/usr/bin/") + id, id, {}, {}, id});
    QStringList ids;
    for (const InstalledBrowser &browser : offeredBrowsers(browsers, chosen))
        ids << browser.id;
    QCOMPARE(ids, offered);
}

void TestBrowserAddress::errorText_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("text");
    QTest::newRow("trimmed") << QByteArray("\n  Error: no display\n\n") << QStringLiteral("Error: no display");
    QTest::newRow("colours and overrides out") << QByteArray("\x1b[31mfailed\x1b[0m \xe2\x80\xae!")
                                               << QStringLiteral("[31mfailed[0m !");
    QByteArray chatter;
    for (int line = 0; line < 200; ++line)
        chatter += "line " + QByteArray::number(line) + " of a long complaint\n";
    QTest::newRow("long: the end, from a line's start")
        << chatter + "the last word" << QStringLiteral("...\nline 166 of a long complaint\n");
}

void TestBrowserAddress::errorText()
{
    QFETCH(QByteArray, output);
    QFETCH(QString, text);
    const QString shown = browserErrorText(output);
    if (output.size() > 2000) {
        QVERIFY(shown.size() <= 1004);
        QVERIFY2(shown.startsWith(text) && shown.endsWith(QLatin1String("the last word")), qPrintable(shown));
    } else {
        QCOMPARE(shown, text);
    }
}

void TestBrowserAddress::launch_data()
{
    QTest::addColumn<QString>("exec");  // @ stands for the recording program
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("options kept, %U") << QStringLiteral("@ --new-window %U")
                                      << QStringList{"--new-window", kTarget.url};
    QTest::newRow("through env") << QStringLiteral("env QUILLON_TEST_VALUE=set-by-entry @ %u")
                                 << QStringList{kTarget.url, "QUILLON_TEST_VALUE=set-by-entry"};
    QTest::newRow("%f: the path as one word, no shell") << QStringLiteral("@ --file %f \"a b\" --end")
                                                        << QStringList{"--file", kTarget.path, "a b", "--end"};
    QTest::newRow("no file code") << QStringLiteral("@ %i --class=%c") << QStringList{"--icon", "test-web", "--class=Rec", kTarget.url};
}

void TestBrowserAddress::launch()
{
    QFETCH(QString, exec);
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const DataFolders folders(dir.path());
    // The browser: a script that writes its arguments one a line (and the
    // variable env may set), in a folder whose name holds a space.
    const QString programFolder = dir.filePath(QStringLiteral("my browser"));
    QVERIFY(QDir().mkpath(programFolder));
    const QString program = programFolder + QStringLiteral("/record");
    const QString record = dir.filePath(QStringLiteral("arguments"));
    QVERIFY(writeFile(program,
                      "#!/bin/sh\n"
                      "for word in \"$@\"; do printf '%s\\n' \"$word\"; done > \"$0.part\"\n"
                      "if [ -n \"$QUILLON_TEST_VALUE\" ]; then echo \"QUILLON_TEST_VALUE=$QUILLON_TEST_VALUE\" >> \"$0.part\"; fi\n"
                      "mv \"$0.part\" '" + QFile::encodeName(record) + "'\n",
                      true));
    exec.replace(u'@', u'"' + program + u'"');
    QVERIFY(writeFile(dir.filePath(QStringLiteral("share/applications/rec.desktop")), browserEntry("Rec", exec)));

    DesktopBrowsers desktop;
    const BrowserLookup lookup = desktop.findBrowsers();
    QCOMPARE(lookup.browsers.size(), 1);
    std::optional<BrowserStart> start;
    QVERIFY(desktop.launch(lookup.browsers.first(), kTarget, [&start](const BrowserStart &s) { start = s; }));
    QTRY_VERIFY(start.has_value());
    QVERIFY(!start->failed);
    QFile written(record);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(written.readAll()).split(u'\n', Qt::SkipEmptyParts), arguments);
}

void TestBrowserAddress::launch_failingAtOnce_isToldWithItsErrorOutput()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const DataFolders folders(dir.path());
    const QString applications = dir.filePath(QStringLiteral("share/applications/"));
    const QString failing = dir.filePath(QStringLiteral("failing"));
    QVERIFY(writeFile(failing, "#!/bin/sh\necho 'starting'\necho '  Error: cannot open display  ' >&2\nexit 3\n", true));
    const QString late = dir.filePath(QStringLiteral("late"));
    QVERIFY(writeFile(late, "#!/bin/sh\nsleep 1\nexit 1\n", true));
    QVERIFY(writeFile(applications + QStringLiteral("failing.desktop"), browserEntry("Failing", failing + " %u")));
    QVERIFY(writeFile(applications + QStringLiteral("late.desktop"), browserEntry("Late", late + " %u")));
    QVERIFY(writeFile(applications + QStringLiteral("broken.desktop"), browserEntry("Broken", late + " %u \"--x")));

    // The entries left out are listed in the start-up log.
    QLoggingCategory::setFilterRules(QStringLiteral("quillon.startup.info=true"));
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral(
                                        "browser entry .*/broken\\.desktop left out: its Exec line cannot be used: "
                                        "a double quote is not closed")));
    DesktopBrowsers desktop(500);
    const BrowserLookup lookup = desktop.findBrowsers();
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(lookup.browsers.size(), 2);

    // One that fails at once is told, with what it said on its standard
    // error; one that fails only after the first moments is not.
    for (const InstalledBrowser &browser : lookup.browsers) {
        std::optional<BrowserStart> start;
        QVERIFY(desktop.launch(browser, kTarget, [&start](const BrowserStart &s) { start = s; }));
        QTRY_VERIFY(start.has_value());
        const bool failsAtOnce = browser.name == QLatin1String("Failing");
        QCOMPARE(start->failed, failsAtOnce);
        QCOMPARE(start->errorOutput, failsAtOnce ? QStringLiteral("Error: cannot open display") : QString());
    }

    // A program that cannot be started at all is said at once.
    InstalledBrowser gone = lookup.browsers.first();
    gone.executable = dir.filePath(QStringLiteral("gone"));
    QVERIFY(!desktop.launch(gone, kTarget, [](const BrowserStart &) { QFAIL("a start that did not happen is watched"); }));
}

QTEST_GUILESS_MAIN(TestBrowserAddress)
#include "tst_browseraddress.moc"
