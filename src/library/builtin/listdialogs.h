#pragma once
// The two small dialogs of the built-in lists: TOdnosnikDlg asks for a
// link (an address and its description), THeadLinDlg for a headline.

#include "library/builtin/builtinlists.h"

#include <QDialog>

class AddressEdit;
class HelpSystem;
class Prompter;
class QComboBox;
class QLineEdit;
class QSpinBox;

class TOdnosnikDlg final : public QDialog {
    Q_OBJECT
public:
    TOdnosnikDlg(Prompter &prompter, HelpSystem &help, QWidget *parent = nullptr);

    QString address() const;
    QString description() const;
    void setLink(const QString &description, const QString &address);
    AddressEdit *addressEdit() const { return m_address; }
    QLineEdit *descriptionEdit() const { return m_description; }

    /// OK closes as OK only with an address, else as Cancel.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Prompter &m_prompter;
    AddressEdit *m_address;
    QLineEdit *m_description;
};

class THeadLinDlg final : public QDialog {
    Q_OBJECT
public:
    explicit THeadLinDlg(QWidget *parent = nullptr);

    HeadlineFields fields() const;
    void setFields(const HeadlineFields &fields);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLineEdit *m_text;
    QLineEdit *m_url;
    QComboBox *m_effect;
    QComboBox *m_frame;
    QSpinBox *m_wait;
};
