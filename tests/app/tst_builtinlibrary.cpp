// The built-in library in the window: choosing scripts and their settings
// pages, the page handlers and list editors, the colour buttons, and the
// strip's commands going through GetLibraryScript.

#include "app/resourcetabs.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinlibrary.h"
#include "library/builtin/builtinpages.h"
#include "library/builtin/listdialogs.h"
#include "library/renamedialog.h"
#include "testwindow.h"
#include "widgets/colourbutton.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kNotConfigured = QStringLiteral("The script isn't configured! Please correct settings.");

struct BuiltInWindow {
    TestWindow t;
    BuiltInLibrary &library() const { return t.window->builtInLibrary(); }
    QTreeWidget *tree() const { return library().tree(); }
    QStackedWidget *noteBook() const { return t.window->noteBook(); }
    BuiltInSettings &settings() const { return library().settings(); }
    template <typename W>
    W *child(const char *name) const
    {
        W *widget = t.window->findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no %s", name);
        return widget;
    }
    void select(int id) const
    {
        tree()->setCurrentItem(tree()->topLevelItem(id));
        tree()->topLevelItem(id)->setSelected(true);
    }
    void clickNode(int id) const
    {
        tree()->scrollToItem(tree()->topLevelItem(id));
        const QRect r = tree()->visualItemRect(tree()->topLevelItem(id));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, r.center());
    }
    QStringList firstColumn() const
    {
        QStringList cells;
        auto *grid = child<QTableWidget>("LST_Odnosnik");
        for (int r = 0; r < grid->rowCount(); ++r)
            cells << (grid->item(r, 0) ? grid->item(r, 0)->text() : QString());
        return cells;
    }
    /// The link dialog's next answer: its fields, then OK or Cancel.
    void answerLink(const QString &description, const QString &address, bool ok = true)
    {
        t.prompter.dialogHandlers.insert(QStringLiteral("TOdnosnikDlg"), [=](QDialog &d) {
            auto &dialog = static_cast<TOdnosnikDlg &>(d);
            dialog.setLink(description, address);
            if (ok)
                dialog.accept();
            else
                dialog.reject();
            return dialog.result();
        });
    }
};

}  // namespace

class TestBuiltInLibrary : public QObject {
    Q_OBJECT
private slots:
    void keyboardSwitchesPages_andNoteBookComesWithAClick();
    void printerText_refusesDoubleQuotes_andFitWidthFollows();
    void navigatorButtons_takeOnlyANonEmptyCaption();
    void linkAndCitationGrid_edgeCases();
    void headlines_addEditDelete_andClearAsksFirst();
    void colourFlags_areSetOnlyByPickingAColour();
    void stripCommands_goThroughGetLibraryScript();
    void everySettingsPage_fitsANarrowWindow();
};

// No script's settings page widens the window: a page wider than the
// editors scrolls sideways under them, and shows whole in height.
void TestBuiltInLibrary::everySettingsPage_fitsANarrowWindow()
{
    BuiltInWindow w;
    w.t.window->showNormal();
    w.t.window->resize(900, 640);
    QTRY_COMPARE(w.t.window->width(), 900);
    int scrolled = 0;
    for (int id = 0; id < w.tree()->topLevelItemCount(); ++id) {
        w.clickNode(id);
        QApplication::processEvents();
        QTest::qWait(10);
        QVERIFY2(w.t.window->width() <= 900, qPrintable(w.tree()->topLevelItem(id)->text(0)));
        if (!w.noteBook()->isVisible())
            continue;
        QWidget *page = w.noteBook()->currentWidget();
        QVERIFY2(w.noteBook()->parentWidget()->height() >= page->minimumSizeHint().height(),
                 qPrintable(w.tree()->topLevelItem(id)->text(0)));
        if (w.noteBook()->width() > w.noteBook()->parentWidget()->width())
            ++scrolled;
    }
    // At this width some pages are wider than the room under the editors.
    QVERIFY(scrolled > 0);
}

void TestBuiltInLibrary::keyboardSwitchesPages_andNoteBookComesWithAClick()
{
    BuiltInWindow w;
    QVERIFY(w.tree()->isEnabled());
    QCOMPARE(w.tree()->topLevelItemCount(), 35);
    w.tree()->setFocus();
    QTRY_VERIFY(w.tree()->hasFocus());
    // The focus makes the first node current without selecting it.
    QCOMPARE(w.library().selectedId(), -1);
    QTest::keyClick(w.tree(), Qt::Key_Down);
    QTest::keyClick(w.tree(), Qt::Key_Home);
    struct Step {
        int id;
        const char *page;
    };
    // Down the tree by keyboard: each script brings its page, NoteBook
    // stays hidden.
    const Step steps[] = {{0, "TAB_Lista"},     {1, "TAB_Scroll"},    {2, "TAB_Drukarz"},    {3, "Tab_Nawigator"},
                          {4, "TAB_Kolory"},    {5, "TAB_AnimTekst"}, {6, "TAB_Pusty"},      {9, "TAB_Lista"},
                          {10, "TAB_PoraDnia"}, {22, "Tab_Day"},      {33, "TAB_AnimTekst"}, {34, "TAB_HeadLiner"}};
    int at = 0;
    for (const Step &step : steps) {
        for (; at < step.id; ++at)
            QTest::keyClick(w.tree(), Qt::Key_Down);
        QCOMPARE(w.library().selectedId(), step.id);
        QCOMPARE(w.noteBook()->currentWidget()->objectName(), QString::fromLatin1(step.page));
        QVERIFY(!w.noteBook()->isVisible());
    }
    // What a shared page shows follows the script.
    QTest::keyClick(w.tree(), Qt::Key_Up);  // 33
    QVERIFY(w.child<QWidget>("PNL_Date")->isVisibleTo(w.noteBook()));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w.tree(), Qt::Key_Up);  // 30
    QVERIFY(!w.child<QWidget>("PNL_Date")->isVisibleTo(w.noteBook()));
    QCOMPARE(w.child<QLineEdit>("EDT_AnimTekst")->text(), QStringLiteral("Put your text here ..."));

    // A click shows NoteBook and shares the room between HEAD and BODY.
    w.clickNode(21);
    QVERIFY(w.noteBook()->isVisible());
    QCOMPARE(w.noteBook()->currentWidget()->objectName(), QStringLiteral("TAB_PoraDnia"));
    QVERIFY(!w.child<QLineEdit>("EDT_Przed12")->isVisible());
    const QList<int> sizes = w.t.window->findChild<QSplitter *>(QStringLiteral("Splitter2"))->sizes();
    QVERIFY2(qAbs(sizes.at(0) - sizes.at(1)) <= 1,
             qPrintable(QStringLiteral("%1 %2").arg(sizes.at(0)).arg(sizes.at(1))));

    // An editor taking the focus, or another resource tab, hides it again.
    w.t.body()->setFocus();
    QTRY_VERIFY(!w.noteBook()->isVisible());
    w.clickNode(21);
    QVERIFY(w.noteBook()->isVisible());
    w.t.window->resourceTabs()->setCurrentIndex(1);
    QVERIFY(!w.noteBook()->isVisible());
}

void TestBuiltInLibrary::printerText_refusesDoubleQuotes_andFitWidthFollows()
{
    BuiltInWindow w;
    w.select(2);
    w.clickNode(2);
    auto *edit = w.child<QLineEdit>("EDT_Drukarz");
    auto *width = w.child<QSpinBox>("Spin_Drukarz_Szer");
    auto *fit = w.child<QCheckBox>("Check_Drukarz");
    edit->clear();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ab\"c"));
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QCOMPARE(edit->cursorPosition(), 3);
    QCOMPARE(w.t.prompter.messages().size(), 1);
    QCOMPARE(w.t.prompter.messages().first().title, QStringLiteral("Warning!"));
    QCOMPARE(w.t.prompter.messages().first().text, QStringLiteral("Illegal character"));
    QCOMPARE(w.t.prompter.messages().first().icon, int(IconWarning));

    // A pasted text loses its double quotes, with the same warning.
    QGuiApplication::clipboard()->setText(QStringLiteral("\"x\" y"));
    edit->setCursorPosition(1);
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("ax ybc"));
    QCOMPARE(w.t.prompter.messages().size(), 2);
    QCOMPARE(w.settings().printer.text, QStringLiteral("ax ybc"));

    // "Fit width" follows the text only while checked.
    QCOMPARE(width->value(), 30);
    QTest::mouseClick(fit, Qt::LeftButton, {}, QPoint(5, fit->height() / 2));
    QVERIFY(fit->isChecked());
    QCOMPARE(width->value(), 6);
    QTest::keyClicks(edit, QStringLiteral("12"));
    QCOMPARE(width->value(), 8);
    QCOMPARE(w.settings().printer.width, 8);
    QTest::mouseClick(fit, Qt::LeftButton, {}, QPoint(5, fit->height() / 2));
    QVERIFY(!fit->isChecked());
    QTest::keyClicks(edit, QStringLiteral("345"));
    QCOMPARE(width->value(), 8);
    width->setValue(44);
    QCOMPARE(w.settings().printer.width, 44);
}

void TestBuiltInLibrary::navigatorButtons_takeOnlyANonEmptyCaption()
{
    BuiltInWindow w;
    w.select(3);
    struct Answer {
        const char *button;
        const char *typed;  // nullptr: Cancel
        const char *caption;
        const char *expected;
    };
    const Answer answers[] = {{"Przycisk1", "", "\"Back\" button", "<<"},
                              {"Przycisk1", "Back", "\"Back\" button", "Back"},
                              {"Przycisk2", nullptr, "\"Main page\" button", "Main page"},
                              {"Przycisk3", "Next", "\"Forward\" button", "Next"}};
    for (const Answer &answer : answers) {
        QString seenCaption, seenLabel, seenText;
        w.t.prompter.dialogHandlers.insert(QStringLiteral("TDlg_Rename"), [&](QDialog &d) {
            auto &dialog = static_cast<TDlg_Rename &>(d);
            seenCaption = dialog.windowTitle();
            seenText = dialog.text();
            seenLabel = dialog.findChild<QLabel *>()->text();
            if (!answer.typed)
                return int(QDialog::Rejected);
            dialog.edit()->setText(QString::fromUtf8(answer.typed));
            return int(QDialog::Accepted);
        });
        auto *button = w.child<QPushButton>(answer.button);
        const QString before = button->text();
        button->click();
        QCOMPARE(seenCaption, QString::fromUtf8(answer.caption));
        QCOMPARE(seenLabel, QStringLiteral("I need button description"));
        QCOMPARE(seenText, before);
        QCOMPARE(button->text(), QString::fromUtf8(answer.expected));
    }
    QCOMPARE(w.settings().navigator.backCaption, QStringLiteral("Back"));
    QCOMPARE(w.settings().navigator.mainCaption, QStringLiteral("Main page"));
    QCOMPARE(w.settings().navigator.forwardCaption, QStringLiteral("Next"));

    // The file chooser puts the chosen file's path into the address.
    w.t.prompter.openFileAnswers = {QStringLiteral("/tmp/site/index.html")};
    w.child<QToolButton>("BTN_Nawigator")->click();
    QCOMPARE(w.t.prompter.shown.last().request.filters.first(), QStringLiteral("HTML documents (*.htm *.html)"));
    QCOMPARE(w.settings().navigator.url, QDir::toNativeSeparators(QStringLiteral("/tmp/site/index.html")));
}

void TestBuiltInLibrary::linkAndCitationGrid_edgeCases()
{
    BuiltInWindow w;
    w.select(0);
    auto *grid = w.child<QTableWidget>("LST_Odnosnik");
    const auto press = [&](const char *button) { w.child<QToolButton>(button)->click(); };
    QCOMPARE(w.firstColumn().size(), 2);

    // Cancel, or OK without a description, adds nothing; OK with an empty
    // address closes as Cancel.
    w.answerLink(QStringLiteral("Site"), QStringLiteral("https://example.net/"), false);
    press("BTN_Odnosnik_Dodaj");
    w.answerLink(QString(), QStringLiteral("https://example.net/"));
    press("BTN_Odnosnik_Dodaj");
    w.answerLink(QStringLiteral("Site"), QString());
    press("BTN_Odnosnik_Dodaj");
    QCOMPARE(w.firstColumn().size(), 2);

    // Clear leaves one empty row, which the next add fills.
    press("BTN_Odnosnik_Skasuj");
    QCOMPARE(w.firstColumn(), QStringList{QString()});
    w.answerLink(QStringLiteral("Site"), QStringLiteral("https://example.net/"));
    press("BTN_Odnosnik_Dodaj");
    QCOMPARE(w.firstColumn(), QStringList{QStringLiteral("Site")});
    w.answerLink(QStringLiteral("Other"), QStringLiteral("https://example.org/"));
    press("BTN_Odnosnik_Dodaj");
    QCOMPARE(w.firstColumn(), (QStringList{QStringLiteral("Site"), QStringLiteral("Other")}));

    // Edit changes the current row only when the dialog gives both fields.
    grid->setCurrentCell(0, 0);
    w.answerLink(QStringLiteral("Renamed"), QString());
    press("BTN_Odnosnik_Edytuj");
    QCOMPARE(w.firstColumn().first(), QStringLiteral("Site"));
    w.answerLink(QStringLiteral("Renamed"), QStringLiteral("https://example.com/r"));
    press("BTN_Odnosnik_Edytuj");
    QCOMPARE(w.settings().list.rows.first(),
             (ListRow{QStringLiteral("Renamed"), QStringLiteral("https://example.com/r")}));

    // Delete moves the rows up and never loses the last row.
    grid->setCurrentCell(0, 0);
    press("BTN_Odnosnik_Usun");
    QCOMPARE(w.firstColumn(), QStringList{QStringLiteral("Other")});
    press("BTN_Odnosnik_Usun");
    QCOMPARE(w.firstColumn(), QStringList{QString()});
    QCOMPARE(grid->rowCount(), 1);
    // Editing an empty row opens nothing.
    const int dialogs = int(w.t.prompter.dialogs().size());
    press("BTN_Odnosnik_Edytuj");
    QCOMPARE(int(w.t.prompter.dialogs().size()), dialogs);

    // The link dialog's Help opens its topic; its file chooser fills the address.
    w.t.prompter.openFileAnswers = {QStringLiteral("/tmp/page.htm")};
    w.t.prompter.dialogHandlers.insert(QStringLiteral("TOdnosnikDlg"), [](QDialog &d) {
        d.findChild<QPushButton *>(QStringLiteral("BTN_Help"))->click();
        d.findChild<QToolButton *>(QStringLiteral("Przycisk_Otworz"))->click();
        static_cast<TOdnosnikDlg &>(d).descriptionEdit()->setText(QStringLiteral("Local"));
        d.accept();
        return d.result();
    });
    press("BTN_Odnosnik_Dodaj");
    QVERIFY(w.t.help.requests.contains(QStringLiteral("topic:640")));
    QCOMPARE(w.settings().list.rows.first().second, QDir::toNativeSeparators(QStringLiteral("/tmp/page.htm")));

    // Citations: the two edits are the input; edit copies a row into them.
    w.select(12);
    QCOMPARE(w.firstColumn().size(), 6);
    auto *author = w.child<QLineEdit>("Edit_Lista_Opis");
    auto *quotation = w.child<QLineEdit>("Edit_Lista_Przycisk");
    w.t.prompter.clear();
    press("BTN_Odnosnik_Dodaj");
    author->setText(QStringLiteral("A. Nonymous"));
    press("BTN_Odnosnik_Dodaj");
    QCOMPARE(w.t.prompter.messages().size(), 2);
    QCOMPARE(w.t.prompter.messages().at(0).text, QStringLiteral("I need author's name"));
    QCOMPARE(w.t.prompter.messages().at(1).text, QStringLiteral("I need citation"));
    QCOMPARE(w.t.prompter.messages().at(1).title, QStringLiteral("Information"));
    grid->setCurrentCell(1, 0);
    press("BTN_Odnosnik_Edytuj");
    QCOMPARE(author->text(), w.firstColumn().at(1));
    quotation->setText(QStringLiteral("Changed words."));
    press("BTN_Odnosnik_Dodaj");
    QCOMPARE(w.firstColumn().size(), 7);
    QCOMPARE(w.firstColumn().at(1), w.firstColumn().at(6));
    QCOMPARE(w.settings().list.rows.at(6).second, QStringLiteral("Changed words."));
    QVERIFY(w.settings().list.rows.at(1).second != QStringLiteral("Changed words."));
    QCOMPARE(author->text(), w.firstColumn().at(1));  // the edits keep their text
    QVERIFY(w.t.prompter.dialogs().isEmpty());

    // Another list script and back: the six defaults only.
    w.select(0);
    w.select(12);
    QCOMPARE(w.firstColumn().size(), 6);
}

void TestBuiltInLibrary::headlines_addEditDelete_andClearAsksFirst()
{
    BuiltInWindow w;
    w.select(34);
    auto *list = w.child<QTreeWidget>("LST_HEadLiner");
    const auto press = [&](const char *button) { w.child<QToolButton>(button)->click(); };
    QCOMPARE(list->topLevelItemCount(), 3);

    // Added without an effect: the column stays empty; the wait is the default.
    w.t.prompter.dialogHandlers.insert(QStringLiteral("THeadLinDlg"), [](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("EDT_HL_Text"))->setText(QStringLiteral("Fresh news"));
        d.findChild<QComboBox *>(QStringLiteral("LST_Window"))->setEditText(QStringLiteral("main"));
        return int(QDialog::Accepted);
    });
    press("BTN_Head_Ad");
    QCOMPARE(list->topLevelItemCount(), 4);
    QCOMPARE(w.settings().headliner.rows.last(),
             (Headline{QStringLiteral("Fresh news"), {}, {}, QStringLiteral("main"), QStringLiteral("1000")}));

    // Edit opens with the typed frame empty and takes what the dialog holds.
    QString frameShown;
    int waitShown = 0;
    w.t.prompter.dialogHandlers.insert(QStringLiteral("THeadLinDlg"), [&](QDialog &d) {
        frameShown = d.findChild<QComboBox *>(QStringLiteral("LST_Window"))->currentText();
        waitShown = d.findChild<QSpinBox *>(QStringLiteral("SPN_Time"))->value();
        d.findChild<QComboBox *>(QStringLiteral("LST_Effect"))->setCurrentIndex(2);
        return int(QDialog::Accepted);
    });
    const int dialogs = int(w.t.prompter.dialogs().size());
    list->clearSelection();
    press("BTN_Head_Edit");  // nothing selected: nothing happens
    press("BTN_Head_Del");
    QCOMPARE(int(w.t.prompter.dialogs().size()), dialogs);
    QCOMPARE(list->topLevelItemCount(), 4);
    list->topLevelItem(3)->setSelected(true);
    w.settings().headliner.rows[3].wait = QStringLiteral("abc");
    press("BTN_Head_Edit");
    QCOMPARE(frameShown, QString());
    QCOMPARE(waitShown, 1000);
    QCOMPARE(list->topLevelItem(3)->text(2), QStringLiteral("Blink"));
    QCOMPARE(list->topLevelItem(3)->text(3), QString());

    list->setCurrentItem(list->topLevelItem(0));
    press("BTN_Head_Del");
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(w.settings().headliner.rows.first().effect, QStringLiteral("Scroll"));

    // Clearing asks; only Yes clears.
    w.t.prompter.yesNoAnswers = {AnswerNo, AnswerYes};
    press("BTN_Head_Clear");
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(w.t.prompter.questions().last().title, QStringLiteral("Please confirm"));
    QCOMPARE(w.t.prompter.questions().last().text,
             QStringLiteral("Are you sure you want to delete all items of Headliner script?"));
    press("BTN_Head_Clear");
    QCOMPARE(list->topLevelItemCount(), 0);
    QVERIFY(w.settings().headliner.rows.isEmpty());
    // The page keeps its list across selections.
    w.select(0);
    w.select(34);
    QCOMPARE(list->topLevelItemCount(), 0);
}

void TestBuiltInLibrary::colourFlags_areSetOnlyByPickingAColour()
{
    BuiltInWindow w;
    w.select(4);
    auto *start = w.child<ColourButton>("Przycisk_Tlo_Kolor1");
    auto *end = w.child<ColourButton>("Przycisk_Tlo_Kolor2");
    const ColourSettings &colours = w.settings().colours;
    QCOMPARE(start->colour(), QColor(0xC0, 0xC0, 0xC0));

    // Changing the speed, showing the colours again or cancelling the
    // colour dialog picks nothing.
    w.child<QSpinBox>("Spin_Speed")->setValue(20);
    w.select(0);
    w.select(4);
    w.t.prompter.dialogHandlers.insert(QStringLiteral("ColorDialog"), [](QDialog &d) {
        static_cast<QColorDialog &>(d).setCurrentColor(Qt::green);
        return int(QDialog::Rejected);
    });
    start->paletteMenu()->findChild<QPushButton *>(QStringLiteral("PaletteOther"))->click();
    QVERIFY(!colours.startChosen && !colours.endChosen);
    QCOMPARE(colours.speed, 20);

    // A palette cell picks a colour for its button only.
    QCOMPARE(start->paletteMenu()->findChildren<QToolButton *>().size(), 20);
    start->paletteMenu()->findChild<QToolButton *>(QStringLiteral("PaletteColour1"))->click();
    QVERIFY(colours.startChosen);
    QVERIFY(!colours.endChosen);
    QCOMPARE(colours.startColour, 0xFF0000u);
    QCOMPARE(start->colour(), QColor(Qt::red));

    // "&Other" through the colour dialog, which keeps its custom colours.
    w.t.prompter.dialogHandlers.insert(QStringLiteral("ColorDialog"), [](QDialog &d) {
        QColorDialog::setCustomColor(0, QColor(0x12, 0x34, 0x56));
        static_cast<QColorDialog &>(d).setCurrentColor(QColor(0x10, 0x20, 0x30));
        return int(QDialog::Accepted);
    });
    end->paletteMenu()->findChild<QPushButton *>(QStringLiteral("PaletteOther"))->click();
    QVERIFY(colours.endChosen);
    QCOMPARE(colours.endColour, 0x102030u);
    QColorDialog::setCustomColor(0, Qt::white);
    QTemporaryDir dir;
    {
        QSettings stored(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        CustomColours custom(&stored);
        QCOMPARE(custom.colours().first(), QColor(Qt::white));
        chooseColourInDialog(w.t.prompter, custom, Qt::black);
        QCOMPARE(custom.colours().first(), QColor(0x12, 0x34, 0x56));
    }
    QSettings again(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    QCOMPARE(CustomColours(&again).colours().first(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(CustomColours(&again).colours().last(), QColor(Qt::white));
}

void TestBuiltInLibrary::stripCommands_goThroughGetLibraryScript()
{
    BuiltInWindow w;
    RecordingPrompter &prompter = w.t.prompter;
    w.t.head()->setWholeText(QStringLiteral("H0"));
    w.t.body()->setWholeText(QStringLiteral("B0"));
    for (const char *id : {"BTN_Edit_Lib", "ToolbarButton971", "BTN_Preview_Built"})
        QVERIFY2(w.t.action(id)->isEnabled(), id);

    // Nothing selected: Edit does nothing, Insert asks for a selection.
    w.t.trigger("BTN_Edit_Lib");
    QVERIFY(prompter.shown.isEmpty());
    w.t.trigger("ToolbarButton971");
    QCOMPARE(prompter.messages().size(), 1);
    QCOMPARE(prompter.messages().first().title, QStringLiteral("Information!"));
    QCOMPARE(prompter.messages().first().text, QStringLiteral("Please select a script!"));

    // "Flashing background" without its colours is not configured: each
    // way of taking it out says so and changes nothing.
    w.select(4);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    prompter.clear();
    prompter.yesNoAnswers = {AnswerYes, AnswerYes};
    w.t.trigger("ToolbarButton971");
    w.t.trigger("BTN_Edit_Lib");
    emit w.t.body()->dropped(w.tree(), QPoint(5, 5));
    w.tree()->setFocus();
    QTRY_VERIFY(w.tree()->hasFocus());
    w.t.trigger("POP_Clip_Library");
    QCOMPARE(prompter.questions().size(), 2);  // Edit and the drop ask before replacing
    QCOMPARE(prompter.messages().size(), 4);
    for (const RecordingPrompter::Shown &shown : prompter.messages()) {
        QCOMPARE(shown.title, QStringLiteral("Information"));
        QCOMPARE(shown.text, kNotConfigured);
    }
    QCOMPARE(w.t.head()->wholeText(), QStringLiteral("H0"));
    QCOMPARE(w.t.body()->wholeText(), QStringLiteral("B0"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));

    // A configured script ("Animated text", on its page's defaults): Insert
    // puts the generated BODY at the caret and HEAD at the end, Edit
    // replaces the editors with them.
    w.select(5);
    const std::optional<GeneratedScript> generated = generateBuiltInScript(5, w.settings());
    QVERIFY(generated && !generated->head.isEmpty() && !generated->body.isEmpty());
    prompter.clear();
    w.t.body()->setCaretPosition(1);
    w.t.trigger("ToolbarButton971");
    QCOMPARE(w.t.head()->wholeText(), QStringLiteral("H0") + generated->head);
    QCOMPARE(w.t.body()->wholeText(), QStringLiteral("B") + generated->body + QStringLiteral("0"));
    prompter.yesNoAnswers = {AnswerYes};
    w.t.trigger("BTN_Edit_Lib");
    QCOMPARE(w.t.head()->wholeText(), generated->head);
    QCOMPARE(w.t.body()->wholeText(), generated->body);
    QVERIFY(prompter.messages().isEmpty());
    w.t.head()->setWholeText(QStringLiteral("H0"));
    w.t.body()->setWholeText(QStringLiteral("B0"));
    w.select(4);

    // Without an embedded browser Preview shows the editors' script in the
    // default browser.
    w.t.trigger("BTN_Preview_Built");
    QCOMPARE(w.t.shell.openedPaths.size(), 1);
    emit w.tree()->itemDoubleClicked(w.tree()->topLevelItem(4), 0);
    QCOMPARE(w.t.shell.openedPaths.size(), 2);

    // The embedded browser refuses "Browser exit" by its node; the help
    // button opens the tab's topic.
    QVERIFY(!w.library().isBrowserExitSelected());
    w.select(14);
    QVERIFY(w.library().isBrowserExitSelected());
    w.t.trigger("BTN_BuilIn_Help");
    QCOMPARE(w.t.help.requests.last(), QStringLiteral("topic:400"));
}

QUILLON_GUI_TEST_MAIN(TestBuiltInLibrary)
#include "tst_builtinlibrary.moc"
