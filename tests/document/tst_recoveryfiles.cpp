// The recovery files: what is written comes back exactly, only the files
// of copies that are gone are offered back, and a copy never writes over
// one of them.

#include "document/recoveryfiles.h"
#include "platform/filelock.h"
#include "platform/textfile.h"
#include "testfiles.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <iterator>

class TestRecoveryFiles : public QObject {
    Q_OBJECT
private slots:
    void keptScript_comesBackExactly_data();
    void keptScript_comesBackExactly();
    void everyPairOfTexts_comesBackExactly();
    void onlyTheFilesOfCopiesThatAreGone_areOffered();
    void aGoneCopysFile_isOfferedAndNeverWrittenOver_data();
    void aGoneCopysFile_isOfferedAndNeverWrittenOver();
    void aScriptTooLargeToKeep_leavesTheLastCopy();
    void keptAndDiscardedOrphans();
    void claim_takesEachCopysOwnLock();
};

void TestRecoveryFiles::keptScript_comesBackExactly_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("body");
    QTest::newRow("start-up block") << QStringLiteral("<SCRIPT>\r\n\r\n</SCRIPT>") << QStringLiteral("x\r\n");
    QTest::newRow("both empty") << QString() << QString();
    QTest::newRow("empty head") << QString() << QStringLiteral("alert(1);");
    QTest::newRow("line breaks at the ends") << QStringLiteral("\r\n\r\nh\r\n") << QStringLiteral("\r\nb\r\n\r\n");
    QTest::newRow("not Latin-1") << QStringLiteral("// Zażółć gęślą jaźń €") << QStringLiteral("'\u4e2d\u6587' 😀");
    QTest::newRow("head holds the head marker")
        << QStringLiteral("<!-- part of the HEAD section -->\r\nx") << QStringLiteral("y");
    QTest::newRow("head holds the body marker line")
        << QStringLiteral("a\r\n<!-- part of the BODY section -->\r\nb") << QStringLiteral("c");
    QTest::newRow("head is the body marker") << QStringLiteral("<!-- part of the BODY section -->") << QString();
}

void TestRecoveryFiles::keptScript_comesBackExactly()
{
    QFETCH(QString, head);
    QFETCH(QString, body);
    QTemporaryDir dir;
    {
        RecoveryFiles own(dir.filePath(QStringLiteral("recovery/")), 4242);
        QVERIFY(own.claim());
        QVERIFY(own.write(RecoveryFiles::encode({head, body})));
        // The file is a script file the program can open as well.
        QVERIFY(readAll(own.ownPath()).startsWith("<!-- part of the HEAD section -->\r\n"));
    }
    // Another copy, later: the file's lock went with the copy that wrote it.
    RecoveryFiles next(dir.filePath(QStringLiteral("recovery/")), 7);
    QList<OrphanedScript> orphans = next.takeOrphans();
    QCOMPARE(orphans.size(), 1);
    QCOMPARE(orphans[0].script.head, head);
    QCOMPARE(orphans[0].script.body, body);
}

void TestRecoveryFiles::everyPairOfTexts_comesBackExactly()
{
    // Texts put together from the pieces that matter to the format: the
    // marker lines (also behind backslashes), every kind of line break,
    // text beyond Latin-1 and NUL.
    const QString pieces[] = {kHeadMarker,
                              kBodyMarker,
                              QStringLiteral("\\") + kBodyMarker,
                              QStringLiteral("\\\\") + kBodyMarker,
                              kBodyMarker.chopped(3),
                              QStringLiteral("\r\n"),
                              QStringLiteral("\r"),
                              QStringLiteral("\n"),
                              QString(),
                              QStringLiteral("\\"),
                              QStringLiteral(" x"),
                              QStringLiteral("Zażółć €"),
                              QStringLiteral("中文 😀"),
                              QString(QChar(u'\0'))};
    QRandomGenerator random(31);
    const auto text = [&] {
        QString out;
        for (int n = int(random.bounded(12)); n > 0; --n)
            out += pieces[random.bounded(int(std::size(pieces)))];
        return out;
    };
    for (int i = 0; i < 20000; ++i) {
        const ScriptFragments script{text(), text()};
        const QByteArray bytes = RecoveryFiles::encode(script);
        const ScriptFragments back = RecoveryFiles::decode(bytes);
        if (back != script) {
            QFAIL(qPrintable(QStringLiteral("pair %1 differs\nhead: %2\nbody: %3")
                                 .arg(i)
                                 .arg(QString::fromLatin1(script.head.toUtf8().toPercentEncoding()),
                                      QString::fromLatin1(script.body.toUtf8().toPercentEncoding()))));
        }
        // Without a marker line in HEAD the file is the script file that
        // earlier versions wrote and read.
        if (!script.head.contains(kBodyMarker))
            QCOMPARE(bytes, encodeText(composeScriptFile(script.head, script.body)));
    }
}

void TestRecoveryFiles::onlyTheFilesOfCopiesThatAreGone_areOffered()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("r/"));
    RecoveryFiles running(folder, 11);
    QVERIFY(running.claim());
    QVERIFY(running.write(RecoveryFiles::encode({QStringLiteral("h"), QStringLiteral("running")})));
    {
        RecoveryFiles gone(folder, 12);
        QVERIFY(gone.claim());
        QVERIFY(gone.write(RecoveryFiles::encode({QStringLiteral("h"), QStringLiteral("gone")})));
    }  // copy 12 ends: its lock is let go, its file stays
    writeFile(folder + QStringLiteral("recovery-13.txt"), "not ours");
    writeFile(folder + QStringLiteral("recovery-x.js"), "not ours");

    RecoveryFiles me(folder, 14);
    QVERIFY(me.claim());
    QVERIFY(me.write(RecoveryFiles::encode({QString(), QStringLiteral("mine")})));
    QList<OrphanedScript> orphans = me.takeOrphans();
    QCOMPARE(orphans.size(), 1);
    QCOMPARE(orphans[0].script.body, QStringLiteral("gone"));
    QVERIFY(orphans[0].path.endsWith(QStringLiteral("recovery-12.js")));

    // While one copy is offering it, a copy starting now leaves it alone.
    RecoveryFiles other(folder, 15);
    QVERIFY(other.takeOrphans().isEmpty());
    QVERIFY(QFile::exists(running.ownPath()));
}

void TestRecoveryFiles::aGoneCopysFile_isOfferedAndNeverWrittenOver_data()
{
    QTest::addColumn<bool>("claimFirst");
    QTest::newRow("offered, then written") << false;
    QTest::newRow("written, then offered") << true;
}

// A copy started with the process id of a copy that is gone (a sandbox
// runs each as pid 1): the lock alone decides.
void TestRecoveryFiles::aGoneCopysFile_isOfferedAndNeverWrittenOver()
{
    QFETCH(bool, claimFirst);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("r/"));
    const QByteArray gone = RecoveryFiles::encode({QStringLiteral("h"), QStringLiteral("gone work")});
    {
        RecoveryFiles crashed(folder, 1);
        QVERIFY(crashed.claim());
        QVERIFY(crashed.write(gone));
    }
    RecoveryFiles me(folder, 1);
    if (claimFirst) {
        QVERIFY(me.claim());
        QVERIFY(me.write(RecoveryFiles::encode({QString(), QStringLiteral("mine")})));
    }
    QList<OrphanedScript> orphans = me.takeOrphans();
    QCOMPARE(orphans.size(), 1);
    QCOMPARE(orphans[0].script.body, QStringLiteral("gone work"));
    QVERIFY(me.claim());
    QVERIFY(me.write(RecoveryFiles::encode({QString(), QStringLiteral("mine again")})));
    QVERIFY(me.ownPath() != orphans[0].path);
    QCOMPARE(readAll(orphans[0].path), gone);

    // Kept for later, it is offered again while this copy runs on.
    const QString left = orphans[0].path;
    RecoveryFiles::keep(orphans[0]);
    orphans = RecoveryFiles(folder, 1).takeOrphans();
    QCOMPARE(orphans.size(), 1);
    QCOMPARE(orphans[0].path, left);

    // A clean close takes this copy's file and lock away.
    const QString own = me.ownPath();
    me.release();
    QVERIFY(!QFile::exists(own));
    QVERIFY(!QFile::exists(own.chopped(3) + QStringLiteral(".lock")));
    QVERIFY(QFile::exists(left));
}

void TestRecoveryFiles::aScriptTooLargeToKeep_leavesTheLastCopy()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("r/"));
    RecoveryFiles own(folder, 50);
    QVERIFY(own.claim());
    const QByteArray small = RecoveryFiles::encode({QString(), QStringLiteral("small")});
    QVERIFY(own.write(small));
    QByteArray large(RecoveryFiles::kMaxFileBytes + 1, 'x');
    const SaveResult refused = own.write(large);
    QVERIFY(!refused);
    QVERIFY2(refused.error.contains(QStringLiteral("64 MiB")), qPrintable(refused.error));
    QCOMPARE(readAll(own.ownPath()), small);

    // One that an earlier version wrote is named, not passed over silently.
    QVERIFY(writeFile(folder + QStringLiteral("recovery-51.js"), large));
    large.clear();
    QStringList unreadable;
    QVERIFY(RecoveryFiles(folder, 52).takeOrphans(&unreadable).isEmpty());
    QCOMPARE(unreadable.size(), 1);
    QVERIFY2(unreadable[0].contains(QStringLiteral("recovery-51.js")), qPrintable(unreadable[0]));
    QVERIFY(QFile::exists(folder + QStringLiteral("recovery-51.js")));
}

void TestRecoveryFiles::keptAndDiscardedOrphans()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("r/"));
    for (qint64 pid : {21, 22}) {
        RecoveryFiles gone(folder, pid);
        QVERIFY(gone.claim());
        QVERIFY(gone.write(RecoveryFiles::encode({QString(), QString::number(pid)})));
    }
    RecoveryFiles me(folder, 30);
    QList<OrphanedScript> orphans = me.takeOrphans();
    QCOMPARE(orphans.size(), 2);
    RecoveryFiles::keep(orphans[0]);
    const QString discarded = orphans[1].path;
    RecoveryFiles::discard(orphans[1]);
    QVERIFY(!QFile::exists(discarded));

    orphans = me.takeOrphans();
    QCOMPARE(orphans.size(), 1);
    QCOMPARE(orphans[0].script.body.size(), 2);
    QVERIFY(orphans[0].path != discarded);
}

void TestRecoveryFiles::claim_takesEachCopysOwnLock()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b/"));
    RecoveryFiles first(folder, 40);
    QVERIFY(first.claim());
    // The same number in another sandbox: a name of its own.
    RecoveryFiles again(folder, 40);
    QVERIFY(again.claim());
    QVERIFY(again.ownPath() != first.ownPath());
    RecoveryFiles second(folder, 41);
    QVERIFY(second.claim());
    QVERIFY(first.ownPath() != second.ownPath());

    // A folder that cannot be made: claiming and writing fail, with a reason.
    writeFile(dir.filePath(QStringLiteral("file")), "x");
    RecoveryFiles blocked(dir.filePath(QStringLiteral("file/r/")), 42);
    const SaveResult claimed = blocked.claim();
    QVERIFY(!claimed);
    QVERIFY(!claimed.error.isEmpty());
    QVERIFY(!blocked.write("x"));
}

QTEST_GUILESS_MAIN(TestRecoveryFiles)
#include "tst_recoveryfiles.moc"
