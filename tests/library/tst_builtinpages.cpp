// Every built-in script in a real browser engine, used as a visitor would:
// each page is generated, loaded offscreen, left to run its timers, and then
// walked: every event-handler attribute fired, every field focused, typed
// into and left, every list set to each of its entries, every button
// pressed, every link pointed at and clicked, the boxes answered.  An
// uncaught exception, an unhandled rejection or a console error fails it,
// and so does a handler calling a name that the element, its form or the
// document holds before the page's own function of that name.  Once with the
// settings' defaults and once with every text setting holding quotes, an
// apostrophe, an ampersand, a backslash, "</script>" and letters outside
// ASCII.

#include "leftplaceholders.h"
#include "library/builtin/builtincatalogue.h"
#include "library/builtin/builtingenerator.h"
#include "library/builtin/builtinsamples.h"
#include "preview/previewpage.h"
#include "visitorwalk.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>
#include <array>
#include <memory>

namespace {

const QString kAwkwardText = QStringLiteral("He said \"hi\" & it's </script> \\ ok, zażółć gęślą jaźń €");
/// What the walk types into the fields with the defaults.
const QString kTypedText = QStringLiteral("12 * (3 + 4)");
/// The scripts that show a typed text whole, in the page or in a field.
const QList<int> kShowsTextWhole{0, 3, 10, 11, 12, 21, 22, 23, 30, 31, 33};

/// A page that answers alert, confirm and prompt, stays where it was loaded,
/// and keeps the errors its scripts report.
class ProbePage final : public QWebEnginePage {
public:
    ProbePage(QWebEngineProfile *profile, QString typed) : QWebEnginePage(profile), m_typed(std::move(typed))
    {
        QWebEngineScript collector;
        collector.setName(QStringLiteral("error collector"));
        collector.setInjectionPoint(QWebEngineScript::DocumentCreation);
        collector.setWorldId(QWebEngineScript::MainWorld);
        collector.setSourceCode(QString::fromLatin1(kErrorCollector));
        scripts().insert(collector);
        connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            if (m_loaded)
                return;
            m_loaded = true;
            m_loadOk = ok;
            const QByteArray typedText = QJsonDocument(QJsonArray{m_typed}).toJson(QJsonDocument::Compact);
            runJavaScript(QString::fromLatin1(kWalk) + QStringLiteral(".apply(null, ") +
                          QString::fromUtf8(typedText) + u')');
        });
    }
    bool loaded() const { return m_loaded; }
    bool loadOk() const { return m_loadOk; }
    bool walked() const { return m_walked; }
    QStringList errors() const { return m_errors; }
    void addError(const QString &error) { m_errors << error; }
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
        if (level == InfoMessageLevel && message == kWalkDone)
            m_walked = true;
        // A resource that failed to load is the network's business, not an
        // error of the script.
        if (level == ErrorMessageLevel && !message.startsWith(QLatin1String("Failed to load resource")))
            m_errors << QStringLiteral("line %1: %2").arg(line).arg(message);
    }
    void javaScriptAlert(const QUrl &, const QString &) override {}
    // Yes the first time (a page asking to go on goes on once), no after.
    bool javaScriptConfirm(const QUrl &, const QString &) override { return m_confirms++ == 0; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *result) override
    {
        *result = m_typed;
        return true;
    }
    // The page loaded is the one walked: what its links, buttons and lists
    // open goes nowhere.
    bool acceptNavigationRequest(const QUrl &, NavigationType, bool) override { return !m_loaded; }

private:
    QString m_typed;
    bool m_loaded = false;
    bool m_loadOk = false;
    bool m_walked = false;
    int m_confirms = 0;
    QStringList m_errors;
    QString m_shown;
    bool m_shownKnown = false;
};

} // namespace

class TestBuiltInPages : public QObject {
    Q_OBJECT

public slots:
    /// Addresses a page handed to the desktop instead of the engine.
    void openUrl(const QUrl &url) { m_handedOut << url.toString(); }

private slots:
    void initTestCase()
    {
        // Pages without a window count as in the background, where the
        // engine runs timers once a second at most; these must run at
        // their own pace.  Read when the engine starts, on the first page.
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        flags += " --disable-background-timer-throttling --disable-renderer-backgrounding";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
        // A mail link must not start the desktop's mail program.
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "openUrl");
        m_profile = std::make_unique<QWebEngineProfile>();  // off the record: nothing written to disk
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    void everyScriptRunsCleanlyWhenUsed_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("statusLine");
        for (int id = 0; id < kBuiltInScriptCount; ++id) {
            const QByteArray name = QByteArray::number(id).rightJustified(2, '0') + ' ' + builtInCatalogue()[id].name;
            QTest::newRow(name.constData()) << id << false;
        }
        QTest::newRow("01 Scroll, in the status line") << 1 << true;
    }
    void everyScriptRunsCleanlyWhenUsed()
    {
        QFETCH(int, id);
        QFETCH(bool, statusLine);
        QStringList failures;
        // The defaults and the awkward text side by side.
        const std::array<std::optional<QString>, 2> texts{std::nullopt, kAwkwardText};
        std::array<std::unique_ptr<ProbePage>, 2> pages;
        for (size_t i = 0; i < texts.size(); ++i) {
            const QString label = texts[i] ? QStringLiteral("awkward text") : QStringLiteral("defaults");
            BuiltInSettings settings = sampleBuiltInSettings(id, texts[i]);
            settings.scroll.statusLine = statusLine;
            const std::optional<GeneratedScript> script = generateBuiltInScript(id, settings);
            QVERIFY2(script, qPrintable(label + QStringLiteral(": not generated")));
            const QString page = composePreviewPage(script->head, script->body);
            const QStringList left = leftPlaceholders(page);
            QVERIFY2(left.isEmpty(), qPrintable(label + QStringLiteral(": left in the page: ") + left.join(u' ')));
            pages[i] = std::make_unique<ProbePage>(m_profile.get(), texts[i].value_or(kTypedText));
            pages[i]->setHtml(page, QUrl(QStringLiteral("file:///quillon-preview/prev.html")));
        }
        auto all = [&pages](bool (ProbePage::*state)() const) {
            return std::all_of(pages.begin(), pages.end(), [state](const auto &p) { return (p.get()->*state)(); });
        };
        QTRY_VERIFY_WITH_TIMEOUT(all(&ProbePage::loaded), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(all(&ProbePage::walked), 60000);
        // What the page shows: its text, its fields' and buttons' values and
        // its list entries; and what it left uncaught.
        for (const auto &page : pages) {
            page->runJavaScript(QStringLiteral(
                                    "var shown = [document.body.innerText];"
                                    "document.querySelectorAll('input').forEach(function (e) { shown.push(e.value); });"
                                    "document.querySelectorAll('option').forEach(function (e) { shown.push(e.text); });"
                                    "[shown.join('\\n'), window.quillonPageErrors];"),
                                [probe = page.get()](const QVariant &result) {
                                    const QVariantList parts = result.toList();
                                    if (parts.size() != 2 || parts[1].typeId() != QMetaType::QVariantList)
                                        probe->addError(QStringLiteral("the error collector was not there"));
                                    for (const QVariant &error : parts.value(1).toList())
                                        probe->addError(error.toString());
                                    probe->setShown(parts.value(0).toString());
                                });
        }
        QTRY_VERIFY_WITH_TIMEOUT(all(&ProbePage::shownKnown), 30000);
        for (size_t i = 0; i < texts.size(); ++i) {
            const QString label = texts[i] ? QStringLiteral("awkward text") : QStringLiteral("defaults");
            const ProbePage &page = *pages[i];
            if (!page.loadOk())
                failures << label + QStringLiteral(": the page did not load");
            for (const QString &error : page.errors())
                failures << label + QStringLiteral(": ") + error;
            // A typed text that the page shows whole shows as typed.
            if (texts[i] && !statusLine && kShowsTextWhole.contains(id) && !page.shown().contains(*texts[i]))
                failures << label + QStringLiteral(": the text shows as: ") + page.shown();
        }
        if (!m_handedOut.isEmpty())
            failures << QStringLiteral("handed to the desktop: ") + m_handedOut.join(u' ');
        m_handedOut.clear();
        failures.removeDuplicates();  // a handler fired once per entry of a list fails as often
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
    }

private:
    std::unique_ptr<QWebEngineProfile> m_profile;
    QStringList m_handedOut;
};

QTEST_MAIN(TestBuiltInPages)
#include "tst_builtinpages.moc"
