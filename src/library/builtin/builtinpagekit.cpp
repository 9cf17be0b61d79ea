#include "library/builtin/builtinpagekit.h"

#include "platform/prompter.h"
#include "widgets/actions.h"

#include <QDir>
#include <QMouseEvent>
#include <QToolButton>

BuiltInSettingsPage::BuiltInSettingsPage(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
}

void AddressEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void chooseFileInto(Prompter &prompter, const QStringList &filters, QLineEdit *edit)
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Open");
    request.filters = filters;
    // The chooser belongs to the window of the field (the link dialog's
    // own), which gets the keyboard back when it closes.
    const QString path = prompter.getOpenFileNameFor(edit->window(), request);
    if (path.isEmpty())
        return;
    edit->setText(QDir::toNativeSeparators(path));
    edit->setFocus();
}

QLineEdit *newEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

/// A small button of a list's button column.
QToolButton *newListButton(const QString &name, const QString &hint, const QString &icon, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(appIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setStatusTip(hint);
    button->setToolTip(hint);
    button->setAutoRaise(false);
    return button;
}
