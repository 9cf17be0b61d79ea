#include "widgets/focusring.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusFrame>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>

#include <memory>

namespace {

/// Drawn inside its control, over the control's own children, and let
/// through by the mouse.  A focus frame to Qt, which screen readers and
/// layouts pass over.
class FocusRing final : public QFocusFrame {
public:
    explicit FocusRing(QWidget *control) : QFocusFrame(control), m_control(control)
    {
        setObjectName(QStringLiteral("FocusRing"));
        control->installEventFilter(this);
        if (auto *tabs = qobject_cast<QTabBar *>(control))
            connect(tabs, &QTabBar::currentChanged, this, [this] { place(); });
        place();
        show();
        raise();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_control && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
            place();
        else if (watched == m_control && event->type() == QEvent::ChildAdded)
            raise();
        return false;
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
    }

private:
    void place()
    {
        QRect area = m_control->rect();
        if (auto *tabs = qobject_cast<QTabBar *>(m_control.data()); tabs && tabs->currentIndex() >= 0)
            area = tabs->tabRect(tabs->currentIndex());
        setGeometry(area);
        const int width = 2;
        const QRect inside(0, 0, area.width(), area.height());
        setMask(QRegion(inside).subtracted(QRegion(inside.adjusted(width, width, -width, -width))));
    }

    QPointer<QWidget> m_control;
};

}  // namespace

bool takesFocusRing(const QWidget *control)
{
    if (!control || control->window()->windowType() == Qt::Popup)
        return false;
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control))
        return false;
    return qobject_cast<const QAbstractScrollArea *>(control) || qobject_cast<const QAbstractButton *>(control) ||
           qobject_cast<const QTabBar *>(control);
}

void showFocusRings(QApplication *application)
{
    auto ring = std::make_shared<QPointer<FocusRing>>();
    QObject::connect(application, &QApplication::focusChanged, application, [ring](QWidget *, QWidget *now) {
        if (*ring) {
            (*ring)->hide();
            (*ring)->deleteLater();
        }
        *ring = nullptr;
        // The editors take the focus in their viewport: the ring goes round
        // the whole control.
        QWidget *control = now;
        if (control && !takesFocusRing(control) && control->parentWidget() &&
            qobject_cast<QAbstractScrollArea *>(control->parentWidget()) &&
            static_cast<QAbstractScrollArea *>(control->parentWidget())->viewport() == control)
            control = control->parentWidget();
        if (takesFocusRing(control))
            *ring = new FocusRing(control);
    });
}
