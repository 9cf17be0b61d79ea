#pragma once
// TNoScriptDlg: one memo under a title.  Dressed as "<NOSCRIPT> tag" it
// holds the text for browsers without scripts; dressed as "Comments" it
// starts empty and offers the comment style (JavaScript or VBScript).
// Enter starts a new line in the memo; Escape cancels.

#include "wizards/scripttemplates.h"
#include "wizards/scriptwizarddialog.h"

class QLabel;
class QPlainTextEdit;
class QRadioButton;

class TNoScriptDlg final : public ScriptWizardDialog {
    Q_OBJECT
public:
    enum class Dress { NoScript, Comments };

    TNoScriptDlg(Dress dress, HelpSystem &help, QWidget *parent = nullptr);

    /// The memo's lines joined by CR LF.
    QString memoText() const;
    CommentOptions commentOptions() const;


private:
    QPlainTextEdit *m_memo;
    QRadioButton *m_javaScript;
    QRadioButton *m_vbScript;
};
