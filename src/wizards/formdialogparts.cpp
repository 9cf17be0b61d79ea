#include "wizards/formdialogparts.h"

#include "widgets/actions.h"

#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

/// Turns Escape in one control into a rejection of its dialog.
class EscapeRejects final : public QObject {
public:
    explicit EscapeRejects(QDialog *dialog) : QObject(dialog), m_dialog(dialog) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                if (event->type() == QEvent::KeyPress)
                    m_dialog->reject();
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QDialog *m_dialog;
};

class HelpOnF1 final : public QObject {
public:
    HelpOnF1(QDialog *dialog, std::function<void()> help) : QObject(dialog), m_help(std::move(help)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
                if (event->type() == QEvent::KeyPress)
                    m_help();
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_help;
};

} // namespace

QWidget *makeWizardButtons(QDialog *dialog, bool enterConfirms, std::function<void()> help)
{
    // A plain row rather than a QDialogButtonBox, which makes its OK button
    // the default one when the dialog is shown.
    auto *row = new QWidget(dialog);
    row->setObjectName(QStringLiteral("WizardButtons"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    const auto button = [&](const char *name, const char *caption, const char *icon) {
        auto *pushButton = new QPushButton(appIcon(QString::fromLatin1(icon)), QString::fromLatin1(caption), row);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setAutoDefault(false);
        layout->addWidget(pushButton);
        return pushButton;
    };
    QPushButton *ok = button("Przycisk_OK", "&OK", "OK");
    QPushButton *cancel = button("Przycisk_Anuluj", "&Cancel", "ANULUJ");
    QPushButton *helpButton = button("Przycisk_Pomoc", "&Help", "POMOC");
    ok->setDefault(enterConfirms);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    // F1 anywhere in the dialog opens its topic, as the button does: no
    // control takes the key, so it comes up to the dialog.
    dialog->installEventFilter(new HelpOnF1(dialog, help));
    QObject::connect(helpButton, &QPushButton::clicked, dialog, std::move(help));
    return row;
}

QLabel *makeWizardPicture(QWidget *parent, const QString &iconName, const QString &hint)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(appIcon(iconName).pixmap(48, 48));
    picture->setToolTip(hint);
    picture->setStatusTip(hint);
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return picture;
}

QSpinBox *makeWizardSpin(QWidget *parent, const char *spinName, const char *editName, int minimum, int maximum,
                         int step, int value)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(spinName));
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setValue(value);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    if (QLineEdit *edit = spin->findChild<QLineEdit *>())
        edit->setObjectName(QString::fromLatin1(editName));
    return spin;
}

void keepHelpReachable(QDialog *dialog)
{
    dialog->setWindowModality(Qt::WindowModal);
}

void rejectOnEscape(QDialog *dialog, QWidget *control)
{
    control->installEventFilter(new EscapeRejects(dialog));
}
