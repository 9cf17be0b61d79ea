#include "preview/browserchoicedialog.h"

#include "widgets/panels.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BrowserChoiceDialog::BrowserChoiceDialog(const QList<InstalledBrowser> &installed,
                                         const QList<InstalledBrowser> &offered, QWidget *parent)
    : QDialog(parent), m_installed(installed)
{
    setObjectName(QStringLiteral("BrowserChoiceDialog"));
    setWindowTitle(QStringLiteral("Browsers"));
    auto *note = new QLabel(QStringLiteral("The two browsers the preview drop-downs offer:"), this);
    auto *form = new QFormLayout;
    const QString captions[2] = {QStringLiteral("&First:"), QStringLiteral("&Second:")};
    for (int slot = 0; slot < 2; ++slot) {
        QComboBox *list = new QComboBox(this);
        list->setObjectName(slot == 0 ? QStringLiteral("CMB_FirstBrowser") : QStringLiteral("CMB_SecondBrowser"));
        for (const InstalledBrowser &browser : installed) {
            list->addItem(browser.name, browser.id);
            // Two entries may bear one name: the hint tells them apart.
            list->setItemData(list->count() - 1, browser.desktopFile, Qt::ToolTipRole);
        }
        const qsizetype now = slot < offered.size() ? installed.indexOf(offered[slot]) : -1;
        list->setCurrentIndex(now >= 0 ? int(now) : qMin(slot, int(installed.size()) - 1));
        connect(list, &QComboBox::currentIndexChanged, this, &BrowserChoiceDialog::checkChoice);
        form->addRow(captions[slot], list);
        m_choices[slot] = list;
    }
    QDialogButtonBox *buttons = makeOkCancelButtons(this);
    m_ok = buttons->findChild<QPushButton *>(QStringLiteral("BTN_OK"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(buttons);
    checkChoice();
}

QStringList BrowserChoiceDialog::chosenIds() const
{
    return {m_choices[0]->currentData().toString(), m_choices[1]->currentData().toString()};
}

void BrowserChoiceDialog::checkChoice()
{
    // One browser in both places would leave a place for nothing.
    m_ok->setEnabled(m_choices[0]->currentIndex() != m_choices[1]->currentIndex());
}
