#pragma once
// TJSOknoDlg, "New window settings": the document, name, size and
// features of a window to open with window.open.

#include "wizards/scriptwizarddialog.h"
#include "wizards/windowwizard.h"

class Prompter;
class QCheckBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

class TJSOknoDlg final : public ScriptWizardDialog {
    Q_OBJECT
public:
    TJSOknoDlg(Prompter &prompter, HelpSystem &help, QWidget *parent = nullptr);

    WindowOptions options() const;


    /// Lets the user choose a document for the URL field.
    void Przycisk_URLClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Prompter &m_prompter;
    QLineEdit *m_url;
    QToolButton *m_browse;
    QLineEdit *m_title;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QCheckBox *m_toolbar;
    QCheckBox *m_menu;
    QCheckBox *m_scrollbars;
    QCheckBox *m_resize;
    QCheckBox *m_statusLine;
    QCheckBox *m_location;
    QCheckBox *m_directories;
    QCheckBox *m_history;
};
