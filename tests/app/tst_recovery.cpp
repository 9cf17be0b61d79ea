// Unsaved work across a crash, in the whole window: a copy killed with
// SIGKILL has its script offered back byte for byte; a copy that runs is
// left alone; a clean close leaves nothing behind; the files of several
// gone copies are offered in one list; a file that cannot be written, or
// a script too large to keep, is reported once.

#include "document/recoverycontroller.h"
#include "document/recoveryfiles.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

namespace {

RecoveryListAnswer answer(RecoveryListAnswer::Action action, QList<int> rows)
{
    return {action, std::move(rows)};
}

void typeAndKeep(TestWindow &test, const QString &text)
{
    QSignalSpy written(&test.window->recovery(), &RecoveryController::writeEnded);
    test.body()->replaceSelection(text);
    test.window->recovery().writeNow();
    QVERIFY(written.wait(10000));
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void killedCopy_isOfferedBack_runningCopyIsNot();
    void cleanClose_leavesNoFile_startOffersWhatIsLeft();
    void goneCopies_areOfferedInOneList();
    void unwritableFile_isReportedOnce();
    void scriptTooLargeToKeep_isReportedOnce();
};

void TestRecovery::killedCopy_isOfferedBack_runningCopyIsNot()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery/"));
    // What the killed copy had typed: lines, UTF-8 beyond Latin-1, a line
    // without an end.
    const QByteArray typed = "<SCRIPT>\r\n  // za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87 \xe2\x82\xac\r\n"
                             "  document.write(\"\xe4\xb8\xad\");\r\n</SCRIPT>\r\nlast line";
    QVERIFY(writeFile(dir.filePath(QStringLiteral("typed.txt")), typed));

    QProcess child;
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/recoverychild"),
                {folder, dir.filePath(QStringLiteral("typed.txt"))});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    while (!child.readAllStandardOutput().contains("ready"))
        QVERIFY2(child.waitForReadyRead(30000), child.readAllStandardError().constData());

    TestWindow test(false, QString(), folder);
    test.window->recovery().offerOrphans();
    QCOMPARE(test.prompter.recoveryLists().size(), 0);  // its copy is running

    child.kill();  // SIGKILL: nothing of the copy runs any more
    QVERIFY(child.waitForFinished(10000));
    const QStringList left = QDir(folder).entryList({QStringLiteral("*.js")});
    QCOMPARE(left.size(), 1);

    test.prompter.recoveryListAnswers << answer(RecoveryListAnswer::Restore, {0});
    test.window->recovery().offerOrphans();
    QCOMPARE(test.prompter.recoveryLists().size(), 1);
    QCOMPARE(test.body()->wholeText().toUtf8(), typed);
    QVERIFY(test.window->editors().isModified());
    // The killed copy's file went once this copy's own held the script.
    QVERIFY(!QFile::exists(folder + left.first()));
    QCOMPARE(RecoveryFiles::decode(readAll(test.window->recovery().recoveryFilePath())).body.toUtf8(), typed);
}

void TestRecovery::cleanClose_leavesNoFile_startOffersWhatIsLeft()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery/"));
    QString ownFile;
    {
        TestWindow test(false, QString(), folder);
        typeAndKeep(test, QStringLiteral("typed"));
        ownFile = test.window->recovery().recoveryFilePath();
        QVERIFY(QFile::exists(ownFile));

        // Undoing back to the saved state gives the kept copy up as well.
        test.body()->undo();
        QTRY_VERIFY(!QFile::exists(ownFile));

        typeAndKeep(test, QStringLiteral("typed again"));
        QVERIFY(QFile::exists(ownFile));
        test.prompter.yesNoAnswers << AnswerYes;  // "Current script is not saved, continue ?"
        QVERIFY(test.window->close());
        QVERIFY(!QFile::exists(ownFile));
    }

    // A file a gone copy left is offered as the window comes up; the list
    // closed without an answer keeps it for later, Discard removes it.
    {
        RecoveryFiles gone(folder, 999999);
        QVERIFY(gone.claim());
        QVERIFY(gone.write(RecoveryFiles::encode({QString(), QStringLiteral("left behind")})));
    }
    TestWindow test(false, QString(), folder);
    QTRY_COMPARE(test.prompter.recoveryLists().size(), 1);
    QVERIFY(!test.window->editors().isModified());
    QCOMPARE(QDir(folder).entryList({QStringLiteral("*.js")}).size(), 1);
    test.prompter.recoveryListAnswers << answer(RecoveryListAnswer::Discard, {0});
    test.window->recovery().offerOrphans();
    QCOMPARE(test.prompter.recoveryLists().size(), 2);
    QVERIFY(!test.window->editors().isModified());
    QVERIFY(QDir(folder).entryList({QStringLiteral("*.js")}).isEmpty());
}

void TestRecovery::goneCopies_areOfferedInOneList()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery/"));
    const QDateTime start = QDateTime::currentDateTime().addDays(-1);
    for (int copy = 1; copy <= 4; ++copy) {
        RecoveryFiles gone(folder, 100 + copy);
        QVERIFY(gone.claim());
        QVERIFY(gone.write(RecoveryFiles::encode({QString(), QStringLiteral("work %1\r\nmore").arg(copy)})));
        QFile file(gone.ownPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(start.addSecs(60 * copy), QFileDevice::FileModificationTime));
    }
    const auto left = [&folder] {
        QStringList names = QDir(folder).entryList({QStringLiteral("*.js")});
        return names.join(u' ');
    };

    // All four in one list, the newest first and selected; closed
    // unanswered, all four stay.
    TestWindow test(false, QString(), folder);
    QTRY_COMPARE(test.prompter.recoveryLists().size(), 1);
    const RecoveryListRequest shown = test.prompter.recoveryLists().first().list;
    QStringList names;
    for (const RecoveryListRequest::Entry &entry : shown.entries)
        names << entry.name;
    QCOMPARE(names.join(u' '), QStringLiteral("recovery-104.js recovery-103.js recovery-102.js recovery-101.js"));
    QCOMPARE(shown.current, 0);
    QCOMPARE(shown.entries[0].written, start.addSecs(240));
    QCOMPARE(shown.entries[0].firstLines, QStringLiteral("HEAD: (empty)\nBODY: \n    work 4\n    more"));
    QCOMPARE(test.prompter.shown.size(), 1);  // nothing asked one by one
    QCOMPARE(left(), QStringLiteral("recovery-101.js recovery-102.js recovery-103.js recovery-104.js"));

    // Discard takes only those selected and asks again about the rest;
    // Restore loads the one selected and keeps the other for later.
    test.prompter.recoveryListAnswers << answer(RecoveryListAnswer::Discard, {0, 2})
                                      << answer(RecoveryListAnswer::Restore, {1});
    test.window->recovery().offerOrphans();
    QCOMPARE(test.prompter.recoveryLists().size(), 3);
    QCOMPARE(test.prompter.recoveryLists().last().list.entries.size(), 2);
    QCOMPARE(test.body()->wholeText(), QStringLiteral("work 1\r\nmore"));
    QVERIFY(test.window->editors().isModified());
    const QString own = QFileInfo(test.window->recovery().recoveryFilePath()).fileName();
    QStringList expected{own, QStringLiteral("recovery-103.js")};
    expected.sort();
    QCOMPARE(left(), expected.join(u' '));

    // The one kept is free for the next start.
    const QList<OrphanedScript> later = RecoveryFiles(folder, 1).takeOrphans();
    QCOMPARE(later.size(), 1);
    QVERIFY(later[0].path.endsWith(QStringLiteral("recovery-103.js")));
}

void TestRecovery::unwritableFile_isReportedOnce()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
    TestWindow test(false, QString(), dir.filePath(QStringLiteral("file/recovery/")));
    for (int i = 0; i < 3; ++i) {
        test.body()->replaceSelection(QStringLiteral("x"));
        test.window->recovery().writeNow();
        QCoreApplication::processEvents();
    }
    QCOMPARE(test.prompter.messages().size(), 1);
    QCOMPARE(test.prompter.messages().first().icon, int(IconWarning));
}

void TestRecovery::scriptTooLargeToKeep_isReportedOnce()
{
    QTemporaryDir dir;
    TestWindow test(false, QString(), dir.filePath(QStringLiteral("recovery/")));
    typeAndKeep(test, QStringLiteral("small"));
    const QString own = test.window->recovery().recoveryFilePath();
    const QByteArray kept = readAll(own);
    QVERIFY(RecoveryFiles::decode(kept).body.contains(QStringLiteral("small")));

    const QString line = QString(1023, u'x') + QStringLiteral("\r\n");
    test.body()->replaceSelection(line.repeated(int(RecoveryFiles::kMaxFileBytes / line.size()) + 1));
    for (int i = 0; i < 2; ++i) {
        QSignalSpy written(&test.window->recovery(), &RecoveryController::writeEnded);
        test.body()->replaceSelection(QStringLiteral("more"));
        test.window->recovery().writeNow();
        QVERIFY(written.wait(30000));
        QVERIFY(!written.first().first().toBool());
    }
    QCOMPARE(test.prompter.messages().size(), 1);
    QVERIFY2(test.prompter.messages().first().text.contains(QStringLiteral("larger than 64 MiB")),
             qPrintable(test.prompter.describe()));
    QCOMPARE(readAll(own), kept);
}

QUILLON_GUI_TEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
