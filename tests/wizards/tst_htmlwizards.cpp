// The HTML commands in the main window: formatting tags, the form builder
// and its memo, the element builders with the form check, and the keys of
// the dialogs.  The texts themselves are checked in tst_formbuilders.
//
// Editor texts are written with markers: "[" and "]" around the selection,
// "|" at the caret.

#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "markedtext.h"
#include "testwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

template <typename T>
T *child(QDialog &dialog, const char *name)
{
    T *found = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s in %s", name, qPrintable(dialog.objectName()));
    return found;
}

const QString kSelectLines = QStringLiteral("<SELECT NAME=\"c\" SIZE=\"1\">\r\n"
                                            "    <OPTION VALUE=\"r\">Red</OPTION>\r\n"
                                            "    <OPTION>Blue</OPTION>\r\n"
                                            "</SELECT>\r\n");
const QString kTextarea = QStringLiteral("<TEXTAREA NAME=\"t\">hi");
const QString kElement = QStringLiteral("<INPUT TYPE=\"SUBMIT\" VALUE=\"Send\">");
const QString kFormTag = QStringLiteral("<FORM ACTION=\"x.cgi\" METHOD=\"POST\" >");

/// Dialog answers that fill in the builders as a user would.
void answerBuilders(RecordingPrompter &prompter)
{
    prompter.dialogHandlers[QStringLiteral("TFSelectDlg")] = [](QDialog &d) {
        child<QLineEdit>(d, "Edit_Nazwa")->setText(QStringLiteral("c"));
        child<QSpinBox>(d, "Spin_Rozmiar")->setValue(1);
        child<QLineEdit>(d, "EDT_Elem")->setText(QStringLiteral("Red"));
        child<QLineEdit>(d, "EDT_Value")->setText(QStringLiteral("r"));
        child<QToolButton>(d, "Przycisk_Dodaj")->click();
        child<QLineEdit>(d, "EDT_Elem")->setText(QStringLiteral("Blue"));
        child<QToolButton>(d, "Przycisk_Dodaj")->click();
        return int(QDialog::Accepted);
    };
    prompter.dialogHandlers[QStringLiteral("TFTextDlg")] = [](QDialog &d) {
        child<QLineEdit>(d, "Edit_Nazwa")->setText(QStringLiteral("t"));
        child<QPlainTextEdit>(d, "MEM_Text")->setPlainText(QStringLiteral("hi"));
        return int(QDialog::Accepted);
    };
    prompter.dialogHandlers[QStringLiteral("TFInneDlg")] = [](QDialog &d) {
        auto *kinds = child<QTreeWidget>(d, "Lista_El");
        kinds->setCurrentItem(kinds->topLevelItem(8));
        child<QLineEdit>(d, "Edit_Value")->setText(QStringLiteral("Send"));
        return int(QDialog::Accepted);
    };
}

} // namespace

class TestHtmlWizards : public QObject {
    Q_OBJECT

private slots:
    void formatting_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("Bold, selection") << "MMNU_HTML_Bold" << "x [abc] y" << "x <B>[abc]</B> y";
        QTest::newRow("Bold, none") << "Przycisk_Bold" << "x | y" << "x <B>|</B> y";
        QTest::newRow("Align right, selected word")
            << "Przycisk_DoPrawej" << "a\r\n[word]\r\n" << "a\r\n<P ALIGN=\"RIGHT\">[word]</P>\r\n";
        QTest::newRow("Align right, none") << "MMNU_HTML_Right" << "|" << "<P ALIGN=\"RIGHT\">|</P>";
        QTest::newRow("Preformatted, two lines")
            << "MMNU_HTML_Pre" << "[one\r\ntwo]" << "<PRE>[one\r\ntwo]</PRE>";
    }
    void formatting()
    {
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TestWindow t;
        t.window->editors().setCurrent(t.body());
        setMarked(t.body(), before);
        t.trigger(qPrintable(item));
        QCOMPARE(marked(t.body()), after);
        QTRY_VERIFY(t.body()->hasFocus());
    }

    void formBuilder_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("memo");  // what the user writes in the memo
        QTest::addColumn<QString>("after");
        QTest::newRow("two memo lines") << "|" << "a\r\nb" << "<FORM >\r\na\r\nb\r\n</FORM>|";
        QTest::newRow("empty memo around a selected block")
            << "x\r\n[one\r\ntwo]\r\ny" << "" << "x\r\n<FORM >\r\n[one\r\ntwo]</FORM>\r\ny";
        QTest::newRow("empty memo, no selection") << "x|y" << "" << "x<FORM >\r\n|</FORM>y";
        QTest::newRow("memo replaces the selection")
            << "[old]" << "new" << "<FORM >\r\nnew\r\n</FORM>|";
    }
    void formBuilder()
    {
        QFETCH(QString, before);
        QFETCH(QString, memo);
        QFETCH(QString, after);
        TestWindow t;
        t.window->editors().setCurrent(t.body());
        setMarked(t.body(), before);
        bool bothPages = false;
        t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [&](QDialog &d) {
            bothPages = child<QTabWidget>(d, "Notebook")->isTabVisible(1);
            child<ScriptEditor>(d, "memo")->setWholeText(memo);
            return int(QDialog::Accepted);
        };
        t.trigger("MMNU_HTML_FormB");
        QVERIFY(bothPages);
        QCOMPARE(marked(t.body()), after);
        QVERIFY2(t.prompter.questions().isEmpty(), qPrintable(t.prompter.describe()));
    }

    void formBuilder_elementButtonsFillTheMemo()
    {
        TestWindow t;
        QVERIFY(t.head()->focusEditor());
        QTRY_VERIFY(t.head()->hasFocus());
        t.window->editors().setCurrent(t.head());
        setMarked(t.head(), QStringLiteral("|"));
        answerBuilders(t.prompter);
        QString memoSeen;
        QString afterTextarea;
        t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [&](QDialog &d) {
            child<QComboBox>(d, "Edit_Action")->setEditText(QStringLiteral("x.cgi"));
            child<QComboBox>(d, "Lista_Target")->setCurrentIndex(0);
            auto *memo = child<ScriptEditor>(d, "memo");
            setMarked(memo, QStringLiteral("Note: [x]"));
            child<QToolButton>(d, "BTN_Textarea")->click();
            afterTextarea = marked(memo);
            memo->setCaretPosition(0);
            child<QToolButton>(d, "BTN_Inne")->click();
            memo->append(QStringLiteral("\r\n"));
            memo->setCaretPosition(positionLength(memo->wholeText()));
            child<QToolButton>(d, "BTN_Lista")->click();
            memoSeen = marked(memo);
            child<QCheckBox>(d, "CHK_WordWrap")->click();
            if (!memo->wordWrapOn())
                return int(QDialog::Rejected);
            return int(QDialog::Accepted);
        };
        t.trigger("Przycisk_Formy");
        QCOMPARE(afterTextarea, QStringLiteral("Note: <TEXTAREA NAME=\"t\">hi[x]</TEXTAREA>"));
        const QString contents = kElement + QStringLiteral("Note: <TEXTAREA NAME=\"t\">hix</TEXTAREA>\r\n");
        QCOMPARE(memoSeen, contents + QStringLiteral("[") + kSelectLines + QStringLiteral("]"));
        QCOMPARE(marked(t.head()), QStringLiteral("<FORM ACTION=\"x.cgi\" METHOD=\"POST\" TARGET=\"_blank\" >\r\n") +
                                       contents + kSelectLines + QStringLiteral("\r\n</FORM>|"));
        // Built for the memo, the elements need no form of their own.
        QVERIFY2(t.prompter.questions().isEmpty(), qPrintable(t.prompter.describe()));
    }

    void elementBuilders_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("answer");     // to the form question; -1 when none is expected
        QTest::addColumn<bool>("formOk");    // the form builder's OK, after Yes
        QTest::addColumn<QString>("after");

        const QString outside = QStringLiteral("a [SEL] b");
        const QString form = kFormTag + QStringLiteral("\r\n");
        const QString end = QStringLiteral("\r\n</FORM>");
        QTest::newRow("select, No") << "MMNU_HTML_List" << outside << int(AnswerNo) << false
                                    << "a [" + kSelectLines + "] b";
        QTest::newRow("select, Yes") << "Przycisk_FSelect" << outside << int(AnswerYes) << true
                                     << "a " + form + "[" + kSelectLines + "]" + end + " b";
        QTest::newRow("select, Yes then Cancel")
            << "MMNU_HTML_List" << outside << int(AnswerYes) << false << outside;
        QTest::newRow("textarea, No") << "MMNU_HTML_TextArea" << outside << int(AnswerNo) << false
                                      << "a " + kTextarea + "[SEL]</TEXTAREA> b";
        QTest::newRow("textarea, Yes") << "Przycisk_FText" << outside << int(AnswerYes) << true
                                       << "a " + form + kTextarea + "|</TEXTAREA>" + end + " b";
        QTest::newRow("textarea, Yes then Cancel")
            << "Przycisk_FText" << outside << int(AnswerYes) << false << outside;
        QTest::newRow("other, No") << "MMNU_HTML_Other" << outside << int(AnswerNo) << false
                                   << "a " + kElement + "| b";
        QTest::newRow("other, Yes") << "Przycisk_FInne" << outside << int(AnswerYes) << true
                                    << "a " + form + "[" + kElement + "]" + end + " b";
        QTest::newRow("other, Yes then Cancel")
            << "MMNU_HTML_Other" << outside << int(AnswerYes) << false << outside;
        QTest::newRow("other, inside a form")
            << "MMNU_HTML_Other" << "<FORM NAME=\"f\">\r\n|\r\n</FORM>" << -1 << false
            << "<FORM NAME=\"f\">\r\n" + kElement + "|\r\n</FORM>";
        QTest::newRow("select, below a closed form")
            << "MMNU_HTML_List" << "<FORM NAME=\"f\">\r\n</FORM>\r\n|" << int(AnswerNo) << false
            << "<FORM NAME=\"f\">\r\n</FORM>\r\n[" + kSelectLines + "]";
    }
    void elementBuilders()
    {
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(bool, formOk);
        QFETCH(QString, after);
        TestWindow t;
        t.window->editors().setCurrent(t.body());
        setMarked(t.body(), before);
        answerBuilders(t.prompter);
        bool formPageHidden = false;
        t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [&](QDialog &d) {
            formPageHidden = !child<QTabWidget>(d, "Notebook")->isTabVisible(1);
            child<QComboBox>(d, "Edit_Action")->setEditText(QStringLiteral("x.cgi"));
            return int(formOk ? QDialog::Accepted : QDialog::Rejected);
        };
        if (answer >= 0)
            t.prompter.yesNoAnswers << answer;

        t.trigger(qPrintable(item));

        QCOMPARE(marked(t.body()), after);
        const auto questions = t.prompter.questions();
        QCOMPARE(questions.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0) {
            QCOMPARE(questions.first().title, QStringLiteral("Information"));
            QCOMPARE(questions.first().text, QStringLiteral("Each form element should be inserted between <FORM> "
                                                            "tags.\r\nDo you want to define <FORM> tag?"));
        }
        const int formBuilders = int(std::count_if(t.prompter.shown.cbegin(), t.prompter.shown.cend(), [](const auto &s) {
            return s.text == QStringLiteral("TFormularzDlg");
        }));
        QCOMPARE(formBuilders, answer == AnswerYes ? 1 : 0);
        if (answer == AnswerYes)
            QVERIFY2(formPageHidden, "the form around an element is built without the elements page");
    }

    // Enter adds an option in the select list and starts a line in the
    // memos, but confirms the other-elements builder; Escape cancels even
    // from the form builder's memo; Help opens each dialog's topic.
    void dialogKeysAndHelp()
    {
        TestWindow t;
        t.window->editors().setCurrent(t.body());
        setMarked(t.body(), QStringLiteral("|"));
        t.prompter.yesNoAnswers << AnswerNo;
        bool stayedOpen = false;
        int options = 0;
        QStringList editing;
        t.prompter.dialogHandlers[QStringLiteral("TFSelectDlg")] = [&](QDialog &d) {
            d.show();
            auto *option = child<QLineEdit>(d, "EDT_Elem");
            option->setFocus();
            QTest::keyClicks(option, QStringLiteral("One"));
            QTest::keyClick(option, Qt::Key_Return);
            auto *name = child<QLineEdit>(d, "Edit_Nazwa");
            QTest::keyClick(name, Qt::Key_Return);
            stayedOpen = d.isVisible() && d.result() == 0;
            child<QPushButton>(d, "Przycisk_Pomoc")->click();
            auto *list = child<QListWidget>(d, "Lista_Elementy");
            options = list->count();
            // The list's commands, and the option edit following the selection.
            for (const char *text : {"two", "Alpha"}) {
                option->setText(QString::fromLatin1(text));
                child<QToolButton>(d, "Przycisk_Dodaj")->click();
            }
            list->setCurrentRow(2);
            child<QToolButton>(d, "MoveUpButton")->click();
            editing << QString::number(list->currentRow()) + u':' + option->text();
            child<QToolButton>(d, "BTN_Sort")->click();
            editing << option->text();
            list->setCurrentRow(1);
            child<QToolButton>(d, "Przycisk_Usun")->click();
            child<QToolButton>(d, "MoveDownButton")->click();
            for (int row = 0; row < list->count(); ++row)
                editing << list->item(row)->text();
            QTest::keyClick(name, Qt::Key_Escape);
            return d.result();
        };
        t.trigger("MMNU_HTML_List");
        QVERIFY(stayedOpen);
        QCOMPARE(options, 1);
        QCOMPARE(editing, (QStringList{QStringLiteral("1:Alpha"), QString(), QStringLiteral("Alpha"),
                                       QStringLiteral("two")}));
        QCOMPARE(marked(t.body()), QStringLiteral("|"));

        // The fields shown follow the kind: what each kind's rows show.
        QStringList shownFields;
        t.prompter.dialogHandlers[QStringLiteral("TFInneDlg")] = [&shownFields](QDialog &d) {
            d.show();
            auto *kinds = child<QTreeWidget>(d, "Lista_El");
            for (const int kind : {3, 9, 0}) {  // Hidden, Image submit, Text
                kinds->setCurrentItem(kinds->topLevelItem(kind));
                QStringList shown;
                for (const char *field : {"Spin_Rozmiar", "Lista_Align", "Check_Checked", "Edit_Obrazek"})
                    if (d.findChild<QWidget *>(QLatin1String(field))->isVisibleTo(&d))
                        shown << QLatin1String(field);
                shownFields << shown.join(u' ');
            }
            child<QPushButton>(d, "Przycisk_Pomoc")->click();
            QTest::keyClick(child<QLineEdit>(d, "Edit_Name"), Qt::Key_Return);
            return d.result();
        };
        t.trigger("MMNU_HTML_Other");
        QCOMPARE(marked(t.body()), QStringLiteral("<INPUT TYPE=\"TEXT\">|"));
        QCOMPARE(shownFields, (QStringList{QString(), QStringLiteral("Spin_Rozmiar Edit_Obrazek"),
                                           QStringLiteral("Spin_Rozmiar Lista_Align")}));

        t.prompter.dialogHandlers[QStringLiteral("TFormularzDlg")] = [](QDialog &d) {
            d.show();
            child<QTabWidget>(d, "Notebook")->setCurrentIndex(1);
            auto *memo = child<ScriptEditor>(d, "memo");
            memo->setFocus();
            QTest::keyClick(memo, Qt::Key_Return);
            if (!d.isVisible() || memo->lineCount() != 2)
                return int(QDialog::Accepted);  // shows up as a changed body
            child<QPushButton>(d, "Przycisk_Pomoc")->click();
            QTest::keyClick(memo, Qt::Key_Escape);
            return d.result();
        };
        t.trigger("MMNU_HTML_FormB");
        QCOMPARE(marked(t.body()), QStringLiteral("<INPUT TYPE=\"TEXT\">|"));

        t.prompter.dialogHandlers[QStringLiteral("TFTextDlg")] = [](QDialog &d) {
            child<QPushButton>(d, "Przycisk_Pomoc")->click();
            return int(QDialog::Rejected);
        };
        t.trigger("MMNU_HTML_TextArea");
        QCOMPARE(t.help.requests, (QStringList{QStringLiteral("topic:820"), QStringLiteral("topic:940"),
                                               QStringLiteral("topic:760"), QStringLiteral("topic:890")}));
    }

    // F1 on any field of an HTML dialog opens the dialog's topic, as its
    // Help button does, and leaves the dialog open.
    void htmlDialogs_f1OpensTheirTopic_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("topic");
        QTest::newRow("form builder memo") << "MMNU_HTML_FormB"
                                           << "TFormularzDlg"
                                           << "memo"
                                           << "topic:760";
        QTest::newRow("list of choices option") << "MMNU_HTML_List"
                                                << "TFSelectDlg"
                                                << "EDT_Elem"
                                                << "topic:820";
        QTest::newRow("list of choices list") << "MMNU_HTML_List"
                                              << "TFSelectDlg"
                                              << "Lista_Elementy"
                                              << "topic:820";
        QTest::newRow("textarea text") << "MMNU_HTML_TextArea"
                                       << "TFTextDlg"
                                       << "MEM_Text"
                                       << "topic:890";
        QTest::newRow("other elements name") << "MMNU_HTML_Other"
                                             << "TFInneDlg"
                                             << "Edit_Name"
                                             << "topic:940";
        QTest::newRow("other elements kinds") << "MMNU_HTML_Other"
                                              << "TFInneDlg"
                                              << "Lista_El"
                                              << "topic:940";
    }

    void htmlDialogs_f1OpensTheirTopic()
    {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QFETCH(QString, topic);
        TestWindow t;
        t.window->editors().setCurrent(t.body());
        t.prompter.yesNoAnswers << AnswerNo << AnswerNo;
        bool open = false;
        t.prompter.dialogHandlers[dialog] = [&](QDialog &d) {
            d.show();
            if (!QTest::qWaitForWindowActive(&d))
                d.activateWindow();
            if (field == QLatin1String("memo"))
                child<QTabWidget>(d, "Notebook")->setCurrentIndex(1);
            auto *control = d.findChild<QWidget *>(field);
            if (!control)
                return int(QDialog::Accepted);  // shows up as no help asked
            control->setFocus();
            QTest::keyClick(control, Qt::Key_F1);
            open = d.isVisible();
            return int(QDialog::Rejected);
        };
        t.trigger(command.toLatin1().constData());
        QCOMPARE(t.help.requests, QStringList{topic});
        QVERIFY(open);
    }
};

QUILLON_GUI_TEST_MAIN(TestHtmlWizards)
#include "tst_htmlwizards.moc"
