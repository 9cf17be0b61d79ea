#pragma once
// TSkryptDlg, "Script header": the language and type of a script block
// and comments to put into it.

#include "wizards/scripttemplates.h"
#include "wizards/scriptwizarddialog.h"

class QComboBox;
class QPlainTextEdit;

class TSkryptDlg final : public ScriptWizardDialog {
    Q_OBJECT
public:
    TSkryptDlg(HelpSystem &help, QWidget *parent = nullptr);

    ScriptHeaderOptions options() const;


private:
    void Lista_JezykChange();

    QComboBox *m_language;
    QComboBox *m_type;
    QPlainTextEdit *m_comments;
};
