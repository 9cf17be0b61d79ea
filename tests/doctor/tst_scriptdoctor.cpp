// The script doctor in the window: a mistake typed into an editor is
// marked after the pause, its message shown over it and under the caret,
// listed in Problems and reached with F4; mended, the marks go.

#include "doctor/doctorcontroller.h"
#include "doctor/scriptdoctor.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "testwindow.h"
#include "widgets/statuspanels.h"

#include <Qsci/qsciscintillabase.h>
#include <QToolTip>
#include <QTreeWidget>

namespace {

constexpr int kErrorIndicator = 20;

bool errorDrawnAt(ScriptEditor *editor, int position)
{
    return editor->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, kErrorIndicator,
                                 static_cast<long>(position)) != 0;
}

int errorMarkersOn(ScriptEditor *editor, int line)
{
    return static_cast<int>(editor->SendScintilla(QsciScintillaBase::SCI_MARKERGET, line) & (1 << 20)) != 0;
}

// "where|kind|problem" of each row of the Problems list.
QStringList rows(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        out << item->text(0) + u'|' + item->toolTip(0) + u'|' + item->text(1);
    }
    return out;
}

}  // namespace

class TestScriptDoctor : public QObject {
    Q_OBJECT

private slots:
    void typedMistake_isMarkedAfterThePause_andGoesWhenMended()
    {
        TestWindow t;
        ScriptEditor *body = t.body();
        t.head()->setWholeText(QString());
        body->setWholeText(QString());
        body->setFocus();
        for (const char *line : {"<script>", "ok();", "var x = 1 + ;"}) {
            QTest::keyClicks(body, QString::fromLatin1(line));
            QTest::keyClick(body, Qt::Key_Return);
        }
        QTest::keyClicks(body, QStringLiteral("</script>"));
        ScriptDoctor *doctor = t.window->doctor().doctor(1);
        // Nothing is looked at while typing goes on.
        QVERIFY(!doctor->current());
        QTRY_VERIFY(doctor->current());
        QCOMPARE(doctor->findings().size(), size_t(1));
        const int semicolon = static_cast<int>(body->textBytes().indexOf("+ ;") + 2);
        QVERIFY(errorDrawnAt(body, semicolon));
        QVERIFY(!errorDrawnAt(body, semicolon - 4));
        QVERIFY(errorMarkersOn(body, 2));
        QVERIFY(!errorMarkersOn(body, 1));

        // The message over the mark, as the mouse rests there.
        const QString message = doctor->findings().front().message;
        QVERIFY(!message.isEmpty());
        emit body->SCN_DWELLSTART(semicolon, 10, 10);
        QTRY_COMPARE(QToolTip::text(), message);
        emit body->SCN_DWELLEND(semicolon, 10, 10);

        // Listed, and reached from the start with F4.
        QTreeWidget *problems = t.window->doctor().problemsList();
        QCOMPARE(rows(problems).join(u'\n'), QStringLiteral("BODY, line 3|Error|") + message);
        body->setCaretPosition(0);
        QTest::keyClick(body, Qt::Key_F4);
        QCOMPARE(body->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), long(semicolon));
        QTRY_COMPARE(t.window->statusPanels().text(StatusPanels::Hint), message);

        // Mended: "1 + ;" becomes "1 + 2;".
        body->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(semicolon));
        QTest::keyClick(body, Qt::Key_2);
        QTRY_VERIFY(doctor->current());
        QVERIFY(doctor->findings().empty());
        QVERIFY(!errorDrawnAt(body, semicolon));
        QVERIFY(!errorMarkersOn(body, 2));
        QCOMPARE(problems->topLevelItemCount(), 0);
    }

    void errorsInBothEditors_F4GoesFromOneToTheOther()
    {
        TestWindow t;
        t.head()->setWholeText(QStringLiteral("<script>a(;</script>"));
        t.body()->setWholeText(QStringLiteral("<b onclick=\"b)\">x</b>"));
        QTRY_VERIFY(t.window->doctor().doctor(0)->current() && t.window->doctor().doctor(1)->current());
        t.head()->setFocus();
        t.head()->setCaretPosition(0);
        t.window->editors().setCurrent(t.head());
        t.trigger("MMNU_Search_NextError");
        QCOMPARE(t.head()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), 10L);
        t.trigger("MMNU_Search_NextError");
        QVERIFY(t.window->editors().current() == t.body());
        QCOMPARE(t.body()->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), 13L);
        t.trigger("MMNU_Search_PreviousError");
        QVERIFY(t.window->editors().current() == t.head());
    }

    void safeFix_fromTheProblemsList_undoesInOneStep()
    {
        TestWindow t;
        const QString before =
            QStringLiteral("<b onclick=\"alert(event.srcElement.id)\">x</b>\r\n<script>go();</script>");
        t.head()->setWholeText(QString());
        t.body()->setWholeText(before);
        ScriptDoctor *doctor = t.window->doctor().doctor(1);
        QTRY_VERIFY(doctor->current());
        QTreeWidget *problems = t.window->doctor().problemsList();
        QTreeWidgetItem *fixable = nullptr;
        for (int i = 0; i < problems->topLevelItemCount() && !fixable; ++i) {
            if (problems->topLevelItem(i)->text(1).contains(QStringLiteral("Enter fixes it")))
                fixable = problems->topLevelItem(i);
        }
        QVERIFY2(fixable, qPrintable(rows(problems).join(u'\n')));
        problems->setFocus();
        problems->setCurrentItem(fixable);
        QTest::keyClick(problems, Qt::Key_Return);
        const QString after = QStringLiteral("<b onclick=\"alert(event.target.id)\">x</b>\r\n<script>go();</script>");
        QCOMPARE(t.body()->wholeText(), after);
        QTRY_VERIFY(doctor->current());
        t.body()->undo();
        QCOMPARE(t.body()->wholeText(), before);
        t.body()->redo();
        QCOMPARE(t.body()->wholeText(), after);
    }

    void fixAllSafeOnes_inBothEditors_isOneUndoStep()
    {
        TestWindow t;
        const QString head = QStringLiteral("<script>\r\nfunction f(event) { return event.srcElement; }\r\n</script>");
        const QString body = QStringLiteral("<b onclick=\"this.attachEvent('onclick', f)\">x</b>");
        t.head()->setWholeText(head);
        t.body()->setWholeText(body);
        QTRY_VERIFY(t.window->doctor().doctor(0)->current() && t.window->doctor().doctor(1)->current());
        QTRY_VERIFY(t.action("BTN_Problems_FixAll")->isEnabled());
        t.trigger("BTN_Problems_FixAll");
        QCOMPARE(t.head()->wholeText(),
                 QStringLiteral("<script>\r\nfunction f(event) { return event.target; }\r\n</script>"));
        QCOMPARE(t.body()->wholeText(), QStringLiteral("<b onclick=\"this.addEventListener('click', f)\">x</b>"));
        // Nothing safe is left to fix.
        QTRY_VERIFY(!t.action("BTN_Problems_FixAll")->isEnabled());
        t.body()->undo();
        QCOMPARE(t.head()->wholeText(), head);
        QCOMPARE(t.body()->wholeText(), body);
    }
};

QUILLON_GUI_TEST_MAIN(TestScriptDoctor)
#include "tst_scriptdoctor.moc"
