#include "widgets/scrollingpanel.h"

#include <QEvent>
#include <QScreen>
#include <QScrollBar>

namespace {

// What a window of the program needs besides the panel: the title, menu,
// toolbar and status bars, the editors' tab and their least heights.
constexpr int kRoomForTheRest = 320;

}  // namespace

ScrollingPanel::ScrollingPanel(QWidget *content, QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Up and down only on a screen too low for the whole content.
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    const bool shown = !content->isHidden();
    setWidget(content);
    content->installEventFilter(this);
    // A page of the content asking for another size asks the viewport.
    viewport()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    setVisible(shown);
}

int ScrollingPanel::contentHeight() const
{
    const QWidget *content = widget();
    if (!content)
        return 0;
    int height = content->sizeHint().height();
    if (horizontalScrollBar()->isVisible())
        height += horizontalScrollBar()->sizeHint().height();
    // The window keeps room for its bars and frame and the editors' least
    // height; a screen too low for the rest (a large scale) leaves the
    // content a quarter of its height, and it scrolls.
    if (const QScreen *where = screen()) {
        const int screenHeight = where->availableGeometry().height();
        height = qMin(height, qMax(screenHeight / 4, screenHeight - kRoomForTheRest));
    }
    return height;
}

QSize ScrollingPanel::sizeHint() const
{
    const QWidget *content = widget();
    return {content ? content->sizeHint().width() : 0, contentHeight()};
}

QSize ScrollingPanel::minimumSizeHint() const
{
    return {0, contentHeight()};
}

bool ScrollingPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::LayoutRequest) {
        setFixedHeight(contentHeight());
        updateGeometry();
    } else if (watched == widget()) {
        switch (event->type()) {
        case QEvent::ShowToParent:
            show();
            updateGeometry();
            break;
        case QEvent::HideToParent:
            hide();
            break;
        case QEvent::LayoutRequest:
            // Another page, another height.
            setFixedHeight(contentHeight());
            updateGeometry();
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        // The scroll bar came or went: the content keeps its whole height.
        setFixedHeight(contentHeight());
    }
    return QScrollArea::eventFilter(watched, event);
}
