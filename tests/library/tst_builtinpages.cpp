// Every built-in script in a real browser engine: each page is generated,
// loaded offscreen and left to run its timers for two seconds; an uncaught
// exception or a console.error fails it.  Once with the settings' defaults
// and once with every text setting holding quotes, an ampersand, a
// backslash and "</script>".

#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"
#include "leftplaceholders.h"
#include "preview/previewpage.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kPagesAtATime = 6;
constexpr int kRunMs = 2000;
/// The scripts that show a typed text whole, in the page or in a field.
const QList<int> kShowsTextWhole{0, 3, 10, 11, 12, 21, 22, 23, 30, 31, 33};

/// A page that answers alert, confirm and prompt itself and keeps the
/// errors its scripts report.
class ProbePage final : public QWebEnginePage {
public:
    ProbePage(int id, QWebEngineProfile *profile) : QWebEnginePage(profile), m_id(id)
    {
        connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            m_loaded = true;
            m_loadOk = ok;
        });
    }
    int id() const { return m_id; }
    bool loaded() const { return m_loaded; }
    bool loadOk() const { return m_loadOk; }
    const QStringList &errors() const { return m_errors; }
    void setShown(const QString &shown)
    {
        m_shown = shown;
        m_shownKnown = true;
    }
    const QString &shown() const { return m_shown; }
    bool shownKnown() const { return m_shownKnown; }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int line,
                                  const QString &) override
    {
        // A resource that failed to load is the network's business, not an
        // error of the script.
        if (level == ErrorMessageLevel && !message.startsWith(QLatin1String("Failed to load resource")))
            m_errors << QStringLiteral("line %1: %2").arg(line).arg(message);
    }
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }

private:
    int m_id;
    bool m_loaded = false;
    bool m_loadOk = false;
    QStringList m_errors;
    QString m_shown;
    bool m_shownKnown = false;
};

} // namespace

class TestBuiltInPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Pages without a window count as in the background, where the
        // engine runs timers once a second at most; these must run at
        // their own pace.  Read when the engine starts, on the first page.
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        flags += " --disable-background-timer-throttling --disable-renderer-backgrounding";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }

    void everyScriptRunsCleanly_data()
    {
        QTest::addColumn<std::optional<QString>>("text");
        QTest::newRow("defaults") << std::optional<QString>();
        QTest::newRow("awkward text") << std::optional<QString>(QStringLiteral("He said \"hi\" & it's </script> \\ ok"));
    }
    void everyScriptRunsCleanly()
    {
        QFETCH(std::optional<QString>, text);
        QWebEngineProfile profile;  // off the record: nothing written to disk
        QStringList failures;
        int passed = 0;
        // The 35 scripts, then "Scroll" once more in its status-line variant.
        std::vector<std::pair<int, BuiltInSettings>> runs;
        for (int id = 0; id < kBuiltInScriptCount; ++id)
            runs.emplace_back(id, sampleBuiltInSettings(id, text));
        runs.emplace_back(1, sampleBuiltInSettings(1, text));
        runs.back().second.scroll.statusLine = true;
        const int runCount = int(runs.size());
        for (int first = 0; first < runCount; first += kPagesAtATime) {
            std::vector<std::unique_ptr<ProbePage>> pages;
            for (int run = first; run < std::min(first + kPagesAtATime, runCount); ++run) {
                const int id = runs[run].first;
                const std::optional<GeneratedScript> script = generateBuiltInScript(id, runs[run].second);
                if (!script) {
                    failures << QStringLiteral("%1: not generated").arg(id);
                    continue;
                }
                const QString page = composePreviewPage(script->head, script->body);
                if (const QStringList left = leftPlaceholders(page); !left.isEmpty()) {
                    failures << QStringLiteral("%1: %2 left in the page").arg(id).arg(left.join(u' '));
                    continue;
                }
                pages.push_back(std::make_unique<ProbePage>(id, &profile));
                pages.back()->setHtml(page, QUrl(QStringLiteral("file:///quillon-preview/prev.html")));
            }
            QTRY_VERIFY_WITH_TIMEOUT(std::all_of(pages.begin(), pages.end(), [](const auto &p) { return p->loaded(); }),
                                     60000);
            QTest::qWait(kRunMs);  // the scripts' own timers run meanwhile
            // What the page shows: its text, its fields' and buttons' values
            // and its list entries.
            for (const auto &page : pages) {
                page->runJavaScript(QStringLiteral(
                                        "var shown = [document.body.innerText];"
                                        "document.querySelectorAll('input').forEach(function (e) { shown.push(e.value); });"
                                        "document.querySelectorAll('option').forEach(function (e) { shown.push(e.text); });"
                                        "shown.join('\\n');"),
                                    [probe = page.get()](const QVariant &shown) { probe->setShown(shown.toString()); });
            }
            QTRY_VERIFY_WITH_TIMEOUT(std::all_of(pages.begin(), pages.end(), [](const auto &p) { return p->shownKnown(); }),
                                     30000);
            for (const auto &page : pages) {
                const qsizetype before = failures.size();
                if (!page->loadOk())
                    failures << QStringLiteral("%1: the page did not load").arg(page->id());
                if (!page->errors().isEmpty())
                    failures << QStringLiteral("%1: %2").arg(page->id()).arg(page->errors().join(QStringLiteral("; ")));
                // A typed text that the page shows whole shows as typed.
                if (text && kShowsTextWhole.contains(page->id()) && !page->shown().contains(*text))
                    failures << QStringLiteral("%1: the text shows as: %2").arg(page->id()).arg(page->shown());
                if (failures.size() == before)
                    ++passed;
            }
        }
        qInfo("%d of %d pages (the 35 scripts and the status-line scroller) ran cleanly", passed, runCount);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
    }
};

QTEST_MAIN(TestBuiltInPages)
#include "tst_builtinpages.moc"
