// The editor's find dialog and find-and-replace dialog, answered through
// the recording prompter.

#include "editor/finddialog.h"
#include "editorwindow.h"
#include "recordingprompter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

template <typename T>
T *child(QDialog &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no %s in %s", name, qPrintable(dialog.objectName()));
    return widget;
}

QString status(QDialog &dialog)
{
    return child<QLabel>(dialog, "LBL_Status")->text();
}

} // namespace

class TestFindDialog : public QObject {
    Q_OBJECT

private slots:
    void findDialog_controls_haveTheirTextsAndDefaults()
    {
        EditorWindow w;
        RecordingPrompter prompter;
        QStringList texts;
        QList<bool> states;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            texts << d.windowTitle() << child<QCheckBox>(d, "CHK_MatchCase")->text()
                  << child<QCheckBox>(d, "CHK_WholeWords")->text() << child<QRadioButton>(d, "RAD_Forward")->text()
                  << child<QRadioButton>(d, "RAD_Backward")->text() << child<QPushButton>(d, "BTN_FindNext")->text()
                  << child<QPushButton>(d, "BTN_Close")->text();
            states << child<QRadioButton>(d, "RAD_Forward")->isChecked()
                   << child<QCheckBox>(d, "CHK_MatchCase")->isChecked()
                   << child<QCheckBox>(d, "CHK_WholeWords")->isChecked()
                   << child<QPushButton>(d, "BTN_FindNext")->isDefault()
                   << (d.findChild<QPushButton *>(QStringLiteral("BTN_ReplaceAll")) != nullptr)
                   << (d.findChild<QLineEdit *>(QStringLiteral("EDT_ReplaceText")) != nullptr)
                   << (d.findChild<QLabel *>(QStringLiteral("LBL_Status")) != nullptr);
            return int(QDialog::Rejected);
        };
        showFindDialog(*w.editor, prompter);
        QCOMPARE(texts, QStringList({QStringLiteral("Find"), QStringLiteral("Match &case"),
                                     QStringLiteral("&Whole words only"), QStringLiteral("&Forward"),
                                     QStringLiteral("&Backward"), QStringLiteral("&Find next"), QStringLiteral("Close")}));
        QCOMPARE(states, QList<bool>({true, false, false, true, false, false, true}));
        QCOMPARE(prompter.dialogs().size(), 1);
        QCOMPARE(prompter.dialogs().first().title, QStringLiteral("Find"));
    }

    void findNext_fromTheDialog_selectsEachOccurrence()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("var a;\r\nvar b;"));
        RecordingPrompter prompter;
        QList<int> starts;
        QStringList statuses;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("var"));
            auto *findNext = child<QPushButton>(d, "BTN_FindNext");
            QTest::mouseClick(findNext, Qt::LeftButton);
            starts << w.editor->selStart();
            statuses << status(d);
            findNext->click();
            starts << w.editor->selStart();
            statuses << status(d);
            child<QPushButton>(d, "BTN_Close")->click();
            return d.result();
        };
        showFindDialog(*w.editor, prompter);
        QCOMPARE(starts, QList<int>({0, 7}));
        QCOMPARE(statuses, QStringList({QString(), QString()}));
        QCOMPARE(w.editor->selectedText(), QStringLiteral("var"));
        QCOMPARE(w.editor->lastSearchText(), QStringLiteral("var"));
    }

    void findNext_notFound_saysSoAndKeepsTheSelection()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("alpha beta"));
        w.editor->setSel(6, 2);
        RecordingPrompter prompter;
        QString shownStatus;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("gamma"));
            child<QPushButton>(d, "BTN_FindNext")->click();
            shownStatus = status(d);
            return int(QDialog::Rejected);
        };
        showFindDialog(*w.editor, prompter);
        QCOMPARE(shownStatus, QStringLiteral("Cannot find \"gamma\""));
        QCOMPARE(w.editor->selStart(), 6);
        QCOMPARE(w.editor->selLength(), 2);
    }

    void findDialog_prefill_isTheSelectionOnOneLineElseTheLastSearch()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("one two\r\nthree"));
        RecordingPrompter prompter;
        QStringList prefills;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            prefills << child<QLineEdit>(d, "EDT_FindText")->text();
            return int(QDialog::Rejected);
        };
        w.editor->setLastSearchText(QStringLiteral("earlier"));
        w.editor->setSel(4, 3);
        showFindDialog(*w.editor, prompter);
        w.editor->setSel(4, 6);  // over the line break
        showFindDialog(*w.editor, prompter);
        w.editor->setCaretPosition(0);
        showFindDialog(*w.editor, prompter);
        QCOMPARE(prefills, QStringList({QStringLiteral("two"), QStringLiteral("earlier"), QStringLiteral("earlier")}));
    }

    void findDialog_backwardMatchCaseWholeWords_areApplied()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("Ab ab Abc Ab x"));
        w.editor->setCaretPosition(14);
        RecordingPrompter prompter;
        QList<int> starts;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("Ab"));
            child<QCheckBox>(d, "CHK_MatchCase")->setChecked(true);
            child<QCheckBox>(d, "CHK_WholeWords")->setChecked(true);
            child<QRadioButton>(d, "RAD_Backward")->setChecked(true);
            for (int i = 0; i < 3; ++i) {
                child<QPushButton>(d, "BTN_FindNext")->click();
                starts << w.editor->selStart();
            }
            return int(QDialog::Rejected);
        };
        showFindDialog(*w.editor, prompter);
        QCOMPARE(starts, QList<int>({10, 0, 0}));
    }

    void findDialog_escapeAndClose_closeTheDialog()
    {
        EditorWindow w;
        RecordingPrompter prompter;
        int rejectedByEscape = 0;
        int rejectedByClose = 0;
        prompter.dialogHandlers[QStringLiteral("FindDialog")] = [&](QDialog &d) {
            QSignalSpy rejected(&d, &QDialog::rejected);
            d.show();
            QTest::keyClick(&d, Qt::Key_Escape);
            rejectedByEscape = int(rejected.count());
            d.show();
            child<QPushButton>(d, "BTN_Close")->click();
            rejectedByClose = int(rejected.count()) - rejectedByEscape;
            return d.result();
        };
        showFindDialog(*w.editor, prompter);
        QCOMPARE(rejectedByEscape, 1);
        QCOMPARE(rejectedByClose, 1);
    }

    void replaceDialog_replaceAll_replacesEverythingAsOneStep()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("a + a\r\nb = a"));
        RecordingPrompter prompter;
        QString shownStatus;
        QStringList texts;
        prompter.dialogHandlers[QStringLiteral("ReplaceDialog")] = [&](QDialog &d) {
            texts << d.windowTitle() << child<QPushButton>(d, "BTN_Replace")->text()
                  << child<QPushButton>(d, "BTN_ReplaceAll")->text();
            for (QLabel *label : d.findChildren<QLabel *>())
                if (label->buddy() == child<QLineEdit>(d, "EDT_ReplaceText"))
                    texts << label->text();
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("a"));
            child<QLineEdit>(d, "EDT_ReplaceText")->setText(QStringLiteral("ą"));
            QTest::mouseClick(child<QPushButton>(d, "BTN_ReplaceAll"), Qt::LeftButton);
            shownStatus = status(d);
            return int(QDialog::Rejected);
        };
        showReplaceDialog(*w.editor, prompter);
        QCOMPARE(prompter.dialogs().first().text, QStringLiteral("ReplaceDialog"));
        QCOMPARE(texts, QStringList({QStringLiteral("Replace"), QStringLiteral("&Replace"), QStringLiteral("Replace &all"),
                                     QStringLiteral("Replace &with")}));
        QCOMPARE(shownStatus, QStringLiteral("Replaced 3 occurrences"));
        QCOMPARE(w.editor->wholeText(), QStringLiteral("ą + ą\r\nb = ą"));
        w.editor->undo();
        QCOMPARE(w.editor->wholeText(), QStringLiteral("a + a\r\nb = a"));
    }

    void replaceDialog_replaceAllNothingFound_saysSo()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("abc"));
        RecordingPrompter prompter;
        QString shownStatus;
        prompter.dialogHandlers[QStringLiteral("ReplaceDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("z"));
            child<QPushButton>(d, "BTN_ReplaceAll")->click();
            shownStatus = status(d);
            return int(QDialog::Rejected);
        };
        showReplaceDialog(*w.editor, prompter);
        QCOMPARE(shownStatus, QStringLiteral("Cannot find \"z\""));
        QVERIFY(!w.editor->modifiedState());
    }

    void replaceDialog_replace_firstFindsThenReplacesAndMovesOn()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("x1 x2 x3"));
        RecordingPrompter prompter;
        QStringList texts;
        QList<int> starts;
        prompter.dialogHandlers[QStringLiteral("ReplaceDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("x"));
            child<QLineEdit>(d, "EDT_ReplaceText")->setText(QStringLiteral("yy"));
            auto *replace = child<QPushButton>(d, "BTN_Replace");
            for (int i = 0; i < 3; ++i) {
                replace->click();
                texts << w.editor->wholeText();
                starts << w.editor->selStart();
            }
            return int(QDialog::Rejected);
        };
        showReplaceDialog(*w.editor, prompter);
        // The first click only finds; each later one replaces the occurrence
        // found and selects the next.
        QCOMPARE(texts, QStringList({QStringLiteral("x1 x2 x3"), QStringLiteral("yy1 x2 x3"),
                                     QStringLiteral("yy1 yy2 x3")}));
        QCOMPARE(starts, QList<int>({0, 4, 8}));
    }

    void replaceDialog_replace_selectionOfOtherCase_isOnlyFoundUnderMatchCase()
    {
        EditorWindow w;
        w.editor->setWholeText(QStringLiteral("X x"));
        w.editor->setSel(0, 1);
        RecordingPrompter prompter;
        prompter.dialogHandlers[QStringLiteral("ReplaceDialog")] = [&](QDialog &d) {
            child<QLineEdit>(d, "EDT_FindText")->setText(QStringLiteral("x"));
            child<QLineEdit>(d, "EDT_ReplaceText")->setText(QStringLiteral("z"));
            child<QCheckBox>(d, "CHK_MatchCase")->setChecked(true);
            child<QPushButton>(d, "BTN_Replace")->click();
            return int(QDialog::Rejected);
        };
        showReplaceDialog(*w.editor, prompter);
        QCOMPARE(w.editor->wholeText(), QStringLiteral("X x"));
        QCOMPARE(w.editor->selStart(), 2);
    }
};

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
