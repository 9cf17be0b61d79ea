#include "wizards/formtextareadialog.h"

#include "platform/helpsystem.h"
#include "widgets/handcursor.h"
#include "wizards/formdialogparts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

TFTextDlg::TFTextDlg(HelpSystem &help, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFTextDlg"));
    keepHelpReachable(this);
    setWindowTitle(QStringLiteral("Textarea"));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit_Nazwa"));
    m_columns = makeWizardSpin(this, "Spin_Cols", "Edit1", 0, TextareaOptions::kMaxSize, TextareaOptions::kSizeStep, 0);
    m_rows = makeWizardSpin(this, "Spin_Rows", "Edit2", 0, TextareaOptions::kMaxSize, TextareaOptions::kSizeStep, 0);
    m_wrap = new QComboBox(this);
    m_wrap->setObjectName(QStringLiteral("Lista_Zawijanie"));
    m_wrap->addItems(textareaWrapItems());
    m_wrap->setCurrentIndex(-1);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("MEM_Text"));
    m_text->setTabChangesFocus(true);

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), m_name);
    fields->addRow(QStringLiteral("Col&umns:"), m_columns);
    fields->addRow(QStringLiteral("&Rows:"), m_rows);
    fields->addRow(QStringLiteral("&Wordwrap:"), m_wrap);

    auto *top = new QHBoxLayout;
    top->addWidget(makeWizardPicture(this, QStringLiteral("textarea"), QStringLiteral("Textarea")));
    top->addLayout(fields, 1);

    auto *textLabel = new QLabel(QStringLiteral("Default &text:"), this);
    textLabel->setBuddy(m_text);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(textLabel);
    layout->addWidget(m_text, 1);
    layout->addWidget(makeWizardButtons(this, false, [&help] { help.ShowHelpTopic(890); }));

    applyHandCursorSetting(this);
    resize(qMax(380, sizeHint().width()), qMax(360, sizeHint().height()));
}

TextareaOptions TFTextDlg::options() const
{
    TextareaOptions options;
    options.name = m_name->text();
    options.columns = m_columns->value();
    options.rows = m_rows->value();
    options.wrap = static_cast<TextareaWrap>(m_wrap->currentIndex() + 1);
    options.text = m_text->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    return options;
}
