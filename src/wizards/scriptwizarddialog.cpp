#include "wizards/scriptwizarddialog.h"

#include "platform/helpsystem.h"
#include "widgets/actions.h"
#include "widgets/panels.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVariant>

namespace {
constexpr char kHelpContext[] = "quillonHelpContext";
} // namespace

ScriptWizardDialog::ScriptWizardDialog(HelpSystem &help, int helpTopic, Keys keys, QWidget *parent)
    : QDialog(parent), m_helpSystem(help), m_helpTopic(helpTopic), m_keys(keys)
{
    // Modal to the main window only: the help window opened from the
    // dialog stays usable while the dialog is up.
    setWindowModality(Qt::WindowModal);
    m_buttons = makeOkCancelButtons(this);
    for (QAbstractButton *button : m_buttons->buttons()) {
        if (m_buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            button->setObjectName(QStringLiteral("Przycisk_OK"));
        else
            button->setObjectName(QStringLiteral("Przycisk_Anuluj"));
    }
    m_help = m_buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    m_help->setObjectName(QStringLiteral("Przycisk_Pomoc"));
    m_help->setIcon(appIcon(QStringLiteral("POMOC")));
    m_help->setAutoDefault(false);
    connect(m_help, &QPushButton::clicked, this, [this] { showHelp(m_helpTopic); });
}

void ScriptWizardDialog::setHelpContext(QWidget *widget, int topic)
{
    widget->setProperty(kHelpContext, topic);
}

int ScriptWizardDialog::helpContext(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (const QVariant context = w->property(kHelpContext); context.isValid())
            return context.toInt();
    return 0;
}

void ScriptWizardDialog::watchKeys()
{
    const auto controls = findChildren<QWidget *>();
    for (QWidget *control : controls)
        control->installEventFilter(this);

    // Tab goes through the fields first and then to the buttons, which
    // exist before the fields.
    QWidget *lastField = nullptr;
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (!m_buttons->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
            lastField = w;
    if (!lastField)
        return;
    QWidget *previous = lastField;
    for (QAbstractButton *button : m_buttons->buttons()) {
        setTabOrder(previous, button);
        previous = button;
    }
}

bool ScriptWizardDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Keys go to the dialog before the control with the focus sees them;
    // the drop-down list of a combo box is a window of its own and keeps
    // its keys.
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget && widget->window() == this) {
        auto *key = static_cast<QKeyEvent *>(event);
        // The dialog's keys are not shortcuts of the window behind it.
        if (event->type() == QEvent::ShortcutOverride && isDialogKey(key)) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress && handleKey(key, widget))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ScriptWizardDialog::keyPressEvent(QKeyEvent *event)
{
    if (!handleKey(event, focusWidget()))
        QDialog::keyPressEvent(event);
}

bool ScriptWizardDialog::isDialogKey(const QKeyEvent *event) const
{
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F1:
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return m_keys == EnterConfirms;
    default:
        return false;
    }
}

bool ScriptWizardDialog::handleKey(QKeyEvent *event, const QWidget *receiver)
{
    if (!isDialogKey(event))
        return false;
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        break;
    case Qt::Key_F1: {
        const int context = helpContext(receiver);
        showHelp(context ? context : m_helpTopic);
        break;
    }
    default:
        accept();
    }
    return true;
}

void ScriptWizardDialog::showHelp(int topic)
{
    m_helpSystem.ShowHelpTopic(topic);
}
