#include "platform/prompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QScopeGuard>

void Prompter::ShowMessageBox(int icon, const QString &title, const QString &text)
{
    showMessage(icon, title, text);
}

int Prompter::AskYesNo(const QString &title, const QString &text)
{
    return askQuestion(title.isEmpty() ? QStringLiteral("Confirm!") : title,
                       text.isEmpty() ? QStringLiteral("Are you sure?") : text);
}

namespace {

QWidget *ownerOf(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}

QMessageBox::Icon boxIcon(int icon)
{
    switch (icon) {
    case IconError:
        return QMessageBox::Critical;
    case IconWarning:
        return QMessageBox::Warning;
    case IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void QtPrompter::showMessage(int icon, const QString &title, const QString &text)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, ownerOf(parentWindow()));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int QtPrompter::askQuestion(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, ownerOf(parentWindow()));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return AnswerYes;
    case QMessageBox::No:
        return AnswerNo;
    default:
        return AnswerNeither;
    }
}

QString QtPrompter::getOpenFileName(const FileDialogRequest &request)
{
    QFileDialog dialog(ownerOf(parentWindow()), request.caption, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtPrompter::getSaveFileName(const FileDialogRequest &request)
{
    QFileDialog dialog(ownerOf(parentWindow()), request.caption, request.directory);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    // The program writes the name as chosen; it does not ask before
    // replacing a file and adds no extension.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

int QtPrompter::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

QString Prompter::getOpenFileNameFor(QWidget *owner, const FileDialogRequest &request)
{
    QWidget *const usual = m_parent;
    m_parent = owner;
    const auto restore = qScopeGuard([this, usual] { m_parent = usual; });
    return getOpenFileName(request);
}
