// When the embedded browser loads again: beside the editors one load per
// pause in the typing, on the Preview tab at once; the page asked first, a
// page that does not answer ended, and the page shown watched.

#include "preview/livereload.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

namespace {

constexpr int kQuiet = 100;
constexpr int kAnswer = 500;
constexpr int kWatch = 300;
/// Long enough for every timer of one round to have run.
constexpr int kSettle = kQuiet + 3 * kAnswer;

/// A page that answers at once, later (when told) or never.
class FakePage final : public LiveReloadTarget {
public:
    enum class Answers { AtOnce, WhenTold, Never };
    Answers answers = Answers::AtOnce;
    int asked = 0;
    int ended = 0;
    int loads = 0;
    std::vector<std::function<void()>> waiting;

    void askPage(std::function<void()> answered) override
    {
        ++asked;
        if (answers == Answers::AtOnce)
            answered();
        else
            waiting.push_back(std::move(answered));
    }
    void endStuckPage() override { ++ended; }
    void loadPage() override { ++loads; }

    /// Answers every question still waiting (late answers included).
    void answerAll()
    {
        auto pending = std::move(waiting);
        waiting.clear();
        for (auto &answered : pending)
            answered();
    }
};

struct Fixture {
    FakePage page;
    LiveReload live{page};
    QSignalSpy stuck{&live, &LiveReload::stuckPageEnded};

    Fixture() { live.setDelays(kQuiet, kAnswer); }
};

} // namespace

class TestLiveReload : public QObject {
    Q_OBJECT
private slots:
    void start_loadsAtOnce()
    {
        Fixture f;
        f.live.start();
        QCOMPARE(f.page.asked, 1);
        QCOMPARE(f.page.loads, 1);
        // The look after the load finds the page well: nothing more.
        QTest::qWait(kSettle);
        QCOMPARE(f.page.asked, 2);
        QCOMPARE(f.page.loads, 1);
        QCOMPARE(f.page.ended, 0);
    }

    void aBurstOfChanges_loadsOnceAfterThePause()
    {
        Fixture f;
        f.live.start();
        QTest::qWait(kSettle);
        const int askedBefore = f.page.asked;
        for (int key = 0; key < 8; ++key) {
            f.live.changed();
            QTest::qWait(kQuiet / 4);
        }
        QCOMPARE(f.page.loads, 1);  // not while the keys come
        QTRY_COMPARE_WITH_TIMEOUT(f.page.loads, 2, kSettle);
        QTest::qWait(kSettle);
        QCOMPARE(f.page.loads, 2);
        // One question before the load and one look after it.
        QCOMPARE(f.page.asked, askedBefore + 2);
    }

    void aChangeWhileThePageIsAsked_loadsOnlyTheNewerText()
    {
        Fixture f;
        f.page.answers = FakePage::Answers::WhenTold;
        f.live.start();
        QCOMPARE(f.page.asked, 1);
        f.live.changed();
        // The page answers while the change waits out its pause: that
        // answer loads nothing, the change's own turn does.
        f.page.answerAll();
        QCOMPARE(f.page.loads, 0);
        QTRY_COMPARE_WITH_TIMEOUT(f.page.asked, 2, kSettle);
        f.page.answerAll();
        QCOMPARE(f.page.loads, 1);
        QCOMPARE(f.page.ended, 0);
    }

    void aPageThatDoesNotAnswer_isEnded_andTheScriptLoadsOnAFreshOne_data()
    {
        QTest::addColumn<bool>("answersLate");
        QTest::addColumn<bool>("following");
        QTest::newRow("never answers") << false << true;
        QTest::newRow("answers after it was ended") << true << true;
        // The Preview tab's loads: F11, the address box, Refresh.
        QTest::newRow("load on the Preview tab") << false << false;
        QTest::newRow("load on the Preview tab, answered late") << true << false;
    }

    void aPageThatDoesNotAnswer_isEnded_andTheScriptLoadsOnAFreshOne()
    {
        QFETCH(bool, answersLate);
        QFETCH(bool, following);
        Fixture f;
        f.page.answers = FakePage::Answers::WhenTold;
        if (following)
            f.live.start();
        else
            f.live.reloadNow();
        QCOMPARE(f.page.loads, 0);
        QTRY_COMPARE_WITH_TIMEOUT(f.page.ended, 1, kSettle);
        QCOMPARE(f.stuck.size(), 1);
        QCOMPARE(f.stuck.at(0).at(0).toBool(), true);
        QCOMPARE(f.page.loads, 1);
        if (answersLate) {
            // The old question's answer counts for nothing.
            f.page.answerAll();
            QCOMPARE(f.page.loads, 1);
        }
    }

    void aPageThatSpinsAfterItsLoad_isEndedWithoutALoad()
    {
        Fixture f;
        f.live.start();
        QCOMPARE(f.page.loads, 1);
        // The script loaded spins: the look after the load gets no answer.
        f.page.answers = FakePage::Answers::Never;
        QTRY_COMPARE_WITH_TIMEOUT(f.page.ended, 1, kSettle * 2);
        QCOMPARE(f.stuck.size(), 1);
        QCOMPARE(f.stuck.at(0).at(0).toBool(), false);
        QCOMPARE(f.page.loads, 1);
        // The next change loads on the fresh page, which answers.
        f.page.answers = FakePage::Answers::AtOnce;
        f.live.changed();
        QTRY_COMPARE_WITH_TIMEOUT(f.page.loads, 2, kSettle);
        QCOMPARE(f.page.ended, 1);
    }

    void aShownPage_isWatched_andEndedWhenItStartsSpinning_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("beside the editors") << QStringLiteral("beside");
        QTest::newRow("Preview tab") << QStringLiteral("tab");
        QTest::newRow("Preview tab after beside the editors") << QStringLiteral("back on the tab");
    }

    void aShownPage_isWatched_andEndedWhenItStartsSpinning()
    {
        QFETCH(QString, shown);
        Fixture f;
        f.live.setDelays(kQuiet, kAnswer, kWatch);
        if (shown == QLatin1String("beside")) {
            f.live.start();
        } else if (shown == QLatin1String("tab")) {
            f.live.reloadNow();
        } else {
            f.live.start();
            f.live.stop();
            f.live.watch();
        }
        // The page answers, and is asked again and again while it does.
        QTRY_VERIFY_WITH_TIMEOUT(f.page.asked >= 4, kSettle + 3 * kWatch);
        QCOMPARE(f.page.ended, 0);
        // A timer of the page starts a loop that never ends.
        f.page.answers = FakePage::Answers::Never;
        QTRY_COMPARE_WITH_TIMEOUT(f.page.ended, 1, kWatch + kSettle);
        QCOMPARE(f.stuck.size(), 1);
        QCOMPARE(f.stuck.at(0).at(0).toBool(), false);
        QCOMPARE(f.page.loads, 1);
        // The fresh page is empty: nothing more is asked until a load.
        const int asked = f.page.asked;
        QTest::qWait(kWatch + kSettle);
        QCOMPARE(f.page.asked, asked);
        QCOMPARE(f.page.ended, 1);
    }

    void checkNow_endsAPageThatDoesNotAnswer_andLoadsNothing_data()
    {
        QTest::addColumn<bool>("answers");
        QTest::newRow("page answers") << true;
        QTest::newRow("page spins") << false;
    }

    void checkNow_endsAPageThatDoesNotAnswer_andLoadsNothing()
    {
        QFETCH(bool, answers);
        Fixture f;
        f.live.setDelays(kQuiet, kAnswer, 60000);
        f.live.reloadNow();
        QTRY_COMPARE_WITH_TIMEOUT(f.page.asked, 2, kSettle);  // the look after the load
        if (!answers)
            f.page.answers = FakePage::Answers::Never;
        // Stop pressed on the Preview tab.
        f.live.checkNow();
        QCOMPARE(f.page.asked, 3);
        QTest::qWait(kSettle);
        QCOMPARE(f.page.ended, answers ? 0 : 1);
        QCOMPARE(f.stuck.size(), answers ? 0 : 1);
        QCOMPARE(f.page.loads, 1);
    }

    void aChangeDuringTheLookAfterALoad_waitsForThatAnswer()
    {
        Fixture f;
        f.live.start();
        f.page.answers = FakePage::Answers::WhenTold;
        QTRY_COMPARE_WITH_TIMEOUT(f.page.asked, 2, kSettle);  // the look after the load
        f.live.changed();
        QTest::qWait(kQuiet + kQuiet / 2);
        // The pause is over, but the look is still waiting: no second question.
        QCOMPARE(f.page.asked, 2);
        f.page.answerAll();
        QCOMPARE(f.page.loads, 2);
    }

    void reloadNow_skipsThePause()
    {
        Fixture f;
        f.live.setDelays(10000, kAnswer);
        f.live.start();
        f.live.changed();
        f.live.reloadNow();
        QCOMPARE(f.page.loads, 2);
    }

    void stop_dropsWhatIsPending_andChangesAreIgnoredUntilStart()
    {
        Fixture f;
        f.live.changed();
        QTest::qWait(kSettle);
        QCOMPARE(f.page.asked, 0);

        f.page.answers = FakePage::Answers::WhenTold;
        f.live.start();
        f.live.changed();
        f.live.stop();
        QVERIFY(!f.live.isRunning());
        f.page.answerAll();
        QTest::qWait(kSettle);
        QCOMPARE(f.page.loads, 0);
        QCOMPARE(f.page.ended, 0);
        QCOMPARE(f.page.asked, 1);

        // Started again, it loads at once.
        f.page.answers = FakePage::Answers::AtOnce;
        f.live.start();
        QCOMPARE(f.page.loads, 1);
    }
};

QTEST_GUILESS_MAIN(TestLiveReload)
#include "tst_livereload.moc"
