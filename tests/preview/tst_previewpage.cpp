// The preview page's text, and the private folder its one file lives in.

#include "preview/previewpage.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// The general error handler shows what a std::exception says.

namespace {


mode_t modeOf(const QString &path)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode;
}

bool makeFolder(const QString &path, mode_t mode)
{
    const QByteArray bytes = QFile::encodeName(path);
    return ::mkdir(bytes.constData(), 0700) == 0 && ::chmod(bytes.constData(), mode) == 0;
}

QString usualFolderIn(const QString &root)
{
    return root + QStringLiteral("/quillon-%1").arg(::geteuid());
}

} // namespace

class TestPreviewPage final : public QObject {
    Q_OBJECT
private slots:
    // The page text.
    void composePreviewPage_emptyScript_isTheTagsAlone();
    void composePreviewPage_fragmentsWithoutLineBreaks_joinedWithNothingBetween();
    void composePreviewPage_lineBreaksAndSpaces_keptAsTheyAre();
    void composePreviewPage_withThePagesFolder_basesItsAddressesThere_data();
    void composePreviewPage_withThePagesFolder_basesItsAddressesThere();

    // The bytes of the file.
    void writePreviewPage_emptyScript_writesTheTagsAlone();
    void writePreviewPage_polishLetters_writtenAsUtf8WithoutBom();
    void writePreviewPage_mixedLineBreaks_writtenUnchanged();
    void writePreviewPage_twice_samePathRewritten();
    void writePreviewPage_shorterSecondPage_leavesNothingOfTheFirst();

    // The private folder.
    void writePreviewPage_freshRoot_makesOwnerOnlyFolder();
    void writePreviewPage_folderFromEarlierRun_isReused();
    void writePreviewPage_folderOpenToOthers_refusedAndFallbackUsed();
    void fallbackFolder_goesWithTheRun_usualFolderStays();
    void writePreviewPage_folderIsSymlink_refusedAndTargetUntouched();
    void writePreviewPage_regularFileInPlace_refusedAndFileUntouched();
    void writePreviewPage_folderOfAnotherUser_refusedAndFallbackUsed();
    void writePreviewPage_folderReplacedDuringRun_movesToFallbackForTheRest();
    void isPrivateFolder_variousEntries_onlyOwnerOnlyRealFolderPasses();

    // Failures.
    void writePreviewPage_noFolderCanBeMade_saysCannotCreate();
    void writePreviewPage_fileCannotBeWritten_saysPathAndReason();
};

void TestPreviewPage::composePreviewPage_emptyScript_isTheTagsAlone()
{
    QCOMPARE(composePreviewPage(QString(), QString()), QStringLiteral("<HTML><HEAD></HEAD><BODY></BODY></HTML>"));
}

void TestPreviewPage::composePreviewPage_fragmentsWithoutLineBreaks_joinedWithNothingBetween()
{
    QCOMPARE(composePreviewPage(QStringLiteral("<SCRIPT>var a=1;</SCRIPT>"), QStringLiteral("<B>x</B>")),
             QStringLiteral("<HTML><HEAD><SCRIPT>var a=1;</SCRIPT></HEAD><BODY><B>x</B></BODY></HTML>"));
}

void TestPreviewPage::composePreviewPage_lineBreaksAndSpaces_keptAsTheyAre()
{
    QCOMPARE(composePreviewPage(QStringLiteral(" h\r\n"), QStringLiteral("\nb ")),
             QStringLiteral("<HTML><HEAD> h\r\n</HEAD><BODY>\nb </BODY></HTML>"));
}

// The base address stands on the page's first line, before HEAD, so that
// the console's lines stay the fragments'; no folder name can end the
// attribute or start an entity.
void TestPreviewPage::composePreviewPage_withThePagesFolder_basesItsAddressesThere_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("base");
    QTest::newRow("plain") << QStringLiteral("/home/ann/site") << QStringLiteral("file:///home/ann/site/");
    QTest::newRow("trailing slash") << QStringLiteral("/srv/www/") << QStringLiteral("file:///srv/www/");
    QTest::newRow("space, quote, ampersand, letters")
        << QStringLiteral("/tmp/my \"R&D\" \u017c") << QStringLiteral("file:///tmp/my%20%22R&amp;D%22%20%C5%BC/");
    QTest::newRow("a tag in the name") << QStringLiteral("/tmp/<b>") << QStringLiteral("file:///tmp/%3Cb%3E/");
}

void TestPreviewPage::composePreviewPage_withThePagesFolder_basesItsAddressesThere()
{
    QFETCH(QString, folder);
    QFETCH(QString, base);
    QCOMPARE(composePreviewPage(QStringLiteral("h\r\n"), QStringLiteral("b"), folder),
             QStringLiteral("<HTML><HEAD><BASE HREF=\"") + base +
                 QStringLiteral("\">h\r\n</HEAD><BODY>b</BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_emptyScript_writesTheTagsAlone()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QString()).path;
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("prev.html"));
    QCOMPARE(readAll(path), QByteArray("<HTML><HEAD></HEAD><BODY></BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_polishLetters_writtenAsUtf8WithoutBom()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    const QString head = QStringLiteral("<TITLE>Zażółć gęślą jaźń</TITLE>");
    const QString path = file.WritePreviewPage(head, QStringLiteral("ŁÓDŹ")).path;
    const QByteArray bytes = readAll(path);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes, QByteArray("<HTML><HEAD><TITLE>Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 "
                               "ja\xC5\xBA\xC5\x84</TITLE></HEAD><BODY>\xC5\x81\xC3\x93"
                               "D\xC5\xB9</BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_mixedLineBreaks_writtenUnchanged()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QStringLiteral("a\r\nb\nc"), QStringLiteral("d\re\n")).path;
    QCOMPARE(readAll(path), QByteArray("<HTML><HEAD>a\r\nb\nc</HEAD><BODY>d\re\n</BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_twice_samePathRewritten()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    const QString first = file.WritePreviewPage(QStringLiteral("one"), QString()).path;
    const QString second = file.WritePreviewPage(QStringLiteral("two"), QString()).path;
    QCOMPARE(second, first);
    QCOMPARE(readAll(second), QByteArray("<HTML><HEAD>two</HEAD><BODY></BODY></HTML>"));
    // One file serves every preview: nothing else is left in the folder.
    QCOMPARE(QDir(QFileInfo(first).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("prev.html")});
    // A second PreviewFile on the same root (the next run) uses the same file.
    PreviewFile nextRun(root.path());
    QCOMPARE(nextRun.WritePreviewPage(QString(), QString()).path, first);
}

void TestPreviewPage::writePreviewPage_shorterSecondPage_leavesNothingOfTheFirst()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    QVERIFY(file.WritePreviewPage(QString(5000, u'x'), QString(5000, u'y')).ok());
    const QString path = file.WritePreviewPage(QString(), QStringLiteral("z")).path;
    QCOMPARE(readAll(path), QByteArray("<HTML><HEAD></HEAD><BODY>z</BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_freshRoot_makesOwnerOnlyFolder()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QString()).path;
    const QString folder = usualFolderIn(root.path());
    QCOMPARE(path, folder + QStringLiteral("/prev.html"));
    const mode_t mode = modeOf(folder);
    QVERIFY(S_ISDIR(mode));
    QCOMPARE(mode & 0777, mode_t(0700));
    QCOMPARE(file.folder(), folder);
}

void TestPreviewPage::writePreviewPage_folderFromEarlierRun_isReused()
{
    QTemporaryDir root;
    const QString folder = usualFolderIn(root.path());
    QVERIFY(makeFolder(folder, 0700));
    QFile old(folder + QStringLiteral("/prev.html"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();
    PreviewFile file(root.path());
    QCOMPARE(file.WritePreviewPage(QStringLiteral("h"), QStringLiteral("b")).path,
             folder + QStringLiteral("/prev.html"));
    QCOMPARE(readAll(folder + QStringLiteral("/prev.html")), QByteArray("<HTML><HEAD>h</HEAD><BODY>b</BODY></HTML>"));
}

void TestPreviewPage::writePreviewPage_folderOpenToOthers_refusedAndFallbackUsed()
{
    for (const mode_t mode : {mode_t(0755), mode_t(0770), mode_t(0701), mode_t(0777)}) {
        QTemporaryDir root;
        const QString usual = usualFolderIn(root.path());
        QVERIFY(makeFolder(usual, mode));
        PreviewFile file(root.path());
        const QString path = file.WritePreviewPage(QStringLiteral("h"), QString()).path;
        const QString used = QFileInfo(path).path();
        QVERIFY2(used != usual, qPrintable(QString::number(mode, 8)));
        QVERIFY(used.startsWith(usual + u'-'));
        QCOMPARE(modeOf(used) & 0777, mode_t(0700));
        QVERIFY(!QFileInfo::exists(usual + QStringLiteral("/prev.html")));
        QCOMPARE(modeOf(usual) & 0777, mode);  // left as it was
        QCOMPARE(readAll(path), QByteArray("<HTML><HEAD>h</HEAD><BODY></BODY></HTML>"));
    }
}

void TestPreviewPage::fallbackFolder_goesWithTheRun_usualFolderStays()
{
    QTemporaryDir root;
    const QString usual = usualFolderIn(root.path());
    QVERIFY(makeFolder(usual, 0755));
    QString fallback;
    {
        PreviewFile file(root.path());
        fallback = QFileInfo(file.WritePreviewPage(QStringLiteral("h"), QString()).path).path();
        QVERIFY(QFileInfo::exists(fallback + QStringLiteral("/prev.html")));
    }
    QVERIFY(!QFileInfo::exists(fallback));
    QVERIFY(QFileInfo(usual).isDir());

    QTemporaryDir other;
    QString kept;
    {
        PreviewFile file(other.path());
        kept = file.WritePreviewPage(QStringLiteral("h"), QString()).path;
    }
    QVERIFY(QFileInfo::exists(kept));
}

void TestPreviewPage::writePreviewPage_folderIsSymlink_refusedAndTargetUntouched()
{
    QTemporaryDir root;
    QTemporaryDir elsewhere;
    QVERIFY(::chmod(QFile::encodeName(elsewhere.path()).constData(), 0700) == 0);
    const QString usual = usualFolderIn(root.path());
    QVERIFY(QFile::link(elsewhere.path(), usual));
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QString()).path;
    QVERIFY(!path.startsWith(usual + u'/'));
    QVERIFY(!path.startsWith(elsewhere.path()));
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
    QVERIFY(QFileInfo(usual).isSymLink());
}

void TestPreviewPage::writePreviewPage_regularFileInPlace_refusedAndFileUntouched()
{
    QTemporaryDir root;
    const QString usual = usualFolderIn(root.path());
    QFile planted(usual);
    QVERIFY(planted.open(QIODevice::WriteOnly));
    planted.write("planted");
    planted.close();
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QStringLiteral("b")).path;
    QVERIFY(QFileInfo(path).path().startsWith(usual + u'-'));
    QCOMPARE(readAll(path), QByteArray("<HTML><HEAD></HEAD><BODY>b</BODY></HTML>"));
    QCOMPARE(readAll(usual), QByteArray("planted"));
}

void TestPreviewPage::writePreviewPage_folderOfAnotherUser_refusedAndFallbackUsed()
{
    if (::geteuid() != 0)
        QSKIP("Handing a folder to another user needs root.");
    QTemporaryDir root;
    const QString usual = usualFolderIn(root.path());
    QVERIFY(makeFolder(usual, 0700));
    QVERIFY(::chown(QFile::encodeName(usual).constData(), 65534, 65534) == 0);
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QString()).path;
    QVERIFY(QFileInfo(path).path().startsWith(usual + u'-'));
    QVERIFY(!QFileInfo::exists(usual + QStringLiteral("/prev.html")));
}

void TestPreviewPage::writePreviewPage_folderReplacedDuringRun_movesToFallbackForTheRest()
{
    QTemporaryDir root;
    QTemporaryDir elsewhere;
    PreviewFile file(root.path());
    const QString usual = usualFolderIn(root.path());
    QCOMPARE(file.WritePreviewPage(QString(), QString()).path, usual + QStringLiteral("/prev.html"));

    // Someone swaps the folder for a link between two previews.
    QVERIFY(QDir(usual).removeRecursively());
    QVERIFY(QFile::link(elsewhere.path(), usual));
    const QString second = file.WritePreviewPage(QStringLiteral("2"), QString()).path;
    QVERIFY(QFileInfo(second).path().startsWith(usual + u'-'));
    QVERIFY(QDir(elsewhere.path()).isEmpty());

    // The fallback then serves the rest of the run, even once the usual
    // folder is sound again.
    QVERIFY(QFile::remove(usual));
    QVERIFY(makeFolder(usual, 0700));
    QCOMPARE(file.WritePreviewPage(QStringLiteral("3"), QString()).path, second);
    QCOMPARE(readAll(second), QByteArray("<HTML><HEAD>3</HEAD><BODY></BODY></HTML>"));

    // When the fallback goes bad as well, another fresh one takes over; the
    // usual folder is not trusted again during this run.
    QVERIFY(::chmod(QFile::encodeName(QFileInfo(second).path()).constData(), 0755) == 0);
    const QString third = file.WritePreviewPage(QStringLiteral("4"), QString()).path;
    QVERIFY(QFileInfo(third).path().startsWith(usual + u'-'));
    QVERIFY(third != second);
    QVERIFY(!QFileInfo::exists(usual + QStringLiteral("/prev.html")));
}

void TestPreviewPage::isPrivateFolder_variousEntries_onlyOwnerOnlyRealFolderPasses()
{
    QTemporaryDir root;
    const QString good = root.filePath(QStringLiteral("good"));
    const QString open = root.filePath(QStringLiteral("open"));
    const QString link = root.filePath(QStringLiteral("link"));
    const QString plain = root.filePath(QStringLiteral("plain"));
    QVERIFY(makeFolder(good, 0700));
    QVERIFY(makeFolder(open, 0750));
    QVERIFY(QFile::link(good, link));
    QFile f(plain);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(::chmod(QFile::encodeName(plain).constData(), 0700) == 0);

    QVERIFY(PreviewFile::isPrivateFolder(good));
    QVERIFY(!PreviewFile::isPrivateFolder(open));
    QVERIFY(!PreviewFile::isPrivateFolder(link));
    QVERIFY(!PreviewFile::isPrivateFolder(plain));
    QVERIFY(!PreviewFile::isPrivateFolder(root.filePath(QStringLiteral("missing"))));
}

void TestPreviewPage::writePreviewPage_noFolderCanBeMade_saysCannotCreate()
{
    QTemporaryDir root;
    const QString missingRoot = root.filePath(QStringLiteral("no/such/folder"));
    PreviewFile file(missingRoot);
    const PreviewWrite page = file.WritePreviewPage(QString(), QString());
    QVERIFY(!page.ok());
    QVERIFY(page.path.isEmpty());
    const QString &message = page.error;
    QVERIFY2(message.startsWith(QStringLiteral("Cannot create file ") + usualFolderIn(missingRoot) +
                                QStringLiteral("/prev.html")),
             qPrintable(message));
    QVERIFY(message.contains(u'\n'));  // the reason follows
    QVERIFY(file.folder().isEmpty());
}

void TestPreviewPage::writePreviewPage_fileCannotBeWritten_saysPathAndReason()
{
    QTemporaryDir root;
    PreviewFile file(root.path());
    const QString path = file.WritePreviewPage(QString(), QString()).path;
    // A folder where the file should be: the page cannot replace it.
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(QDir().mkdir(path + QStringLiteral("/inside")));
    const PreviewWrite page = file.WritePreviewPage(QStringLiteral("h"), QString());
    QVERIFY(!page.ok());
    const QString &message = page.error;
    QVERIFY2(message.startsWith(QStringLiteral("Cannot create file ") + path + u'\n'), qPrintable(message));
    QVERIFY(message.size() > QStringLiteral("Cannot create file \n").size() + path.size());
}

QTEST_GUILESS_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
