// How fast a large script opens: reading and splitting the file, and
// loading both fragments into the editors.

#include "benchmain.h"
#include "document/documentfile.h"
#include "document/scripttext.h"
#include "editor/scripteditor.h"
#include "platform/savefile.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <ctime>

namespace {

QByteArray generatedScript(qsizetype bytes)
{
    QByteArray head = "<!-- part of the HEAD section -->\r\n<SCRIPT LANGUAGE=\"JavaScript\">\r\n";
    QByteArray body = "<!-- part of the BODY section -->\r\n";
    int i = 0;
    while (head.size() < bytes / 2) {
        head += "function f" + QByteArray::number(i) + "(a, b) { var s = \"gęślą " + QByteArray::number(i) +
                "\"; return a + b; }\r\n";
        ++i;
    }
    head += "</SCRIPT>\r\n";
    while (body.size() < bytes / 2) {
        body += "<P ALIGN=\"CENTER\">Line " + QByteArray::number(i) + " <B>żółć</B> <A HREF=\"#x\">link</A></P>\r\n";
        ++i;
    }
    return head + body;
}

// A minified script: statements one after another on a single line.
QByteArray oneLineScript(qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + 100);
    for (int i = 0; text.size() < bytes; ++i)
        text += "function f" + QByteArray::number(i) + "(a,b){var s=\"x" + QByteArray::number(i) +
                "\";return a+b<s.length?a:b;}";
    return text;
}

struct Files {
    QTemporaryDir dir;
    QString path;
    Files()
    {
        path = dir.filePath(QStringLiteral("big.js"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(generatedScript(qsizetype(5) * 1024 * 1024));
    }
};

Files &files()
{
    static Files f;
    return f;
}

void BM_ReadAndSplit5MB(benchmark::State &state)
{
    for (auto _ : state) {
        const TextFileRead file = readFileBytes(files().path);
        const ScriptFragments fragments = readScriptBytes(file.bytes);
        benchmark::DoNotOptimize(fragments.body.size());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(files().path).size());
}
BENCHMARK(BM_ReadAndSplit5MB)->Unit(benchmark::kMillisecond);

void BM_LoadBothFragmentsIntoEditors5MB(benchmark::State &state)
{
    const ScriptFragments fragments = readScriptBytes(readFileBytes(files().path).bytes);
    ScriptEditor head, body;
    head.resize(800, 300);
    body.resize(800, 500);
    for (auto _ : state) {
        head.setWholeText(fragments.head);
        body.setWholeText(fragments.body);
        benchmark::DoNotOptimize(body.lineCount());
    }
}
BENCHMARK(BM_LoadBothFragmentsIntoEditors5MB)->Unit(benchmark::kMillisecond);

/// The CPU time the calling thread has used, in seconds.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Open as the user sees it: the file read and split, both fragments put
// into shown editors and painted, with the paints that come later (the
// event loop runs for 300 ms after the work).  The time is the CPU time
// the window's thread spends: what keeps it from answering.
void openIntoShownEditors(benchmark::State &state, const QByteArray &contents)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("open.js"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(contents);
    }
    QWidget window;
    window.resize(1000, 800);
    auto *head = new ScriptEditor(&window);
    auto *body = new ScriptEditor(&window);
    head->setGeometry(0, 0, 1000, 300);
    body->setGeometry(0, 300, 1000, 500);
    window.show();
    QApplication::processEvents();
    const auto runEventsFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        const ScriptFragments fragments = readScriptBytes(readFileBytes(path).bytes);
        head->setWholeText(fragments.head);
        body->setWholeText(fragments.body);
        runEventsFor(300);
        state.SetIterationTime(threadCpuSeconds() - start);
        head->setWholeText(QString());
        body->setWholeText(QString());
        runEventsFor(100);
    }
    state.SetBytesProcessed(state.iterations() * contents.size());
}

void BM_Open2MBScript(benchmark::State &state)
{
    openIntoShownEditors(state, generatedScript(qsizetype(2) * 1024 * 1024));
}
BENCHMARK(BM_Open2MBScript)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_OpenOneLineScript(benchmark::State &state)
{
    openIntoShownEditors(state, oneLineScript(state.range(0) * 1024 * 1024));
}
BENCHMARK(BM_OpenOneLineScript)->Arg(2)->Arg(60)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WholeTextOf5MBEditor(benchmark::State &state)
{
    const ScriptFragments fragments = readScriptBytes(readFileBytes(files().path).bytes);
    ScriptEditor body;
    body.setWholeText(fragments.body);
    for (auto _ : state)
        benchmark::DoNotOptimize(body.wholeText().size());
}
BENCHMARK(BM_WholeTextOf5MBEditor)->Unit(benchmark::kMillisecond);

// A user's own page of 5 MB, LF line breaks, no section markers: what Open
// does with it (read, decode, split, into the editor) and what Save does
// with no edit (the editors' text, back into the file's form, written
// through the checked save).
QByteArray ownPage(qsizetype bytes)
{
    QByteArray page = "<!DOCTYPE html>\n<html>\n<head>\n<title>site</title>\n</head>\n<body>\n";
    for (int i = 0; page.size() < bytes; ++i)
        page += "<p class=\"row\">Line " + QByteArray::number(i) +
                " za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87</p><script>total += " + QByteArray::number(i) + ";</script>\n";
    return page + "</body>\n</html>\n";
}

struct PageFile {
    QTemporaryDir dir;
    QString path;
    PageFile() : path(dir.filePath(QStringLiteral("index.html")))
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(ownPage(qsizetype(5) * 1024 * 1024));
    }
};

void BM_OpenOwnPage5MB(benchmark::State &state)
{
    const PageFile page;
    ScriptEditor head, body;
    for (auto _ : state) {
        const DocumentFile file(readFileBytes(page.path).bytes);
        head.setWholeText(file.fragments().head);
        body.setWholeText(file.fragments().body);
        benchmark::DoNotOptimize(body.lineCount());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(page.path).size());
}
BENCHMARK(BM_OpenOwnPage5MB)->Unit(benchmark::kMillisecond);

void BM_SaveOwnPage5MBWithNoEdit(benchmark::State &state)
{
    const PageFile page;
    const DocumentFile file(readFileBytes(page.path).bytes);
    ScriptEditor head, body;
    head.setWholeText(file.fragments().head);
    body.setWholeText(file.fragments().body);
    for (auto _ : state) {
        const ScriptFragments now{head.wholeText(), body.wholeText()};
        const FileBytes bytes = file.bytesFor(now);
        const SaveResult saved = saveFileAtomically(page.path, bytes.bytes);
        if (!saved)
            state.SkipWithError("the page could not be saved");
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(page.path).size());
}
BENCHMARK(BM_SaveOwnPage5MBWithNoEdit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
