#pragma once
// TJSAlarmDlg, "Dialog box": an alert, confirm or prompt box with its
// message (and the prompt's default answer).

#include "wizards/dialogboxwizard.h"
#include "wizards/scriptwizarddialog.h"

class QLabel;
class QLineEdit;
class QRadioButton;

class TJSAlarmDlg final : public ScriptWizardDialog {
    Q_OBJECT
public:
    TJSAlarmDlg(HelpSystem &help, QWidget *parent = nullptr);

    DialogBoxOptions options() const;


private:
    /// The default answer is for prompt boxes only.
    void RAD_PromptClick();

    QRadioButton *m_alert;
    QRadioButton *m_confirm;
    QRadioButton *m_prompt;
    QLineEdit *m_message;
    QLabel *m_defaultLabel;
    QLineEdit *m_default;
};
