#include "widgets/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

namespace {

/// A caption as it is read: no "&" key marks, no tab and key after it, no
/// colon or dots at the end.
QString spokenCaption(QString text)
{
    text = text.section(u'\t', 0, 0);
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    static const QRegularExpression trailing(QStringLiteral("[\\s:.…]+$"));
    text.remove(trailing);
    return text.simplified();
}

QString hintOf(const QWidget *widget)
{
    if (!widget->toolTip().isEmpty())
        return spokenCaption(widget->toolTip());
    if (!widget->statusTip().isEmpty())
        return widget->statusTip();
    return widget->whatsThis();
}

/// The caption Qt itself reads for a button: its text, or its action's.
QString captionOf(const QWidget *widget)
{
    if (const auto *tool = qobject_cast<const QToolButton *>(widget); tool && tool->defaultAction())
        return spokenCaption(tool->defaultAction()->iconText());
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return spokenCaption(button->text());
    return {};
}

/// The text that stands for a control on the screen when no label names
/// it as its buddy: the label of its form row, a label just before it in
/// its layout, or the title of the group box it is in.
QString nearbyCaption(const QWidget *control)
{
    const QWidget *parent = control->parentWidget();
    if (!parent)
        return {};
    if (QLayout *layout = parent->layout()) {
        if (auto *form = qobject_cast<QFormLayout *>(layout))
            if (const auto *label = qobject_cast<QLabel *>(form->labelForField(const_cast<QWidget *>(control))))
                return spokenCaption(label->text());
        const int at = layout->indexOf(const_cast<QWidget *>(control));
        if (at > 0)
            if (const auto *label = qobject_cast<QLabel *>(layout->itemAt(at - 1)->widget());
                label && !label->text().isEmpty())
                return spokenCaption(label->text());
    }
    for (const QWidget *up = parent; up && !up->isWindow(); up = up->parentWidget())
        if (const auto *group = qobject_cast<const QGroupBox *>(up); group && !group->title().isEmpty())
            return spokenCaption(group->title());
    return {};
}

bool reachedByKeyboard(const QWidget *widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

class WindowNamer final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow())
                nameForAssistiveTechnology(widget);
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void nameForAssistiveTechnology(QWidget *root)
{
    if (!root)
        return;
    // The labels that stand for a control (the control is their buddy).
    QHash<const QWidget *, QString> labelled;
    for (const QLabel *label : root->findChildren<QLabel *>())
        if (label->buddy() && !label->text().isEmpty())
            labelled.insert(label->buddy(), spokenCaption(label->text()));

    QList<QWidget *> controls = root->findChildren<QWidget *>();
    controls.prepend(root);
    for (QWidget *control : std::as_const(controls)) {
        if (!reachedByKeyboard(control) || control->isWindow())
            continue;
        // The line edit inside a spin box or an editable combo box is read
        // as its owner is.
        if (qobject_cast<QLineEdit *>(control) && (qobject_cast<QAbstractSpinBox *>(control->parentWidget()) ||
                                                   qobject_cast<QComboBox *>(control->parentWidget())))
            continue;
        const QString hint = hintOf(control);
        if (control->accessibleName().isEmpty()) {
            QString name = labelled.value(control);
            if (name.isEmpty())
                name = captionOf(control);
            if (name.isEmpty())
                name = nearbyCaption(control);
            if (name.isEmpty())
                name = hint;
            if (name.isEmpty())
                if (const auto *tabs = qobject_cast<QTabWidget *>(control); tabs && tabs->window())
                    name = spokenCaption(tabs->window()->windowTitle()) + QStringLiteral(" pages");
            if (!name.isEmpty())
                control->setAccessibleName(name);
        }
        if (control->accessibleDescription().isEmpty() && !hint.isEmpty() && hint != control->accessibleName())
            control->setAccessibleDescription(hint);
    }
    for (QWidget *control : std::as_const(controls))
        if (qobject_cast<QLineEdit *>(control) && control->accessibleName().isEmpty() && control->parentWidget() &&
            (qobject_cast<QAbstractSpinBox *>(control->parentWidget()) ||
             qobject_cast<QComboBox *>(control->parentWidget())))
            control->setAccessibleName(control->parentWidget()->accessibleName());
}

void nameWindowsAsTheyShow(QObject *application)
{
    application->installEventFilter(new WindowNamer(application));
}
