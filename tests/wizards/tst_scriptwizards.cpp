// The Script menu's commands in the window: each template and wizard lands
// in the right editor, replaces (or, for document.write, wraps) the
// selection and leaves the caret where it belongs; the dialogs' fields,
// keys and help; Cancel inserts nothing.
//
// Editor texts are written with markers: "|" is the caret, "[" and "]"
// enclose the selection (the caret at its end).

#include "app/resourcetabs.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "markedtext.h"
#include "testwindow.h"
#include "widgets/actions.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

/// Plays one step on a dialog: "Name=value" fills a field (a check or
/// radio button is checked by "1"), "click:Name" clicks a button,
/// "key:Key@Name" sends a key to a field.
void play(QDialog &dialog, const QString &step)
{
    const auto child = [&](const QString &name) {
        auto *w = dialog.findChild<QWidget *>(name);
        if (!w)
            qWarning("no control %s in %s", qPrintable(name), qPrintable(dialog.objectName()));
        return w;
    };
    if (step.startsWith(QLatin1String("click:"))) {
        if (auto *button = qobject_cast<QAbstractButton *>(child(step.mid(6))))
            button->click();
    } else if (step.startsWith(QLatin1String("key:"))) {
        const QString key = step.section(u'@', 0, 0).mid(4);
        QWidget *target = child(step.section(u'@', 1));
        const Qt::Key code = key == QLatin1String("Return") ? Qt::Key_Return
                             : key == QLatin1String("Escape") ? Qt::Key_Escape
                                                              : Qt::Key_F1;
        if (target)
            QTest::keyClick(target, code);
    } else {
        const QString name = step.section(u'=', 0, 0);
        const QString value = step.section(u'=', 1).replace(QLatin1String("\\n"), QLatin1String("\n"));
        QWidget *w = child(name);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(value);
        else if (auto *list = qobject_cast<QComboBox *>(w))
            list->setEditText(value);
        else if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
            memo->setPlainText(value);
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            spin->setValue(value.toInt());
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setChecked(value == QLatin1String("1"));
    }
}

/// What the test sees of a dialog once filled: its name, caption and the
/// state of the controls that come and go.
QString describe(QDialog &dialog)
{
    QString text = dialog.objectName() + u':' + dialog.windowTitle();
    if (auto *vb = dialog.findChild<QWidget *>(QStringLiteral("RAD_VB")))
        text += vb->isVisibleTo(&dialog) ? QStringLiteral(":modes shown") : QStringLiteral(":modes hidden");
    if (auto *type = dialog.findChild<QComboBox *>(QStringLiteral("LST_TYP")))
        text += u':' + type->currentText();
    if (auto *answer = dialog.findChild<QWidget *>(QStringLiteral("EDT_DEfault")))
        text += answer->isEnabled() ? QStringLiteral(":default on") : QStringLiteral(":default off");
    return text;
}

} // namespace

class TestScriptWizards : public QObject {
    Q_OBJECT

private slots:
    void command_data()
    {
        QTest::addColumn<QString>("id");          // menu item or toolbar button
        QTest::addColumn<QString>("focus");       // "head", "body", or "tree" with HEAD_ED current
        QTest::addColumn<QString>("before");      // the text of both editors
        QTest::addColumn<QStringList>("steps");   // played on the dialog
        QTest::addColumn<QString>("dialog");      // describe() after the steps; empty: no dialog
        QTest::addColumn<QString>("target");      // the editor that changes
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("help");    // help requests made

        const QString none;
        const QStringList noSteps, noHelp;
        const QString tab = QStringLiteral("\t");

        QTest::newRow("1 script header, VBScript chosen, indented")
            << "MMNU_N_Script" << "body" << "  |x"
            << QStringList{"Lista_Jezyk=VBScript", "MEM_Comments=note", "click:Przycisk_OK"}
            << "TSkryptDlg:Script header:text/vbscript" << "body"
            << "  <SCRIPT TYPE=\"text/vbscript\" LANGUAGE=\"VBScript\">\r\n  <!--\r\n  'note\r\n | \r\n  '-->\r\n  </SCRIPT>x"
            << noHelp;
        QTest::newRow("1 script header, Enter in the memo confirms, help by button and F1")
            << "BTN_Script" << "head" << "[old]"
            << QStringList{"click:Przycisk_Pomoc", "key:F1@LST_TYP", "key:Return@MEM_Comments"}
            << "TSkryptDlg:Script header:text/javascript" << "head"
            << "<SCRIPT TYPE=\"text/javascript\" LANGUAGE=\"JavaScript\">\r\n<!--|\r\n\r\n//-->\r\n</SCRIPT>"
            << QStringList{"topic:395", "topic:399"};
        QTest::newRow("1 script header, Escape cancels")
            << "MMNU_N_Script" << "body" << "a[b]c" << QStringList{"MEM_Comments=x", "key:Escape@MEM_Comments"}
            << "TSkryptDlg:Script header:text/javascript" << "body" << "a[b]c" << noHelp;
        QTest::newRow("2 function after a tab stop")
            << "MMNU_N_Func" << "body" << QString(tab + "|") << noSteps << none << "body"
            << QString(tab + "function name(){|\r\n    }") << noHelp;
        QTest::newRow("2 function in column 1, HEAD_ED focused")
            << "BTN_Func" << "head" << "|" << noSteps << none << "head" << "function name(){|\r\n}" << noHelp;
        QTest::newRow("3 for replaces the selection; focus elsewhere means BODY_ED")
            << "MMNU_N_FOR" << "tree" << "x[sel]" << noSteps << none << "body" << "xfor ( ; ; ) {|\r\n }" << noHelp;
        QTest::newRow("4 if") << "BTN_If" << "body" << "ab\t|" << noSteps << none << "body"
                              << "ab\tif ( ) {|\r\n    }" << noHelp;
        QTest::newRow("5 if else") << "MMNU_N_ELSE" << "head" << "  |" << noSteps << none << "head"
                                   << "  if ( ) {|\r\n  }\r\n  else {\r\n  }" << noHelp;
        QTest::newRow("6 NOSCRIPT with its default text, selection replaced")
            << "MMNU_N_NoScript" << "head" << "[old]" << QStringList{"click:Przycisk_Pomoc", "click:Przycisk_OK"}
            << "TNoScriptDlg:<NOSCRIPT> tag:modes hidden" << "head"
            << "<NOSCRIPT>This page uses scripts. If you want to see its power, please download \r\n"
               "the latest version of Netscape Navigator or Microsoft Internet \r\nExplorer.</NOSCRIPT>|"
            << QStringList{"topic:391"};
        QTest::newRow("6 NOSCRIPT: Enter is a new line in the memo")
            << "BTN_NoScript" << "body" << "|" << QStringList{"MEM_NoScript=x", "key:Return@MEM_NoScript", "click:Przycisk_OK"}
            << "TNoScriptDlg:<NOSCRIPT> tag:modes hidden" << "body" << "<NOSCRIPT>\r\nx</NOSCRIPT>|" << noHelp;
        QTest::newRow("7 comments, VBScript mode")
            << "MMNU_N_Comments" << "body" << "|" << QStringList{"MEM_NoScript=first\\nsecond", "RAD_VB=1", "click:Przycisk_OK"}
            << "TNoScriptDlg:Comments:modes shown" << "body" << "'first\r\n'second\r\n|" << noHelp;
        QTest::newRow("7 comments, JavaScript mode, indented, help")
            << "BTN_Comments" << "head" << "  |" << QStringList{"MEM_NoScript=a", "click:Przycisk_Pomoc", "click:Przycisk_OK"}
            << "TNoScriptDlg:Comments:modes shown" << "head" << "  //a\r\n  |" << QStringList{"topic:380"};
        QTest::newRow("7 comments, cancelled")
            << "MMNU_N_Comments" << "body" << "[keep]" << QStringList{"MEM_NoScript=a", "click:Przycisk_Anuluj"}
            << "TNoScriptDlg:Comments:modes shown" << "body" << "[keep]" << noHelp;
        QTest::newRow("8 document.write wraps the current editor's selection")
            << "MMNU_N_DocWrite" << "tree" << "a [bc] d" << noSteps << none << "head"
            << "a document.write(\"[bc]\") d" << noHelp;
        QTest::newRow("8 document.write without a selection")
            << "BTN_DocWrite" << "body" << "|" << noSteps << none << "body" << "document.write(\"|\")" << noHelp;
        QTest::newRow("9 while") << "MMNU_N_While" << "body" << "|" << noSteps << none << "body"
                                 << "while ( condition ) {|\r\n}" << noHelp;
        QTest::newRow("10 with") << "BTN_With" << "body" << "|" << noSteps << none << "body"
                                 << "with ( Object ) {|\r\n}" << noHelp;
        QTest::newRow("11 switch, indented")
            << "MMNU_N_Switch" << "head" << " |" << noSteps << none << "head"
            << " switch ( expression ) {\r\n"
               "     case label :\r\n        statement;\r\n        break;\r\n"
               "     case label :\r\n        statement;\r\n        break;\r\n"
               "     default :\r\n        statement;|\r\n }"
            << noHelp;

        QTest::newRow("window wizard replaces the current editor's selection")
            << "MMNU_N_Window" << "tree" << "x[sel]y"
            << QStringList{"Edit_Title=W", "Check_menu=1", "Check_historia=1", "Spin_Height=200", "Spin_Width=300",
                           "click:Przycisk_OK"}
            << "TJSOknoDlg:New window settings" << "head"
            << "xwindow.open('', 'W', 'menubar,copyhistory,height=200,width=300');|y" << noHelp;
        QTest::newRow("window wizard: a chosen file, Enter confirms, F1 on a field")
            << "Przycisk_JS_Okno" << "body" << "|"
            << QStringList{"click:Przycisk_URL", "key:F1@Edit_URL", "key:Return@Edit_Title"}
            << "TJSOknoDlg:New window settings" << "body" << "window.open('/docs/page.htm', '', '');|"
            << QStringList{"topic:101"};
        QTest::newRow("window wizard cancelled")
            << "Przycisk_JS_Okno" << "body" << "|" << QStringList{"Edit_Title=W", "key:Escape@Edit_Title"}
            << "TJSOknoDlg:New window settings" << "body" << "|" << noHelp;
        QTest::newRow("dialog box: prompt")
            << "MMNU_N_Dialog" << "body" << "|"
            << QStringList{"RAD_Prompt=1", "Edit_Message=Name?", "EDT_DEfault=Joe", "click:Przycisk_Pomoc",
                           "click:Przycisk_OK"}
            << "TJSAlarmDlg:Dialog box:default on" << "body" << "prompt(\"Name?\",\"Joe\");|" << QStringList{"topic:140"};
        QTest::newRow("dialog box: confirm ignores the default")
            << "Przycisk_JS_Alert" << "head" << "[x]"
            << QStringList{"RAD_Prompt=1", "EDT_DEfault=Joe", "Radio_Confirm=1", "Edit_Message=Sure?",
                           "key:Return@Edit_Message"}
            << "TJSAlarmDlg:Dialog box:default off" << "head" << "confirm(\"Sure?\");|" << noHelp;
        QTest::newRow("dialog box cancelled")
            << "MMNU_N_Dialog" << "body" << "[x]" << QStringList{"Edit_Message=Hi", "click:Przycisk_Anuluj"}
            << "TJSAlarmDlg:Dialog box:default off" << "body" << "[x]" << noHelp;
    }

    void command()
    {
        QFETCH(QString, id);
        QFETCH(QString, focus);
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QString, dialog);
        QFETCH(QString, target);
        QFETCH(QString, expected);
        QFETCH(QStringList, help);

        TestWindow t;
        t.prompter.openFileAnswers << QStringLiteral("/docs/page.htm");
        QStringList seen;
        for (const char *name : {"TSkryptDlg", "TNoScriptDlg", "TJSOknoDlg", "TJSAlarmDlg"})
            t.prompter.dialogHandlers.insert(QLatin1String(name), [&](QDialog &d) {
                for (const QString &step : std::as_const(steps))
                    play(d, step);
                seen << describe(d);
                return d.result();
            });

        setMarked(t.head(), before);
        setMarked(t.body(), before);
        // "head" and "body": the user works in that editor (which makes it
        // the current editor too); "tree": the user went from HEAD_ED to a tree.
        if (focus == QLatin1String("head") || focus == QLatin1String("body")) {
            ScriptEditor *editor = focus == QLatin1String("head") ? t.head() : t.body();
            QVERIFY(editor->focusEditor());
            t.window->editors().setCurrent(editor);
        } else {
            QVERIFY(t.head()->focusEditor());
            QTreeWidget *shown = nullptr;
            for (QTreeWidget *tree : t.window->resourceTabs()->findChildren<QTreeWidget *>())
                if (tree->isVisible()) {
                    shown = tree;
                    break;
                }
            QVERIFY(shown);
            shown->setFocus();
            QTRY_VERIFY(shown->hasFocus());
        }

        t.trigger(qPrintable(id));

        QCOMPARE(seen, dialog.isEmpty() ? QStringList() : QStringList{dialog});
        ScriptEditor *changed = target == QLatin1String("head") ? t.head() : t.body();
        ScriptEditor *other = changed == t.head() ? t.body() : t.head();
        QCOMPARE(marked(changed), expected);
        QCOMPARE(other->wholeText(), unmarked(before));
        QCOMPARE(t.help.requests, help);
        QVERIFY2(t.prompter.messages().isEmpty(), qPrintable(t.prompter.describe()));

        // The window wizard's file chooser offers web documents first.
        if (steps.contains(QLatin1String("click:Przycisk_URL"))) {
            const auto files = t.prompter.shown.last();
            QCOMPARE(files.kind, RecordingPrompter::Shown::OpenFile);
            QCOMPARE(files.request.filters.first(), QStringLiteral("HTML documents (*.htm)"));
        }
        // A change is one step back.
        if (unmarked(expected) != unmarked(before)) {
            changed->undo();
            QCOMPARE(changed->wholeText(), unmarked(before));
        }
    }
};

QUILLON_GUI_TEST_MAIN(TestScriptWizards)
#include "tst_scriptwizards.moc"
