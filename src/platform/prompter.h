#pragma once
// The one seam for every modal interaction of the program.
//
// Message boxes, Yes/No questions, file dialogs and the program's own
// dialogs (wizards, the name prompt, jump to line, find and replace,
// printing) are all shown through a Prompter.  The program uses
// QtPrompter; the tests answer with a recording prompter of their own, so
// no test ever waits for a human, and can check the exact caption, text
// and icon that were shown.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

/// Icon codes of the message boxes, as the rest of the program names them.
enum MessageIcon : int {
    IconError = 16,
    IconWarning = 48,
    IconInformation = 64,
};

/// Answers of AskYesNo.
enum YesNoAnswer : int {
    AnswerNo = 0,
    AnswerYes = 1,
    AnswerNeither = 255,
};

struct FileDialogRequest {
    QString caption;
    QStringList filters;  // "Script files (*.js)", ... ; the first is preselected
    QString fileName;     // proposed file name (save dialogs)
    QString directory;    // folder to start in; empty for the dialog's choice
};

/// The list of scripts kept from copies that did not close properly.
struct RecoveryListRequest {
    struct Entry {
        QString name;        // the file's name
        QDateTime written;
        QString firstLines;  // what the script starts with, lines ended by LF
    };
    QString title;
    QString text;
    QList<Entry> entries;
    int current = 0;  // the entry selected at first
};

struct RecoveryListAnswer {
    enum Action { Later, Restore, Discard } action = Later;
    QList<int> selected;  // rows of the entries chosen; exactly one for Restore
};

class Prompter {
public:
    virtual ~Prompter() = default;

    /// A modal box with an OK button.  icon is IconError, IconWarning or
    /// IconInformation.
    void ShowMessageBox(int icon, const QString &title, const QString &text);

    /// A modal Yes/No box with the question icon.  An empty title becomes
    /// "Confirm!" and an empty text "Are you sure?".  Returns AnswerYes,
    /// AnswerNo or AnswerNeither.
    int AskYesNo(const QString &title = {}, const QString &text = {});

    /// The open-file dialog: the chosen path, or an empty text when cancelled.
    virtual QString getOpenFileName(const FileDialogRequest &request) = 0;
    /// The open-file dialog over owner (a dialog of ours), which gets the
    /// keyboard back when it closes.
    QString getOpenFileNameFor(QWidget *owner, const FileDialogRequest &request);
    /// The save-file dialog: the chosen path, or an empty text when cancelled.
    virtual QString getSaveFileName(const FileDialogRequest &request) = 0;

    /// Runs one of the program's dialogs modally and returns its result
    /// (QDialog::Accepted or QDialog::Rejected).  Tests tell dialogs apart
    /// by their objectName.
    virtual int execDialog(QDialog &dialog) = 0;

    /// A modal list of kept scripts (name, time written, first lines) with
    /// Restore (the one selected), Discard (those selected) and Later;
    /// closing it is Later.
    virtual RecoveryListAnswer chooseRecovery(const RecoveryListRequest &request) = 0;

    /// The window the boxes belong to.
    void setParentWindow(QWidget *window) { m_parent = window; }
    QWidget *parentWindow() const { return m_parent; }

protected:
    virtual void showMessage(int icon, const QString &title, const QString &text) = 0;
    virtual int askQuestion(const QString &title, const QString &text) = 0;

private:
    QWidget *m_parent = nullptr;
};

/// The real dialogs.
class QtPrompter final : public Prompter {
public:
    QString getOpenFileName(const FileDialogRequest &request) override;
    QString getSaveFileName(const FileDialogRequest &request) override;
    int execDialog(QDialog &dialog) override;
    RecoveryListAnswer chooseRecovery(const RecoveryListRequest &request) override;

protected:
    void showMessage(int icon, const QString &title, const QString &text) override;
    int askQuestion(const QString &title, const QString &text) override;
};
