#include "recordingprompter.h"

void RecordingPrompter::showMessage(int icon, const QString &title, const QString &text)
{
    shown.append({Shown::Message, icon, title, text, {}});
}

int RecordingPrompter::askQuestion(const QString &title, const QString &text)
{
    shown.append({Shown::Question, 0, title, text, {}});
    return yesNoAnswers.isEmpty() ? AnswerNeither : yesNoAnswers.takeFirst();
}

QString RecordingPrompter::getOpenFileName(const FileDialogRequest &request)
{
    shown.append({Shown::OpenFile, 0, request.caption, {}, request});
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.takeFirst();
}

QString RecordingPrompter::getSaveFileName(const FileDialogRequest &request)
{
    shown.append({Shown::SaveFile, 0, request.caption, {}, request});
    return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
}

int RecordingPrompter::execDialog(QDialog &dialog)
{
    shown.append({Shown::Dialog, 0, dialog.windowTitle(), dialog.objectName(), {}});
    const auto handler = dialogHandlers.value(dialog.objectName(), otherDialogs);
    if (!handler)
        return QDialog::Rejected;
    return handler(dialog);
}

RecoveryListAnswer RecordingPrompter::chooseRecovery(const RecoveryListRequest &request)
{
    shown.append({Shown::RecoveryList, 0, request.title, request.text, {}, request});
    return recoveryListAnswers.isEmpty() ? RecoveryListAnswer{} : recoveryListAnswers.takeFirst();
}

QList<RecordingPrompter::Shown> RecordingPrompter::messages() const
{
    QList<Shown> out;
    for (const Shown &s : shown)
        if (s.kind == Shown::Message)
            out.append(s);
    return out;
}

QList<RecordingPrompter::Shown> RecordingPrompter::questions() const
{
    QList<Shown> out;
    for (const Shown &s : shown)
        if (s.kind == Shown::Question)
            out.append(s);
    return out;
}

QList<RecordingPrompter::Shown> RecordingPrompter::dialogs() const
{
    QList<Shown> out;
    for (const Shown &s : shown)
        if (s.kind == Shown::Dialog)
            out.append(s);
    return out;
}

QList<RecordingPrompter::Shown> RecordingPrompter::recoveryLists() const
{
    QList<Shown> out;
    for (const Shown &s : shown)
        if (s.kind == Shown::RecoveryList)
            out.append(s);
    return out;
}

QString RecordingPrompter::describe() const
{
    static const char *const kinds[] = {"message", "question", "open-file", "save-file", "dialog", "recovery list"};
    QStringList lines;
    for (const Shown &s : shown)
        lines << QStringLiteral("%1 [%2] \"%3\": %4").arg(QString::fromLatin1(kinds[s.kind])).arg(s.icon).arg(s.title, s.text);
    return lines.join(u'\n');
}
