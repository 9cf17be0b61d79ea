// The list of kept scripts shown by the real prompter: what each button
// answers, and which buttons the selection allows.

#include "platform/prompter.h"

#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

RecoveryListRequest threeScripts()
{
    RecoveryListRequest request;
    request.title = QStringLiteral("Recover unsaved script");
    request.text = QStringLiteral("kept");
    const QDateTime written(QDate(2026, 1, 2), QTime(3, 4));
    for (int i = 0; i < 3; ++i)
        request.entries.append({QStringLiteral("recovery-%1.js").arg(i), written, QStringLiteral("lines of %1").arg(i)});
    request.current = 1;
    return request;
}

// Runs the list, doing `act` on it once it is shown.
RecoveryListAnswer runList(const RecoveryListRequest &request, const std::function<void(QDialog &)> &act)
{
    QTimer::singleShot(0, [&act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != QLatin1String("RecoveryList")) {
            if (dialog)
                dialog->reject();
            return;
        }
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    QtPrompter prompter;
    return prompter.chooseRecovery(request);
}

} // namespace

class TestRecoveryList : public QObject {
    Q_OBJECT
private slots:
    void buttons_answerForTheSelection();
};

void TestRecoveryList::buttons_answerForTheSelection()
{
    bool checked = false;
    RecoveryListAnswer answer = runList(threeScripts(), [&checked](QDialog &dialog) {
        auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("scripts"));
        auto *restore = dialog.findChild<QPushButton *>(QStringLiteral("restore"));
        auto *discard = dialog.findChild<QPushButton *>(QStringLiteral("discard"));
        auto *lines = dialog.findChild<QPlainTextEdit *>(QStringLiteral("firstLines"));
        QVERIFY(list && restore && discard && lines);
        QCOMPARE(list->topLevelItemCount(), 3);
        // The entry given first is selected and its first lines shown.
        QCOMPARE(list->selectedItems(), QList<QTreeWidgetItem *>{list->topLevelItem(1)});
        QCOMPARE(lines->toPlainText(), QStringLiteral("lines of 1"));
        QVERIFY(restore->isEnabled());
        // Two selected: only one can be restored.
        list->topLevelItem(2)->setSelected(true);
        QVERIFY(!restore->isEnabled());
        QVERIFY(discard->isEnabled());
        list->clearSelection();
        QVERIFY(!discard->isEnabled());
        list->topLevelItem(0)->setSelected(true);
        list->topLevelItem(2)->setSelected(true);
        discard->click();
        checked = true;
    });
    QVERIFY(checked);
    QCOMPARE(answer.action, RecoveryListAnswer::Discard);
    QCOMPARE(answer.selected, (QList<int>{0, 2}));

    answer = runList(threeScripts(), [](QDialog &dialog) {
        dialog.findChild<QTreeWidget *>(QStringLiteral("scripts"))->topLevelItem(1)->setSelected(false);
        dialog.findChild<QTreeWidget *>(QStringLiteral("scripts"))->topLevelItem(2)->setSelected(true);
        dialog.findChild<QPushButton *>(QStringLiteral("restore"))->click();
    });
    QCOMPARE(answer.action, RecoveryListAnswer::Restore);
    QCOMPARE(answer.selected, QList<int>{2});

    // Later, and a list closed with Escape, keep everything.
    answer = runList(threeScripts(), [](QDialog &dialog) { dialog.findChild<QPushButton *>(QStringLiteral("later"))->click(); });
    QCOMPARE(answer.action, RecoveryListAnswer::Later);
    answer = runList(threeScripts(), [](QDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(answer.action, RecoveryListAnswer::Later);
}

QTEST_MAIN(TestRecoveryList)
#include "tst_recoverylist.moc"
