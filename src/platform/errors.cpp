#include "platform/errors.h"

#include "platform/logging.h"

namespace {

std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> h;
    return h;
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("VM Quillon 98 v1.6");
}

void setGeneralErrorHandler(std::function<void(const QString &)> h)
{
    handler() = std::move(h);
}

void reportUnhandledError(const QString &message)
{
    if (handler())
        handler()(message);
    else
        qCWarning(lcPlatform, "Unhandled error: %s", qPrintable(message));
}

void runGuarded(const std::function<void()> &work)
{
    try {
        work();
    } catch (const std::exception &error) {
        reportUnhandledException(error);
    } catch (...) {
        reportUnhandledError(QStringLiteral("Unknown error"));
    }
}

void reportUnhandledException(const std::exception &error)
{
    reportUnhandledError(QString::fromUtf8(error.what()));
}
