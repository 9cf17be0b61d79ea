#include "wizards/dialogboxdialog.h"

#include "widgets/actions.h"
#include "widgets/handcursor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TJSAlarmDlg::TJSAlarmDlg(HelpSystem &help, QWidget *parent) : ScriptWizardDialog(help, 140, EnterConfirms, parent)
{
    setObjectName(QStringLiteral("TJSAlarmDlg"));
    setWindowTitle(QStringLiteral("Dialog box"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(appIcon(QStringLiteral("dialog")).pixmap(48, 48));
    picture->setToolTip(QStringLiteral("With this tool you can put\ndialog boxes into HTML document"));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *kinds = new QGroupBox(this);
    auto *kindRow = new QHBoxLayout(kinds);
    const auto radio = [&](const char *name, const char *caption, int context) {
        auto *button = new QRadioButton(QLatin1String(caption), kinds);
        button->setObjectName(QLatin1String(name));
        setHelpContext(button, context);
        kindRow->addWidget(button);
        connect(button, &QRadioButton::toggled, this, &TJSAlarmDlg::RAD_PromptClick);
        return button;
    };
    m_alert = radio("Radio_Alarm", "&Alert", 150);
    m_confirm = radio("Radio_Confirm", "Co&nfirm", 160);
    m_prompt = radio("RAD_Prompt", "&Prompt", 165);

    m_message = new QLineEdit(this);
    m_message->setObjectName(QStringLiteral("Edit_Message"));
    m_message->setToolTip(QStringLiteral("Message"));
    setHelpContext(m_message, 170);
    m_default = new QLineEdit(this);
    m_default->setObjectName(QStringLiteral("EDT_DEfault"));
    m_default->setToolTip(QStringLiteral("Message"));
    setHelpContext(m_default, 175);
    auto *messageLabel = new QLabel(QStringLiteral("&Information:"), this);
    messageLabel->setBuddy(m_message);
    m_defaultLabel = new QLabel(QStringLiteral("&Default:"), this);
    m_defaultLabel->setBuddy(m_default);

    auto *fields = new QGridLayout;
    fields->addWidget(kinds, 0, 0, 1, 2);
    fields->addWidget(messageLabel, 1, 0);
    fields->addWidget(m_message, 1, 1);
    fields->addWidget(m_defaultLabel, 2, 0);
    fields->addWidget(m_default, 2, 1);
    fields->setColumnStretch(1, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(fields, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons());

    m_alert->setChecked(true);
    RAD_PromptClick();
    m_message->setFocus();
    watchKeys();
    applyHandCursorSetting(this);
    resize(420, sizeHint().height());
}

void TJSAlarmDlg::RAD_PromptClick()
{
    const bool prompt = m_prompt->isChecked();
    m_default->setEnabled(prompt);
    m_defaultLabel->setEnabled(prompt);
}

DialogBoxOptions TJSAlarmDlg::options() const
{
    DialogBoxKind kind = DialogBoxKind::Alert;
    if (m_confirm->isChecked())
        kind = DialogBoxKind::Confirm;
    else if (m_prompt->isChecked())
        kind = DialogBoxKind::Prompt;
    return {kind, m_message->text(), m_default->text()};
}
