#include "widgets/screenfit.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

/// Puts the dialog's controls into a scroll area filling it; a row of
/// dialog buttons at the foot of its layout stays below the scroll area.
void letContentsScroll(QWidget *dialog)
{
    QLayout *layout = dialog->layout();
    if (!layout || dialog->findChild<QScrollArea *>(QStringLiteral("FitScroller"), Qt::FindDirectChildrenOnly))
        return;
    // The controls keep their Tab order, which moving them would change.
    QList<QWidget *> order;
    for (QWidget *w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain())
        order << w;
    QWidget *buttons = nullptr;
    if (const int count = layout->count(); count > 0)
        if (QWidget *last = layout->itemAt(count - 1)->widget(); qobject_cast<QDialogButtonBox *>(last)) {
            buttons = last;
            layout->removeWidget(last);
        }
    auto *content = new QWidget(dialog);
    content->setObjectName(QStringLiteral("FitContent"));
    content->setLayout(layout);  // takes the layout and its controls off the dialog
    auto *scroller = new QScrollArea(dialog);
    scroller->setObjectName(QStringLiteral("FitScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(content);
    auto *column = new QVBoxLayout(dialog);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(scroller, 1);
    if (buttons) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(layout->contentsMargins().left(), 4, layout->contentsMargins().right(),
                                layout->contentsMargins().bottom());
        row->addWidget(buttons);
        column->addLayout(row);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

class DialogFitter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *dialog = static_cast<QWidget *>(watched);
            if (dialog->isWindow() && qobject_cast<QDialog *>(dialog))
                if (const QScreen *where = dialog->screen()) {
                    // The frame is not known before the window is mapped:
                    // room for a title bar and borders is kept.
                    const int title = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
                    fitDialogToArea(dialog, where->availableGeometry().adjusted(4, title, -4, -4));
                }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void fitDialogToArea(QWidget *dialog, const QRect &area)
{
    if (area.isEmpty())
        return;
    const QSize wanted = dialog->size();
    if (wanted.width() <= area.width() && wanted.height() <= area.height() && area.contains(dialog->geometry()))
        return;
    QSize least = dialog->minimumSizeHint().expandedTo(dialog->minimumSize());
    if (least.width() > area.width() || least.height() > area.height()) {
        letContentsScroll(dialog);
        dialog->setMinimumSize(0, 0);
    }
    const QSize size = wanted.boundedTo(area.size());
    dialog->resize(size);
    const QSize given = dialog->size();
    QPoint at = dialog->pos();
    at.setX(qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - given.width())));
    at.setY(qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - given.height())));
    dialog->move(at);
}

void fitDialogsAsTheyShow(QApplication *application)
{
    application->installEventFilter(new DialogFitter(application));
}
