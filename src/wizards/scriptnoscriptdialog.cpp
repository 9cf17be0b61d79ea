#include "wizards/scriptnoscriptdialog.h"

#include "widgets/handcursor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TNoScriptDlg::TNoScriptDlg(Dress dress, HelpSystem &help, QWidget *parent)
    : ScriptWizardDialog(help, dress == Dress::Comments ? 380 : 391, EscapeCancels, parent)
{
    setObjectName(QStringLiteral("TNoScriptDlg"));
    const bool comments = dress == Dress::Comments;
    setWindowTitle(comments ? QStringLiteral("Comments") : QStringLiteral("<NOSCRIPT> tag"));

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("MEM_NoScript"));
    m_memo->setTabChangesFocus(true);
    auto *title = new QLabel(comments ? QStringLiteral("Add your comments below")
                                  : QStringLiteral("&Place here an information showed in browsers without scripting support"),
                         this);
    title->setObjectName(QStringLiteral("LBL_Title"));
    title->setBuddy(m_memo);
    title->setWordWrap(true);
    m_javaScript = new QRadioButton(QStringLiteral("JavaScript mode"), this);
    m_javaScript->setObjectName(QStringLiteral("RAD_JS"));
    m_javaScript->setChecked(true);
    m_vbScript = new QRadioButton(QStringLiteral("VBScript mode"), this);
    m_vbScript->setObjectName(QStringLiteral("RAD_VB"));
    setHelpContext(m_memo, comments ? 385 : 392);
    setHelpContext(m_javaScript, 387);
    setHelpContext(m_vbScript, 387);

    if (comments) {
        m_memo->setMinimumHeight(137);
    } else {
        m_memo->setPlainText(defaultNoScriptText());
        // The comment style means nothing to a NOSCRIPT element.
        m_javaScript->hide();
        m_vbScript->hide();
    }

    auto *modes = new QHBoxLayout;
    modes->addWidget(m_javaScript);
    modes->addWidget(m_vbScript);
    modes->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_memo, 1);
    layout->addLayout(modes);
    layout->addWidget(buttons());

    m_memo->setFocus();
    watchKeys();
    applyHandCursorSetting(this);
    resize(440, comments ? 280 : 240);
}

QString TNoScriptDlg::memoText() const
{
    return memoLines(m_memo->toPlainText()).join(QStringLiteral("\r\n"));
}

CommentOptions TNoScriptDlg::commentOptions() const
{
    return {m_memo->toPlainText(), m_vbScript->isChecked() ? CommentStyle::VBScript : CommentStyle::JavaScript};
}
