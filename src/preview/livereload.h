#pragma once
// When the embedded browser loads a page, and the watch over the page shown.
//
// Beside the editors, each change to a fragment puts the reload off until
// the editors have been quiet for a while, so a burst of keys makes one
// reload.  On the Preview tab each load (F11, the address box, Refresh)
// comes at once.  Before any load the shown page is asked whether it still
// answers: a script that never returns holds its page's renderer, and a new
// page might be given the same one.  A page that does not answer in time is
// ended and a fresh one made.  After each load the page is asked once more,
// so a page that spins from the start does not go on burning a core, and
// then again every few seconds while it is shown, for a page that starts
// spinning later (a timer, a click).
//
// The reload itself, the question and the ending are the target's: this
// class only decides when.  Nothing here waits; everything is timers and
// callbacks, so the keys never wait either.

#include <QObject>
#include <QTimer>

#include <functional>

class LiveReloadTarget {
public:
    virtual ~LiveReloadTarget() = default;
    /// Asks the shown page to run a trivial script; answered is called
    /// when it has.  The answer may come late or never.
    virtual void askPage(std::function<void()> answered) = 0;
    /// Ends the shown page's renderer and puts a fresh, empty page in its
    /// place.
    virtual void endStuckPage() = 0;
    /// Writes the script as it is now and loads it.
    virtual void loadPage() = 0;
};

class LiveReload final : public QObject {
    Q_OBJECT
public:
    /// How long the editors stay quiet before the page is loaded again.
    static constexpr int kQuietMs = 400;
    /// How long a page has to answer before it counts as stuck.
    static constexpr int kAnswerMs = 1000;
    /// How often a page that has answered is asked again while it is shown.
    static constexpr int kWatchMs = 3000;

    explicit LiveReload(LiveReloadTarget &target, QObject *parent = nullptr);

    /// Shorter waits, for tests.
    void setDelays(int quietMs, int answerMs, int watchMs = kWatchMs);

    /// Starts following the changes; the first load comes at once.
    void start();
    /// Stops following and watching: nothing pending runs, no answer is
    /// waited for.
    void stop();
    bool isRunning() const { return m_running; }

    /// A fragment changed: the reload is put off by the quiet time (only
    /// while following the changes).
    void changed();
    /// Loads now, without the quiet time (F11, and every load of the
    /// Preview tab, followed or not); the page is still asked first.
    void reloadNow();
    /// Asks the shown page now (after Stop): one that does not answer is
    /// ended, and nothing is loaded.
    void checkNow();
    /// Goes on watching the page shown (after stop(), when the page stays
    /// in sight elsewhere).
    void watch();

signals:
    /// The shown page did not answer and was ended; reloading says whether
    /// a new load follows at once.
    void stuckPageEnded(bool reloading);
    /// A load was started (after the page answered or was ended).
    void loadStarted();

private:
    enum class Asking { Nothing, BeforeLoad, AfterLoad };
    void ask(Asking why);
    void answered(int question);
    void noAnswer();
    void load();

    LiveReloadTarget &m_target;
    QTimer m_quiet;
    QTimer m_answerWait;
    QTimer m_watch;      // the next look at the page shown
    int m_watchMs = kWatchMs;
    Asking m_asking = Asking::Nothing;
    int m_question = 0;  // the number of the question waited for
    bool m_running = false;
};
