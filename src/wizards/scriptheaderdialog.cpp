#include "wizards/scriptheaderdialog.h"

#include "widgets/handcursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QComboBox *editableList(const QString &name, const QStringList &items, QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    // Typed text is taken as it stands, never added to the choices.
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setCurrentIndex(0);
    return list;
}

} // namespace

TSkryptDlg::TSkryptDlg(HelpSystem &help, QWidget *parent) : ScriptWizardDialog(help, 395, EnterConfirms, parent)
{
    setObjectName(QStringLiteral("TSkryptDlg"));
    setWindowTitle(QStringLiteral("Script header"));

    m_language = editableList(QStringLiteral("Lista_Jezyk"), scriptLanguages(), this);
    m_type = editableList(QStringLiteral("LST_TYP"), scriptTypes(), this);
    m_comments = new QPlainTextEdit(this);
    m_comments->setObjectName(QStringLiteral("MEM_Comments"));
    m_comments->setTabChangesFocus(true);
    setHelpContext(m_language, 397);
    setHelpContext(m_comments, 398);
    setHelpContext(m_type, 399);

    auto *languageLabel = new QLabel(QStringLiteral("&Language:"), this);
    languageLabel->setBuddy(m_language);
    auto *typeLabel = new QLabel(QStringLiteral("&Type:"), this);
    typeLabel->setBuddy(m_type);
    auto *commentsLabel =
        new QLabel(QStringLiteral("Co&mments (use this field for entering e.g. script description)"), this);
    commentsLabel->setBuddy(m_comments);

    auto *fields = new QGridLayout;
    fields->addWidget(languageLabel, 0, 0);
    fields->addWidget(m_language, 0, 1);
    fields->addWidget(typeLabel, 1, 0);
    fields->addWidget(m_type, 1, 1);
    fields->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(commentsLabel);
    layout->addWidget(m_comments, 1);
    layout->addWidget(buttons());

    connect(m_language, &QComboBox::editTextChanged, this, &TSkryptDlg::Lista_JezykChange);

    m_language->setFocus();
    watchKeys();
    applyHandCursorSetting(this);
    resize(420, 300);
}

void TSkryptDlg::Lista_JezykChange()
{
    m_type->setEditText(typeForLanguage(m_language->currentText(), m_type->currentText()));
}

ScriptHeaderOptions TSkryptDlg::options() const
{
    return {m_language->currentText(), m_type->currentText(), m_comments->toPlainText()};
}
