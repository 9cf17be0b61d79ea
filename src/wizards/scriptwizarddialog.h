#pragma once
// What the dialogs of the Script menu's wizards share: the OK, Cancel and
// Help buttons, keys handled for the whole dialog whatever control has the
// focus, and help by topic number (the Help button, and F1 on a control
// with a help context of its own).

#include <QDialog>

class HelpSystem;
class QDialogButtonBox;
class QPushButton;

class ScriptWizardDialog : public QDialog {
    Q_OBJECT
public:
    /// Escape (without Shift, Ctrl or Alt) always cancels; with
    /// EnterConfirms a plain Enter confirms, even in a multi-line field.
    enum Keys { EscapeCancels, EnterConfirms };

    /// helpTopic: the topic the Help button (and F1 outside any help
    /// context) opens.
    ScriptWizardDialog(HelpSystem &help, int helpTopic, Keys keys, QWidget *parent);

    /// The topic F1 opens while widget (or a control inside it) has the focus.
    static void setHelpContext(QWidget *widget, int topic);
    static int helpContext(const QWidget *widget);

protected:
    /// The "&OK", "&Cancel" and "&Help" buttons, wired up; the caller lays
    /// them out.
    QDialogButtonBox *buttons() const { return m_buttons; }
    /// Takes the dialog's controls into its key handling; called once they
    /// all exist.
    void watchKeys();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool isDialogKey(const QKeyEvent *event) const;
    bool handleKey(QKeyEvent *event, const QWidget *receiver);
    void showHelp(int topic);

    HelpSystem &m_helpSystem;
    const int m_helpTopic;
    Keys m_keys;
    QDialogButtonBox *m_buttons;
    QPushButton *m_help;
};
