// How fast the Functions tab keeps up with a large script: the keyword
// scan of 5 MB, the scan with the sort, and the whole Refresh in the
// window (scan, sort, list shown), which runs every time the tab is
// entered.  Goals: the scan at 300 MB/s or more, the Refresh under 50 ms.

#include "analysis/elementlistview.h"
#include "analysis/elementscanner.h"
#include "app/resourcetabs.h"
#include "benchwindow.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "widgets/actions.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A script as people write them, repeated with numbered names: functions,
// loops and conditions among plain statements, comments, strings with
// Polish letters, and HTML.
QString generatedScript(qsizetype characters)
{
    QString text;
    text.reserve(characters + 400);
    text += QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n");
    for (int i = 0; text.size() < characters; ++i) {
        text += QStringLiteral(
                    "function zegar%1(godzina, minuta) {\r\n"
                    "\tvar napis = \"Godzina: \" + godzina + \" – żółta łódź %1\";\r\n"
                    "\tfor (var k = 0; k < minuta; k++) if (k % 5 == 0) licz(k);\r\n"
                    "\t// wypisz wynik (tylko raz)\r\n"
                    "\twhile (kolejka%1.length > 0) kolejka%1.shift();\r\n"
                    "\tdocument.write(\"<P ALIGN=\\\"CENTER\\\">\" + napis + \"</P>\");\r\n"
                    "\treturn napis;\r\n"
                    "}\r\n"
                    "<A HREF=\"#x%1\" onClick=\"zegar%1(12, 30)\">link %1</A><BR>\r\n")
                    .arg(i);
    }
    text += QStringLiteral("//-->\r\n</SCRIPT>\r\n");
    return text;
}

const QByteArray &bigScriptBytes()
{
    static const QByteArray bytes = generatedScript(5 * 1000 * 1000).toUtf8();
    return bytes;
}

void BM_ScanElements5MB(benchmark::State &state)
{
    const QByteArray &bytes = bigScriptBytes();
    std::vector<ScriptElement> found;
    for (auto _ : state) {
        found.clear();
        scanElements(bytes, ScriptSection::Body, found);
        benchmark::DoNotOptimize(found.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["elements"] = double(found.size());
}
BENCHMARK(BM_ScanElements5MB)->Unit(benchmark::kMillisecond);

// Scanning and sorting the elements of bytes, as Refresh does.
void scanAndSort(benchmark::State &state, const QByteArray &bytes)
{
    size_t count = 0;
    for (auto _ : state) {
        const std::vector<ScriptElement> list = listElements(QByteArrayView(), bytes);
        count = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["elements"] = double(count);
}

void BM_ScanAndSortElements5MB(benchmark::State &state)
{
    scanAndSort(state, bigScriptBytes());
}
BENCHMARK(BM_ScanAndSortElements5MB)->Unit(benchmark::kMillisecond);

// The same with a letter beyond ASCII in every function's element: the
// sort falls back on the collator's own sort keys.
void BM_ScanAndSortElements5MBPolishNames(benchmark::State &state)
{
    scanAndSort(state, QByteArray(bigScriptBytes()).replace("(godzina, minuta)", "(godzinę, minutę)"));
}
BENCHMARK(BM_ScanAndSortElements5MBPolishNames)->Unit(benchmark::kMillisecond);

// Refresh in the window, the 5 MB script in BODY_ED and the Functions tab
// showing: from the click to the list painted.
void BM_RefreshFunctionsTab5MB(benchmark::State &state)
{
    BenchWindow bench(false, QSize(1000, 700));
    TVM_Quillon_MF &window = *bench.window;
    QApplication::processEvents();
    window.editors().body()->setWholeText(QString::fromUtf8(bigScriptBytes()));
    ResourceTabs *tabs = window.resourceTabs();
    tabs->setCurrentWidget(tabs->functionsPage());
    QApplication::processEvents();
    QAction *refresh = window.actions().action(QStringLiteral("BTN_Refresh_Func"));
    for (auto _ : state) {
        refresh->trigger();
        QApplication::processEvents();  // the view lays out its new rows
        tabs->functionList()->viewport()->repaint();
    }
    state.counters["elements"] = double(tabs->functionList()->model()->rowCount());
    window.editors().body()->clearModifiedState();
}
BENCHMARK(BM_RefreshFunctionsTab5MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // A user's language, not the C locale's plain character order: the
    // list is sorted by the language's collation.
    return runWindowBenchmarks(argc, argv, [] { QLocale::setDefault(QLocale(QLocale::English)); });
}
