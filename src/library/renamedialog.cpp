#include "library/renamedialog.h"

#include "platform/prompter.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"
#include "widgets/panels.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

TDlg_Rename::TDlg_Rename(const QString &caption, const QString &label, const QString &text, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TDlg_Rename"));
    setWindowTitle(caption);

    m_label = new QLabel(label, this);
    m_label->setObjectName(QStringLiteral("Label_Etykieta"));
    m_edit = new QLineEdit(text, this);
    m_edit->setObjectName(QStringLiteral("Edit_Nazwa"));
    m_label->setBuddy(m_edit);
    m_edit->selectAll();

    QDialogButtonBox *buttons = makeOkCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addWidget(m_label);
    layout->addWidget(m_edit);
    layout->addStretch(1);
    layout->addWidget(buttons);

    applyHandCursorSetting(this);
    // The design's client area is 280 x 113, centred on the screen.
    sizeAndCentreDialog(this, QSize(280, 113));
}

QString TDlg_Rename::text() const
{
    return m_edit->text();
}

void TDlg_Rename::keyPressEvent(QKeyEvent *event)
{
    if (!enterAcceptsEscapeRejects(this, event))
        QDialog::keyPressEvent(event);
}

std::optional<QString> TDlg_Rename::ask(Prompter &prompter, const QString &caption, const QString &label,
                                        const QString &text)
{
    TDlg_Rename dialog(caption, label, text, prompter.parentWindow());
    if (prompter.execDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.text();
}
