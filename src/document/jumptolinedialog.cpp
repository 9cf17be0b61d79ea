#include "document/jumptolinedialog.h"

#include "widgets/actions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TIdzDoDlg::TIdzDoDlg(int lineCount, int currentLine, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TIdzDoDlg"));
    setWindowTitle(QStringLiteral("Max. %1").arg(lineCount));

    auto *label = new QLabel(QStringLiteral("Jump to line number:"), this);
    // The up-down keeps its last valid value when a number out of range is
    // typed; that value is the one used.
    m_number = new QSpinBox(this);
    m_number->setObjectName(QStringLiteral("NumerLinii"));
    m_number->setRange(1, qMax(1, lineCount));
    m_number->setValue(qBound(1, currentLine, qMax(1, lineCount)));
    m_number->setAccelerated(true);
    m_number->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    if (QLineEdit *edit = m_number->findChild<QLineEdit *>())
        edit->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(m_number);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("BTN_OK"));
    cancel->setObjectName(QStringLiteral("BTN_Cancel"));
    ok->setIcon(appIcon(QStringLiteral("OK")));
    cancel->setIcon(appIcon(QStringLiteral("ANULUJ")));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_number);
    layout->addWidget(buttons);
    setFixedWidth(qMax(sizeHint().width(), 220));
    m_number->selectAll();
}

int TIdzDoDlg::lineNumber() const
{
    return m_number->value();
}
