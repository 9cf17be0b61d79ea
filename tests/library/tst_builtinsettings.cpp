// The built-in scripts' settings: what selecting a script sets up on the
// shared pages and what it leaves alone, "Fit width", and the editing
// rules of the link/citation grid and the headline dialog.

#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtinlists.h"
#include "library/builtin/builtinsettings.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<ListRow>)

namespace {

/// Settings as a user leaves them after working on every page.
BuiltInSettings usedSettings()
{
    BuiltInSettings s;
    selectBuiltInScript(s, 12);
    addListRow(s.list.rows, {QStringLiteral("A. Nonymous"), QStringLiteral("Nothing to add.")});
    s.list.firstEdit = QStringLiteral("typed");
    selectBuiltInScript(s, 33);
    s.animText.text = QStringLiteral("typed");
    s.animText.day = 17;
    s.animText.month = 6;
    s.animText.year = 2042;
    selectBuiltInScript(s, 31);
    s.dayTime.texts[0] = QStringLiteral("typed");
    s.scroll.statusText = QStringLiteral("my scroll");
    s.printer.setText(QStringLiteral("my text"));
    s.navigator.mainCaption = QStringLiteral("Home");
    s.colours.startChosen = true;
    s.day.texts[2] = QStringLiteral("midweek");
    s.headliner.rows.removeFirst();
    return s;
}

ListRow row(const char *first, const char *second = "x")
{
    return {QString::fromUtf8(first), QString::fromUtf8(second)};
}

}  // namespace

class TestBuiltInSettings : public QObject {
    Q_OBJECT
private slots:
    void selectingAScript_setsUpItsSharedPageOnly_data();
    void selectingAScript_setsUpItsSharedPageOnly();
    void citations_comeBackAsTheSixDefaults_afterAnotherListScript();
    void fitWidth_followsTheTextOnlyWhileChecked();
    void linkGrid_addDeleteClear_data();
    void linkGrid_addDeleteClear();
    void citationInput_needsAuthorThenQuotation();
    void headlineDialog_startsFromTheStoredColumns_data();
    void headlineDialog_startsFromTheStoredColumns();
    void headlineDialog_fieldsMakeTheColumns();
};

void TestBuiltInSettings::selectingAScript_setsUpItsSharedPageOnly_data()
{
    QTest::addColumn<int>("id");
    for (int id = 0; id < kBuiltInScriptCount; ++id)
        QTest::addRow("%d %s", id, builtInCatalogue()[id].name) << id;
    QTest::addRow("outside the catalogue") << 99;
}

void TestBuiltInSettings::selectingAScript_setsUpItsSharedPageOnly()
{
    QFETCH(int, id);
    const BuiltInSettings before = usedSettings();
    BuiltInSettings s = before;
    selectBuiltInScript(s, id);

    const BuiltInPage page = builtInPageOf(id);
    const bool listScript = id == 0 || id == 9 || id == 12;
    // The list page: defaults of its script, whatever the user added.
    if (page == BuiltInPage::List) {
        QVERIFY(listScript);
        const ListSettings fresh = listSettingsFor(id);
        QCOMPARE(s.list.rows, fresh.rows);
        QCOMPARE(int(s.list.mode), int(id == 12  ? ListMode::Citations
                                       : id == 9 ? ListMode::SmartButton
                                                 : ListMode::Links));
        QCOMPARE(s.list.rows.size(), id == 0 ? 2 : id == 9 ? 3 : 6);
        QCOMPARE(s.list.editsShown, id != 9);
        QCOMPARE(s.list.firstEdit, id == 0 ? QStringLiteral("Select a page ...") : QString());
        for (const ListRow &r : std::as_const(s.list.rows))
            QVERIFY(!r.first.isEmpty() && !r.second.isEmpty());
    } else {
        QCOMPARE(s.list.rows, before.list.rows);
        QCOMPARE(s.list.firstEdit, before.list.firstEdit);
    }
    if (page == BuiltInPage::AnimText) {
        QVERIFY(!s.animText.label.isEmpty());
        QCOMPARE(s.animText.text, id == 33   ? QStringLiteral("year 2000")
                                  : id == 23 ? QStringLiteral("Last modification date")
                                             : QStringLiteral("Put your text here ..."));
        QCOMPARE(s.animText.dateShown, id == 33);
        QCOMPARE(s.animText.month, id == 33 ? 0 : before.animText.month);
        // The day and the year keep what the user set.
        QCOMPARE(s.animText.day, 17);
        QCOMPARE(s.animText.year, 2042);
    } else {
        QCOMPARE(s.animText.text, before.animText.text);
    }
    if (page == BuiltInPage::DayTime) {
        const int shown = (id == 21 || id == 25) ? 2 : id == 31 ? 4 : 5;
        QCOMPARE(s.dayTime.shown, shown);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(s.dayTime.labels[i].isEmpty(), i >= shown);
            QCOMPARE(s.dayTime.texts[i].isEmpty(), i >= shown);
        }
        QVERIFY(s.dayTime.texts[0] != QStringLiteral("typed"));
    } else {
        QCOMPARE(s.dayTime.texts, before.dayTime.texts);
    }
    // The pages of one script each keep the user's values.
    QCOMPARE(s.scroll.statusText, QStringLiteral("my scroll"));
    QCOMPARE(s.printer.text, QStringLiteral("my text"));
    QCOMPARE(s.navigator.mainCaption, QStringLiteral("Home"));
    QVERIFY(s.colours.startChosen);
    QVERIFY(!s.colours.endChosen);
    QCOMPARE(s.day.texts[2], QStringLiteral("midweek"));
    QCOMPARE(s.headliner.rows.size(), 2);
}

void TestBuiltInSettings::citations_comeBackAsTheSixDefaults_afterAnotherListScript()
{
    BuiltInSettings s;
    selectBuiltInScript(s, 12);
    const QList<ListRow> defaults = s.list.rows;
    QCOMPARE(defaults.size(), 6);
    addListRow(s.list.rows, row("Added author", "Added quotation"));
    QCOMPARE(s.list.rows.size(), 7);
    selectBuiltInScript(s, 0);
    QCOMPARE(s.list.secondHeader, QStringLiteral("URL"));
    selectBuiltInScript(s, 12);
    QCOMPARE(s.list.rows, defaults);
    QCOMPARE(s.list.firstHeader, QStringLiteral("Author"));
    QCOMPARE(s.list.secondHeader, QStringLiteral("Citation"));
}

void TestBuiltInSettings::fitWidth_followsTheTextOnlyWhileChecked()
{
    PrinterSettings p;
    QCOMPARE(p.width, 30);
    p.setText(QStringLiteral("short"));
    QCOMPARE(p.width, 30);  // not checked: the width stays
    p.setFitWidth(true);
    QCOMPARE(p.width, 5);
    p.setText(QStringLiteral("a little longer"));
    QCOMPARE(p.width, 15);
    p.setText(QString(200, u'x'));
    QCOMPARE(p.width, PrinterSettings::kMaxWidth);
    p.setText(QString());
    QCOMPARE(p.width, 0);
    p.setText(QStringLiteral("four"));
    // Unchecking sets the width to the length once more, then lets go.
    p.width = 50;
    p.setFitWidth(false);
    QCOMPARE(p.width, 4);
    p.setText(QStringLiteral("no longer followed"));
    QCOMPARE(p.width, 4);
}

void TestBuiltInSettings::linkGrid_addDeleteClear_data()
{
    // Steps: "+name" adds a row, "-n" deletes row n, "clear" clears.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expectedFirstCells");

    QTest::newRow("a cleared list's first add fills its one row") << QStringList{"clear", "+a"} << QStringList{"a"};
    QTest::newRow("further adds append") << QStringList{"clear", "+a", "+b", "+c"} << QStringList{"a", "b", "c"};
    QTest::newRow("add to the defaults appends") << QStringList{"+a"} << QStringList{"one", "two", "a"};
    QTest::newRow("delete moves the rows below up") << QStringList{"+a", "-0"} << QStringList{"two", "a"};
    QTest::newRow("delete the last row") << QStringList{"-1"} << QStringList{"one"};
    QTest::newRow("deleting the only row leaves it empty") << QStringList{"-1", "-0"} << QStringList{""};
    QTest::newRow("deleting from an empty list keeps one row") << QStringList{"clear", "-0", "-0"} << QStringList{""};
    QTest::newRow("after emptying by deletes, add fills the row") << QStringList{"-0", "-0", "+z"} << QStringList{"z"};
    QTest::newRow("no selection deletes nothing") << QStringList{"-1", "-5", "--1"} << QStringList{"one"};
    QTest::newRow("clear after adds") << QStringList{"+a", "+b", "clear"} << QStringList{""};
}

void TestBuiltInSettings::linkGrid_addDeleteClear()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expectedFirstCells);
    QList<ListRow> rows{row("one"), row("two")};
    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("clear")) {
            clearListRows(rows);
        } else if (step.startsWith(u'+')) {
            const int at = addListRow(rows, {step.mid(1), QStringLiteral("https://example.com/")});
            QCOMPARE(rows.at(at).first, step.mid(1));
        } else {
            deleteListRow(rows, step.mid(1).toInt());
        }
        QVERIFY(!rows.isEmpty());
    }
    QStringList firstCells;
    for (const ListRow &r : std::as_const(rows))
        firstCells << r.first;
    QCOMPARE(firstCells, expectedFirstCells);
    if (rows.size() == 1 && rows.front().first.isEmpty())
        QVERIFY(rows.front().second.isEmpty());
}

void TestBuiltInSettings::citationInput_needsAuthorThenQuotation()
{
    QCOMPARE(citationProblem({}, {}), CitationProblem::NoAuthor);
    QCOMPARE(citationProblem({}, QStringLiteral("q")), CitationProblem::NoAuthor);
    QCOMPARE(citationProblem(QStringLiteral("a"), {}), CitationProblem::NoQuotation);
    QCOMPARE(citationProblem(QStringLiteral("a"), QStringLiteral("q")), CitationProblem::None);
    QCOMPARE(citationProblemText(CitationProblem::NoAuthor), QStringLiteral("I need author's name"));
    QCOMPARE(citationProblemText(CitationProblem::NoQuotation), QStringLiteral("I need citation"));
    QVERIFY(!isCompleteLink(QStringLiteral("d"), {}));
    QVERIFY(!isCompleteLink({}, QStringLiteral("https://example.com/")));
    QVERIFY(isCompleteLink(QStringLiteral("d"), QStringLiteral("https://example.com/")));
}

void TestBuiltInSettings::headlineDialog_startsFromTheStoredColumns_data()
{
    QTest::addColumn<QString>("effect");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("wait");
    QTest::addColumn<int>("expectedEffect");
    QTest::addColumn<QString>("expectedFrame");
    QTest::addColumn<int>("expectedWait");

    QTest::newRow("as stored") << "TypeWriter"
                               << "top"
                               << "1500" << 1 << "top" << 1500;
    QTest::newRow("case ignored") << "tYPEwRITER"
                                  << "NEW_WINDOW"
                                  << "3000" << 1 << "new_window" << 3000;
    QTest::newRow("no effect") << ""
                               << ""
                               << "1000" << -1 << "" << 1000;
    QTest::newRow("unknown effect") << "Wobble"
                                    << "parent"
                                    << "10" << -1 << "parent" << 10;
    QTest::newRow("typed frame starts empty") << "Scroll"
                                              << "main"
                                              << "50" << 4 << "" << 50;
    QTest::newRow("not a number") << "Static"
                                  << "self"
                                  << "abc" << 0 << "self" << 1000;
    QTest::newRow("empty wait") << "Blink"
                                << ""
                                << "" << 2 << "" << 1000;
    QTest::newRow("decimal wait") << "Blink"
                                  << ""
                                  << "12.5" << 2 << "" << 1000;
    QTest::newRow("spaces around") << "Expand"
                                   << ""
                                   << " 2500 " << 3 << "" << 2500;
    QTest::newRow("below the range") << "Expand"
                                     << ""
                                     << "3" << 3 << "" << 10;
    QTest::newRow("negative") << "Expand"
                              << ""
                              << "-400" << 3 << "" << 10;
    QTest::newRow("above the range") << "Expand"
                                     << ""
                                     << "25000" << 3 << "" << 10000;
    QTest::newRow("too long for a number") << "Expand"
                                           << ""
                                           << "99999999999999" << 3 << "" << 1000;
    QTest::newRow("off the step kept") << "Expand"
                                       << ""
                                       << "1234" << 3 << "" << 1234;
}

void TestBuiltInSettings::headlineDialog_startsFromTheStoredColumns()
{
    QFETCH(QString, effect);
    QFETCH(QString, frame);
    QFETCH(QString, wait);
    QFETCH(int, expectedEffect);
    QFETCH(QString, expectedFrame);
    QFETCH(int, expectedWait);
    const Headline stored{QStringLiteral("Text"), QStringLiteral("mailto:name@example.com"), effect, frame, wait};
    const HeadlineFields fields = headlineFieldsFor(stored);
    QCOMPARE(fields.text, stored.text);
    QCOMPARE(fields.url, stored.url);
    QCOMPARE(fields.effect, expectedEffect);
    QCOMPARE(fields.frame, expectedFrame);
    QCOMPARE(fields.wait, expectedWait);
}

void TestBuiltInSettings::headlineDialog_fieldsMakeTheColumns()
{
    // A headline added without an effect has an empty effect column; a
    // typed frame edited without retyping is stored empty.
    HeadlineFields fields;
    fields.text = QStringLiteral("News");
    QCOMPARE(headlineFrom(fields), (Headline{QStringLiteral("News"), {}, {}, {}, QStringLiteral("1000")}));
    const Headline typedFrame{QStringLiteral("T"), QStringLiteral("https://example.org/"), QStringLiteral("scroll"),
                              QStringLiteral("main"), QStringLiteral("abc")};
    QCOMPARE(headlineFrom(headlineFieldsFor(typedFrame)), (Headline{QStringLiteral("T"),
                                                                    QStringLiteral("https://example.org/"),
                                                                    QStringLiteral("Scroll"),
                                                                    {},
                                                                    QStringLiteral("1000")}));
    // The default headlines come through the dialog unchanged.
    for (const Headline &h : HeadlinerSettings::defaultHeadlines())
        QCOMPARE(headlineFrom(headlineFieldsFor(h)), h);
}

QTEST_GUILESS_MAIN(TestBuiltInSettings)
#include "tst_builtinsettings.moc"
