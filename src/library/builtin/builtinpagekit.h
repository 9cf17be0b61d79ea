#pragma once
// What the built-in scripts' settings pages share: their base class, the
// address edit of the navigator page and the link dialog, and the small
// builders of their fields and list buttons.

#include <QLineEdit>
#include <QWidget>

class Prompter;
class QToolButton;
struct Ports;

class BuiltInSettingsPage : public QWidget {
    Q_OBJECT
public:
    BuiltInSettingsPage(const QString &objectName, QWidget *parent);
    virtual void refresh() {}
};

/// An address edit whose double click asks for a file (LST_URLe).
class AddressEdit final : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

/// Asks for a file through the main window's open dialog with filters; a
/// chosen file's full path goes into edit, which then gets the focus.
void chooseFileInto(Prompter &prompter, const QStringList &filters, QLineEdit *edit);

/// A line edit named name.
QLineEdit *newEdit(const QString &name, QWidget *parent);

/// A small button of a list's button column: its icon, its hint as the
/// tool tip and status tip.
QToolButton *newListButton(const QString &name, const QString &hint, const QString &icon, QWidget *parent);
