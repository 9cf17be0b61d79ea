#include "library/importclashdialog.h"

#include "widgets/handcursor.h"
#include "widgets/panels.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TDlg_ImportClash::TDlg_ImportClash(const QString &name, const QString &copyName, int othersLeft, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TDlg_ImportClash"));
    setWindowTitle(QStringLiteral("Import scripts"));

    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(QStringLiteral("In the user library there is a script with the name \"%1\".\n"
                                           "Replace it with the imported script, keep both (the imported one as "
                                           "\"%2\"), or skip the imported one?")
                                .arg(name, copyName),
                            this);
    text->setObjectName(QStringLiteral("LBL_Clash"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    // Wide enough that a name of a few words stays on its line.
    text->setMinimumWidth(440);

    m_forAll = new QCheckBox(othersLeft == 1 ? QStringLiteral("&Do the same for the other clash")
                                             : QStringLiteral("&Do the same for the other %1 clashes").arg(othersLeft),
                             this);
    m_forAll->setObjectName(QStringLiteral("CHK_ForAll"));
    m_forAll->setVisible(othersLeft > 0);

    auto *buttons = new QDialogButtonBox(this);
    const auto addButton = [this, buttons](const QString &caption, const char *objectName, ClashChoice choice) {
        QPushButton *button = buttons->addButton(caption, QDialogButtonBox::AcceptRole);
        button->setObjectName(QString::fromLatin1(objectName));
        connect(button, &QPushButton::clicked, this, [this, choice] { choose(choice, forAll()); });
        return button;
    };
    addButton(QStringLiteral("&Replace"), "BTN_Replace", ClashChoice::Replace);
    addButton(QStringLiteral("&Keep both"), "BTN_KeepBoth", ClashChoice::KeepBoth)->setDefault(true);
    addButton(QStringLiteral("&Skip"), "BTN_Skip", ClashChoice::Skip);
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Cancel import"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BTN_Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->addLayout(top);
    layout->addWidget(m_forAll);
    layout->addStretch(1);
    layout->addWidget(buttons);

    applyHandCursorSetting(this);
    sizeAndCentreDialog(this, QSize(540, 140));
}

bool TDlg_ImportClash::forAll() const
{
    return !m_forAll->isHidden() && m_forAll->isChecked();
}

void TDlg_ImportClash::choose(ClashChoice choice, bool forAll)
{
    m_choice = choice;
    m_forAll->setChecked(forAll);
    accept();
}
