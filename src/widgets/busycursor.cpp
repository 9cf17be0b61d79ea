#include "widgets/busycursor.h"

#include "platform/textfile.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QObject>

namespace {

// Laying a text out costs up to 0.4 µs a byte when it is one line.
constexpr qint64 kBusyFileBytes = 256 * 1024;

/// Takes the busy cursor back when the event posted to it comes: after the
/// events of the same or a higher priority posted before.
class CursorRestorer final : public QObject {
public:
    static QEvent::Type restoreEvent()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != restoreEvent())
            return QObject::event(event);
        QGuiApplication::restoreOverrideCursor();
        deleteLater();
        return true;
    }
};

} // namespace

BusyCursor::BusyCursor(bool on) : m_on(on)
{
    if (m_on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    if (!m_on)
        return;
    // Paints are posted at low priority; an event posted after them at the
    // same priority comes after them.
    QCoreApplication::postEvent(new CursorRestorer, new QEvent(CursorRestorer::restoreEvent()), Qt::LowEventPriority);
}

bool takesAWhileToOpen(const QString &path)
{
    const QFileInfo file(path);
    return file.isFile() && file.size() >= kBusyFileBytes && file.size() <= kMaxTextFileBytes;
}
