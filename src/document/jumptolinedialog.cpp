#include "document/jumptolinedialog.h"

#include "widgets/actions.h"
#include "widgets/panels.h"

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

    QDialogButtonBox *buttons = makeOkCancelButtons(this);

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
