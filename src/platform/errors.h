#pragma once
// The application's general error handler.
//
// An exception that no command handles is shown to the user in a message
// box titled with the application title, and the program goes on.  The
// application's event dispatch catches what escapes an event handler;
// guarded() wraps a command's slot so that what escapes it is caught right
// there, before it travels through Qt's own code.

#include <QString>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

/// "VM Quillon 98 v1.6": the caption of the window and the title of the
/// application's message boxes, errors among them.
QString applicationTitle();

/// Sets what shows an unhandled error (the main program shows a message
/// box through its prompter).
void setGeneralErrorHandler(std::function<void(const QString &message)> handler);

/// Reports an exception to the general handler.
void reportUnhandledException(const std::exception &error);
void reportUnhandledError(const QString &message);

/// Runs work, handing whatever it throws to the general handler.
void runGuarded(const std::function<void()> &work);

/// What guarded() makes: callable with f's own arguments, or with
/// arguments f does not take (a signal's, which are then dropped).  Qt
/// tries a slot with fewer and fewer of a signal's arguments: the calls
/// that cannot work are not offered at all.
template <typename F>
class GuardedCall {
public:
    explicit GuardedCall(F f) : m_f(std::move(f)) {}

    template <typename... A>
    requires std::is_invocable_v<F &, A...>
    void operator()(A &&...args)
    {
        runGuarded([&] { m_f(std::forward<A>(args)...); });
    }
    template <typename... A>
    requires(sizeof...(A) > 0 && !std::is_invocable_v<F &, A...> && std::is_invocable_v<F &>) void operator()(A &&...)
    {
        runGuarded([&] { m_f(); });
    }

private:
    F m_f;
};

/// Wraps a callable so that any exception it throws reaches the general
/// handler instead of its caller.  A callable that takes no arguments may
/// be connected to a signal that has some (they are dropped).
template <typename F>
auto guarded(F &&f)
{
    return GuardedCall<std::decay_t<F>>(std::forward<F>(f));
}
