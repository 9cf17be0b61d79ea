#pragma once
// A prompter for tests: it records every box and dialog the program shows
// and answers from what the test arranged beforehand.  An unexpected
// question is answered "neither" and an unexpected dialog is rejected; both
// are recorded so the test can fail on them.

#include "platform/prompter.h"

#include <QDialog>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class RecordingPrompter final : public Prompter {
public:
    struct Shown {
        enum Kind { Message, Question, OpenFile, SaveFile, Dialog, RecoveryList } kind;
        int icon = 0;        // messages
        QString title;       // box caption, dialog caption or file-dialog caption
        QString text;        // box text; dialog objectName for dialogs
        FileDialogRequest request; // file dialogs
        RecoveryListRequest list;  // recovery lists
    };

    /// Queued answers, used in order.
    QList<int> yesNoAnswers;          // AnswerYes / AnswerNo / AnswerNeither
    QStringList openFileAnswers;      // empty string = cancel
    QStringList saveFileAnswers;
    /// Answers of the recovery list; Later when none is left.
    QList<RecoveryListAnswer> recoveryListAnswers;
    /// Dialog handlers by the dialog's objectName; each may fill in the
    /// dialog, and returns QDialog::Accepted or QDialog::Rejected.  A
    /// handler stays until removed.
    QMap<QString, std::function<int(QDialog &)>> dialogHandlers;
    /// The handler of a dialog that has none of its own; none: rejected.
    std::function<int(QDialog &)> otherDialogs;

    QList<Shown> shown;

    QString getOpenFileName(const FileDialogRequest &request) override;
    QString getSaveFileName(const FileDialogRequest &request) override;
    int execDialog(QDialog &dialog) override;
    RecoveryListAnswer chooseRecovery(const RecoveryListRequest &request) override;

    /// The messages shown, in order (questions left out).
    QList<Shown> messages() const;
    QList<Shown> questions() const;
    QList<Shown> dialogs() const;
    QList<Shown> recoveryLists() const;
    void clear() { shown.clear(); }
    /// One line per thing shown, for failure output.
    QString describe() const;

protected:
    void showMessage(int icon, const QString &title, const QString &text) override;
    int askQuestion(const QString &title, const QString &text) override;
};
