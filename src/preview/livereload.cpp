#include "preview/livereload.h"

#include <QPointer>

LiveReload::LiveReload(LiveReloadTarget &target, QObject *parent) : QObject(parent), m_target(target)
{
    m_quiet.setSingleShot(true);
    // The pause is felt: it should not come early or late by the 5 % a
    // coarse timer may take.
    m_quiet.setTimerType(Qt::PreciseTimer);
    m_quiet.setInterval(kQuietMs);
    m_answerWait.setSingleShot(true);
    m_answerWait.setInterval(kAnswerMs);
    m_watch.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        switch (m_asking) {
        case Asking::BeforeLoad:
            // The load that follows the answer takes the text as it is then.
            break;
        case Asking::AfterLoad:
            // The page is being looked at anyway: its answer leads to the load.
            m_asking = Asking::BeforeLoad;
            break;
        case Asking::Nothing:
            ask(Asking::BeforeLoad);
            break;
        }
    });
    connect(&m_answerWait, &QTimer::timeout, this, &LiveReload::noAnswer);
    connect(&m_watch, &QTimer::timeout, this, [this] {
        if (m_asking == Asking::Nothing && !m_quiet.isActive())
            ask(Asking::AfterLoad);
    });
}

void LiveReload::setDelays(int quietMs, int answerMs, int watchMs)
{
    m_quiet.setInterval(quietMs);
    m_answerWait.setInterval(answerMs);
    m_watchMs = watchMs;
}

void LiveReload::start()
{
    if (m_running)
        return;
    m_running = true;
    ask(Asking::BeforeLoad);
}

void LiveReload::stop()
{
    m_running = false;
    m_quiet.stop();
    m_answerWait.stop();
    m_watch.stop();
    m_asking = Asking::Nothing;
    // An answer still on its way belongs to nobody now.
    ++m_question;
}

void LiveReload::changed()
{
    if (m_running)
        m_quiet.start();
}

void LiveReload::reloadNow()
{
    m_quiet.stop();
    if (m_asking == Asking::AfterLoad)
        m_asking = Asking::BeforeLoad;
    else if (m_asking == Asking::Nothing)
        ask(Asking::BeforeLoad);
}

void LiveReload::checkNow()
{
    if (m_asking == Asking::Nothing)
        ask(Asking::AfterLoad);
}

void LiveReload::watch()
{
    if (m_asking == Asking::Nothing)
        m_watch.start(m_watchMs);
}

void LiveReload::ask(Asking why)
{
    m_watch.stop();
    m_asking = why;
    const int question = ++m_question;
    // The wait starts first: a target may answer at once.
    m_answerWait.start();
    QPointer<LiveReload> self(this);
    m_target.askPage([self, question] {
        if (self)
            self->answered(question);
    });
}

void LiveReload::answered(int question)
{
    if (question != m_question || m_asking == Asking::Nothing)
        return;
    m_answerWait.stop();
    const Asking why = m_asking;
    m_asking = Asking::Nothing;
    if (why == Asking::AfterLoad)
        m_watch.start(m_watchMs);
    // A change came in meanwhile: its own turn loads the newer text.
    else if (!m_quiet.isActive())
        load();
}

void LiveReload::noAnswer()
{
    const Asking why = m_asking;
    m_asking = Asking::Nothing;
    ++m_question;
    if (why == Asking::Nothing)
        return;
    m_target.endStuckPage();
    const bool reloading = why == Asking::BeforeLoad && !m_quiet.isActive();
    emit stuckPageEnded(reloading);
    if (reloading)
        load();
}

void LiveReload::load()
{
    m_target.loadPage();
    emit loadStarted();
    // The first look comes as soon as a page that spins from the start
    // would have missed its answer.
    m_watch.start(m_answerWait.interval());
}
