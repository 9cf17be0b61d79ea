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

/// Wraps a callable so that any exception it throws reaches the general
/// handler instead of its caller.  A callable that takes no arguments may
/// be connected to a signal that has some (they are dropped).
template <typename F>
auto guarded(F &&f)
{
    return [f = std::forward<F>(f)](auto &&...args) mutable {
        try {
            if constexpr (std::is_invocable_v<F &, decltype(args)...>)
                f(std::forward<decltype(args)>(args)...);
            else
                f();
        } catch (const std::exception &error) {
            reportUnhandledException(error);
        } catch (...) {
            reportUnhandledError(QStringLiteral("Unknown error"));
        }
    };
}
