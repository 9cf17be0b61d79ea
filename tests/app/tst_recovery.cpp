// Unsaved work across a crash, in the whole window: a copy killed with
// SIGKILL has its script offered back byte for byte; a copy that runs is
// left alone; a clean close leaves nothing behind; a file that cannot be
// written is reported once.

#include "document/recoverycontroller.h"
#include "document/recoveryfiles.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "testfiles.h"
#include "testwindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>

namespace {

// Answers the recovery question with the button of that name.
std::function<int(QDialog &)> answer(const QString &button)
{
    return [button](QDialog &dialog) {
        auto *choice = dialog.findChild<QAbstractButton *>(button);
        if (!choice)
            return int(QDialog::Rejected);
        choice->click();
        return int(QDialog::Accepted);
    };
}

int recoveryBoxes(const RecordingPrompter &prompter)
{
    int count = 0;
    for (const RecordingPrompter::Shown &shown : prompter.dialogs())
        count += shown.text == QLatin1String("RecoveryBox");
    return count;
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
    void unwritableFile_isReportedOnce();
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
    test.prompter.dialogHandlers.insert(QStringLiteral("RecoveryBox"), answer(QStringLiteral("restore")));
    test.window->recovery().offerOrphans();
    QCOMPARE(recoveryBoxes(test.prompter), 0);  // its copy is running

    child.kill();  // SIGKILL: nothing of the copy runs any more
    QVERIFY(child.waitForFinished(10000));
    const QStringList left = QDir(folder).entryList({QStringLiteral("*.js")});
    QCOMPARE(left.size(), 1);

    test.window->recovery().offerOrphans();
    QCOMPARE(recoveryBoxes(test.prompter), 1);
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

    // A file a gone copy left is offered as the window comes up; the box
    // closed without an answer keeps it for later, Discard removes it.
    {
        RecoveryFiles gone(folder, 999999);
        QVERIFY(gone.claim());
        QVERIFY(gone.write(RecoveryFiles::encode({QString(), QStringLiteral("left behind")})));
    }
    TestWindow test(false, QString(), folder);
    QTRY_COMPARE(recoveryBoxes(test.prompter), 1);
    QVERIFY(!test.window->editors().isModified());
    QCOMPARE(QDir(folder).entryList({QStringLiteral("*.js")}).size(), 1);
    test.prompter.dialogHandlers.insert(QStringLiteral("RecoveryBox"), answer(QStringLiteral("discard")));
    test.window->recovery().offerOrphans();
    QCOMPARE(recoveryBoxes(test.prompter), 2);
    QVERIFY(!test.window->editors().isModified());
    QVERIFY(QDir(folder).entryList({QStringLiteral("*.js")}).isEmpty());
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

QUILLON_GUI_TEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
