// The preview beside the editors: from a change to the editors to the
// changed page loaded, for a script of everyday size.  The time includes
// the quiet pause before the reload; the counters give the median with
// and without it.  Needs the embedded browser (build with Qt WebEngine).

#include "benchwindow.h"
#include "document/scripteditors.h"
#include "editor/scripteditor.h"
#include "preview/internalbrowser.h"
#include "preview/livereload.h"
#include "preview/previewcontroller.h"
#include "preview/previewpane.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

const char *const kHead = R"HTML(<SCRIPT TYPE="text/javascript">
var ticks = 0;
function pad(n) {
    return n < 10 ? "0" + n : String(n);
}
function showTime() {
    var now = new Date();
    var text = pad(now.getHours()) + ":" + pad(now.getMinutes()) + ":" + pad(now.getSeconds());
    document.getElementById("clock").textContent = text;
    ticks++;
}
function check(form) {
    if (form.name.value == "") {
        document.getElementById("note").textContent = "Please give your name.";
        return false;
    }
    return true;
}
window.onload = function () {
    showTime();
    setInterval(showTime, 1000);
};
</SCRIPT>
<STYLE>
BODY { font-family: sans-serif; }
#clock { font-size: 28px; color: #1e88e5; }
</STYLE>
)HTML";

const char *const kBody = R"HTML(<H1>Welcome</H1>
<P>The time is <SPAN ID="clock">--:--:--</SPAN>.</P>
<FORM onSubmit="return check(this)">
<P>Name: <INPUT TYPE="text" NAME="name" SIZE="30"></P>
<P>Mail: <INPUT TYPE="text" NAME="mail" SIZE="30"></P>
<P><INPUT TYPE="submit" VALUE="Send"> <SPAN ID="note"></SPAN></P>
</FORM>
<UL>
<LI>First item of the list</LI>
<LI>Second item of the list</LI>
<LI>Third item of the list</LI>
</UL>
<P>Version 1)HTML";

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

/// Runs the event loop until the controller reports a page loaded or the
/// time runs out; false on time out.
bool waitForLoad(PreviewController &preview, int timeoutMs)
{
    QEventLoop loop;
    bool ok = false;
    QObject::connect(&preview, &PreviewController::livePageLoaded, &loop, [&] {
        ok = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return ok;
}

void BM_LivePreviewChangeToLoaded(benchmark::State &state)
{
    BenchWindow bench(true, QSize(1280, 900));
    TVM_Quillon_MF &window = *bench.window;
    PreviewController &preview = window.preview();
    ScriptEditor *body = window.editors().body();
    window.editors().head()->setWholeText(QString::fromUtf8(kHead));
    body->setWholeText(QString::fromUtf8(kBody));
    preview.setPreviewBeside(true);
    if (!preview.previewBeside() || !waitForLoad(preview, 60000)) {
        state.SkipWithError("no embedded browser");
        return;
    }
    // The page's own look after its load comes and goes first.
    QEventLoop settle;
    QTimer::singleShot(2 * LiveReload::kAnswerMs, &settle, &QEventLoop::quit);
    settle.exec();

    std::vector<double> totals;
    int version = 1;
    for (auto _ : state) {
        body->setCaretPosition(int(body->wholeText().size()));
        QElapsedTimer clock;
        clock.start();
        // One "key": the version number at the end of the page grows.
        body->replaceSelection(QString::number(++version % 10));
        if (!waitForLoad(preview, 30000)) {
            state.SkipWithError("the page did not load");
            return;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        totals.push_back(seconds * 1000);
        state.SetIterationTime(seconds);
    }
    // The last change is on show: the loads timed were the changed pages.
    QString shown;
    QEventLoop answer;
    preview.pane()->browser()->runJavaScript(QStringLiteral("document.body.textContent.trim().slice(-1)"),
                                             [&](const QVariant &text) {
                                                 shown = text.toString();
                                                 answer.quit();
                                             });
    QTimer::singleShot(10000, &answer, &QEventLoop::quit);
    answer.exec();
    if (shown != QString::number(version % 10)) {
        state.SkipWithError("the page shown is not the last one");
        return;
    }
    const double total = median(totals);
    state.counters["median_ms"] = total;
    state.counters["median_ms_after_pause"] = total - LiveReload::kQuietMs;
    preview.setPreviewBeside(false);
}
BENCHMARK(BM_LivePreviewChangeToLoaded)->UseManualTime()->Iterations(25)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
