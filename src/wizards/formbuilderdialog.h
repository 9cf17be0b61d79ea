#pragma once
// TFormularzDlg, "Form builder": the form's opening tag on the page "Form
// settings", and its contents, written with the element builders' help,
// in the small editor of the page "Form elements".

#include "wizards/formbuilder.h"

#include <QDialog>

class HelpSystem;
class Prompter;
class QCheckBox;
class QComboBox;
class QTabWidget;
class ScriptEditor;

class TFormularzDlg final : public QDialog {
    Q_OBJECT
public:
    TFormularzDlg(Prompter &prompter, HelpSystem &help, QWidget *parent = nullptr);

    FormOptions options() const;
    QString openingTag() const { return formOpeningTag(options()); }
    /// The form's contents.
    ScriptEditor *memo() const { return m_memo; }

    /// Leaves only the page "Form settings", for a form around an element
    /// built elsewhere.
    void hideElementsPage();

    // The buttons of the page "Form elements": each opens its builder and
    // puts what it built into the memo.
    void BTN_ListaClick();
    void BTN_TextareaClick();
    void BTN_InneClick();
    void CHK_WordWrapClick();
    /// Puts opening and closing around the memo's selection (selecting it
    /// again) or around the caret; without a closing text, opening replaces
    /// the selection.
    void Wstawx(const QString &opening, const QString &closing);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildSettingsPage();
    QWidget *buildElementsPage();
    void backToMemo();

    Prompter &m_prompter;
    HelpSystem &m_help;
    QTabWidget *m_pages;
    QComboBox *m_action;
    QComboBox *m_method;
    QComboBox *m_target;
    QComboBox *m_encoding;
    ScriptEditor *m_memo;
    QCheckBox *m_wordWrap;
};
