#include "platform/prompter.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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

RecoveryListAnswer QtPrompter::chooseRecovery(const RecoveryListRequest &request)
{
    QDialog dialog(ownerOf(parentWindow()));
    dialog.setObjectName(QStringLiteral("RecoveryList"));
    dialog.setWindowTitle(request.title);
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLabel(request.text);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    layout->addWidget(text);

    auto *list = new QTreeWidget;
    list->setObjectName(QStringLiteral("scripts"));
    list->setHeaderLabels({QStringLiteral("Script"), QStringLiteral("Written")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const RecoveryListRequest::Entry &entry : request.entries)
        list->addTopLevelItem(new QTreeWidgetItem({entry.name, QLocale().toString(entry.written, QLocale::ShortFormat)}));
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    layout->addWidget(list, 1);

    auto *lines = new QPlainTextEdit;
    lines->setObjectName(QStringLiteral("firstLines"));
    lines->setReadOnly(true);
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(lines, 1);

    auto *buttons = new QHBoxLayout;
    auto *restore = new QPushButton(QStringLiteral("&Restore"));
    restore->setObjectName(QStringLiteral("restore"));
    auto *discard = new QPushButton(QStringLiteral("&Discard selected"));
    discard->setObjectName(QStringLiteral("discard"));
    auto *later = new QPushButton(QStringLiteral("&Later"));
    later->setObjectName(QStringLiteral("later"));
    buttons->addStretch();
    for (QPushButton *button : {restore, discard, later}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    restore->setDefault(true);
    layout->addLayout(buttons);

    RecoveryListAnswer answer;
    const auto selectedRows = [list] {
        QList<int> rows;
        for (QTreeWidgetItem *item : list->selectedItems())
            rows << list->indexOfTopLevelItem(item);
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    const auto choose = [&](RecoveryListAnswer::Action action) {
        answer = {action, selectedRows()};
        dialog.accept();
    };
    QObject::connect(list, &QTreeWidget::currentItemChanged, lines, [&request, list, lines](QTreeWidgetItem *item) {
        const int row = item ? list->indexOfTopLevelItem(item) : -1;
        lines->setPlainText(row >= 0 ? request.entries.at(row).firstLines : QString());
    });
    QObject::connect(list, &QTreeWidget::itemSelectionChanged, &dialog, [&] {
        const qsizetype count = list->selectedItems().size();
        restore->setEnabled(count == 1);
        discard->setEnabled(count > 0);
    });
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, [&] { choose(RecoveryListAnswer::Restore); });
    QObject::connect(restore, &QPushButton::clicked, &dialog, [&] { choose(RecoveryListAnswer::Restore); });
    QObject::connect(discard, &QPushButton::clicked, &dialog, [&] { choose(RecoveryListAnswer::Discard); });
    QObject::connect(later, &QPushButton::clicked, &dialog, &QDialog::reject);

    restore->setEnabled(false);
    discard->setEnabled(false);
    if (QTreeWidgetItem *first = list->topLevelItem(request.current)) {
        list->setCurrentItem(first);
        first->setSelected(true);
    }
    list->setFocus();
    dialog.resize(560, 420);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return answer;
}

QString Prompter::getOpenFileNameFor(QWidget *owner, const FileDialogRequest &request)
{
    QWidget *const usual = m_parent;
    m_parent = owner;
    const auto restore = qScopeGuard([this, usual] { m_parent = usual; });
    return getOpenFileName(request);
}
