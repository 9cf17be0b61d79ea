#pragma once
// TAboutDlg: the program's name, what it is and its web address.

#include <QDialog>

class DesktopShell;
class Prompter;
class QLabel;

class TAboutDlg final : public QDialog {
    Q_OBJECT
public:
    TAboutDlg(DesktopShell &shell, Prompter &prompter, QWidget *parent = nullptr);

    /// The address the picture and LBL_WWW open.
    static QString webAddress();
    QLabel *nameLabel() const { return m_name; }
    /// Opens the web address (what a click on the picture or the link does).
    void openWebPage();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    DesktopShell &m_shell;
    Prompter &m_prompter;
    QLabel *m_picture;
    QLabel *m_name;
    QLabel *m_www;
};
