#include "editor/finddialog.h"

#include "editor/editorsearch.h"
#include "editor/scripteditor.h"
#include "platform/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FindDialog::FindDialog(ScriptEditor *editor, Mode mode, const QString &initialText, QWidget *parent)
    : QDialog(parent), m_editor(editor)
{
    setObjectName(mode == Find ? QStringLiteral("FindDialog") : QStringLiteral("ReplaceDialog"));
    setWindowTitle(mode == Find ? QStringLiteral("Find") : QStringLiteral("Replace"));

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("EDT_FindText"));
    m_find->setText(initialText);
    m_find->selectAll();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Text to find"), m_find);
    if (mode == Replace) {
        m_replace = new QLineEdit(this);
        m_replace->setObjectName(QStringLiteral("EDT_ReplaceText"));
        form->addRow(QStringLiteral("Replace &with"), m_replace);
    }

    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("CHK_MatchCase"));
    m_wholeWords = new QCheckBox(QStringLiteral("&Whole words only"), this);
    m_wholeWords->setObjectName(QStringLiteral("CHK_WholeWords"));
    auto *direction = new QGroupBox(QStringLiteral("Direction"), this);
    m_forward = new QRadioButton(QStringLiteral("&Forward"), direction);
    m_forward->setObjectName(QStringLiteral("RAD_Forward"));
    m_backward = new QRadioButton(QStringLiteral("&Backward"), direction);
    m_backward->setObjectName(QStringLiteral("RAD_Backward"));
    m_forward->setChecked(true);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(m_forward);
    directionLayout->addWidget(m_backward);

    auto *optionsColumn = new QVBoxLayout;
    optionsColumn->addWidget(m_matchCase);
    optionsColumn->addWidget(m_wholeWords);
    optionsColumn->addStretch(1);
    auto *optionsRow = new QHBoxLayout;
    optionsRow->addLayout(optionsColumn);
    optionsRow->addWidget(direction);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LBL_Status"));
    m_status->setTextFormat(Qt::PlainText);

    auto *buttons = new QVBoxLayout;
    auto *findNextButton = new QPushButton(QStringLiteral("&Find next"), this);
    findNextButton->setObjectName(QStringLiteral("BTN_FindNext"));
    findNextButton->setDefault(true);
    buttons->addWidget(findNextButton);
    connect(findNextButton, &QPushButton::clicked, this, [this] { findNext(); });
    if (mode == Replace) {
        auto *replaceButton = new QPushButton(QStringLiteral("&Replace"), this);
        replaceButton->setObjectName(QStringLiteral("BTN_Replace"));
        auto *allButton = new QPushButton(QStringLiteral("Replace &all"), this);
        allButton->setObjectName(QStringLiteral("BTN_ReplaceAll"));
        buttons->addWidget(replaceButton);
        buttons->addWidget(allButton);
        connect(replaceButton, &QPushButton::clicked, this, [this] { replaceOne(); });
        connect(allButton, &QPushButton::clicked, this, [this] { replaceEverything(); });
    }
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("BTN_Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(optionsRow);
    left->addWidget(m_status);
    auto *main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(buttons);
    setMinimumWidth(440);
}

FindOptions FindDialog::options() const
{
    FindOptions o;
    o.matchCase = m_matchCase->isChecked();
    o.wholeWords = m_wholeWords->isChecked();
    o.forward = m_forward->isChecked();
    return o;
}

QString FindDialog::statusText() const
{
    return m_status->text();
}

bool FindDialog::findNext()
{
    const QString text = m_find->text();
    if (text.isEmpty()) {
        m_status->clear();
        return false;
    }
    if (findText(*m_editor, text, options()) < 0) {
        m_status->setText(QStringLiteral("Cannot find \"%1\"").arg(text));
        QApplication::beep();
        return false;
    }
    m_status->clear();
    return true;
}

void FindDialog::replaceOne()
{
    const QString text = m_find->text();
    if (text.isEmpty())
        return;
    const FindOptions o = options();
    // The occurrence found last is still selected: replace it, then go on.
    if (selectionMatches(*m_editor, text, o)) {
        const int start = m_editor->selStart();
        m_editor->replaceSelection(m_replace->text());
        // Going back, the search starts before the replacement, so that
        // text inside it is not found again.
        if (!o.forward)
            m_editor->setCaretPosition(start);
    }
    findNext();
}

int FindDialog::replaceEverything()
{
    const QString text = m_find->text();
    if (text.isEmpty()) {
        m_status->clear();
        return 0;
    }
    const int count = replaceAll(*m_editor, text, m_replace ? m_replace->text() : QString(), options());
    if (count == 0)
        m_status->setText(QStringLiteral("Cannot find \"%1\"").arg(text));
    else if (count == 1)
        m_status->setText(QStringLiteral("Replaced 1 occurrence"));
    else
        m_status->setText(QStringLiteral("Replaced %1 occurrences").arg(count));
    return count;
}

namespace {

void showDialog(ScriptEditor &editor, FindDialog::Mode mode, Prompter &prompter)
{
    QWidget *parent = prompter.parentWindow() ? prompter.parentWindow() : editor.window();
    FindDialog dialog(&editor, mode, initialSearchText(editor), parent);
    prompter.execDialog(dialog);
}

}  // namespace

void showFindDialog(ScriptEditor &editor, Prompter &prompter)
{
    showDialog(editor, FindDialog::Find, prompter);
}

void showReplaceDialog(ScriptEditor &editor, Prompter &prompter)
{
    showDialog(editor, FindDialog::Replace, prompter);
}
