// The recovery files: what is written comes back exactly, and only the
// files of copies that are gone are offered back.

#include "document/recoveryfiles.h"
#include "platform/filelock.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecoveryFiles : public QObject {
    Q_OBJECT
private slots:
    void keptScript_comesBackExactly_data();
    void keptScript_comesBackExactly();
    void onlyTheFilesOfCopiesThatAreGone_areOffered();
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
    RecoveryFiles again(folder, 40);
    QVERIFY(!again.claim());
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
