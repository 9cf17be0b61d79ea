#include "widgets/panels.h"

#include "widgets/actions.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

/// A caption kept on one line: when its panel is too narrow for it, it
/// ends in an ellipsis and shows the whole text as its tool tip.
class CaptionLabel final : public QLabel {
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override
    {
        QSize size = QLabel::minimumSizeHint();
        const QMargins margins = contentsMargins();
        size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("\u2026")) + margins.left() + margins.right());
        return size;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect room = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
        style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QLabel::resizeEvent(event);
        const bool cut = fontMetrics().horizontalAdvance(text()) > contentsRect().width();
        setToolTip(cut ? text() : QString());
    }
};

} // namespace

QWidget *makeCaptionedPanel(const QString &objectName, const QString &caption, QWidget *parent,
                            QVBoxLayout **contents, QLabel **captionLabel)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(objectName);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *label = new CaptionLabel(caption, panel);
    label->setObjectName(objectName + QStringLiteral("_Caption"));
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(2, 3, 2, 3);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::ButtonText);
    layout->addWidget(label);
    if (contents)
        *contents = layout;
    if (captionLabel)
        *captionLabel = label;
    return panel;
}

QToolBar *makeButtonStrip(const QString &objectName, ActionRegistry &actions, QWidget *parent)
{
    auto *strip = new QToolBar(parent);
    strip->setObjectName(objectName);
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->setIconSize(QSize(16, 16));
    strip->setToolButtonStyle(Qt::ToolButtonIconOnly);
    actions.fillToolbar(strip, objectName);
    // Buttons with a caption of their own show it beside the icon.  Tab
    // reaches every button; a click leaves the focus where it was.
    for (QAction *action : strip->actions()) {
        auto *button = qobject_cast<QToolButton *>(strip->widgetForAction(action));
        if (!button)
            continue;
        if (action->property("quillonCaptioned").toBool())
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setFocusPolicy(Qt::TabFocus);
    }
    return strip;
}

QWidget *tabThroughStrip(QWidget *before, QToolBar *strip)
{
    QWidget *last = before;
    for (QAction *action : strip->actions())
        if (QWidget *button = strip->widgetForAction(action); button && (button->focusPolicy() & Qt::TabFocus)) {
            QWidget::setTabOrder(last, button);
            last = button;
        }
    return last;
}

QDialogButtonBox *makeOkCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("BTN_OK"));
    cancel->setObjectName(QStringLiteral("BTN_Cancel"));
    ok->setIcon(appIcon(QStringLiteral("OK")));
    cancel->setIcon(appIcon(QStringLiteral("ANULUJ")));
    ok->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void sizeAndCentreDialog(QDialog *dialog, QSize design)
{
    dialog->resize(qMax(design.width(), dialog->sizeHint().width()),
                   qMax(design.height(), dialog->sizeHint().height()));
    QWidget *parent = dialog->parentWidget();
    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

bool enterAcceptsEscapeRejects(QDialog *dialog, const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        dialog->accept();
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        dialog->reject();
        return true;
    }
    return false;
}
