#include "library/builtin/listdialogs.h"

#include "library/builtin/builtinpagekit.h"
#include "platform/helpsystem.h"
#include "platform/prompter.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"
#include "widgets/panels.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

bool isPlain(const QKeyEvent *event)
{
    return !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

// --- TOdnosnikDlg --------------------------------------------------------------------------

TOdnosnikDlg::TOdnosnikDlg(Prompter &prompter, HelpSystem &help, QWidget *parent)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TOdnosnikDlg"));
    setWindowTitle(QStringLiteral("Insert an URL"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(appIcon(QStringLiteral("ODNOSNIK")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picture->setStatusTip(QStringLiteral("With this tool you can insert an URL\r\nand its description."));
    picture->setToolTip(picture->statusTip());

    auto *pages = new QTabWidget(this);
    auto *page = new QWidget(pages);
    m_address = new AddressEdit(page);
    m_address->setObjectName(QStringLiteral("LST_URLe"));
    m_address->setStatusTip(QStringLiteral("Write here an URL"));
    auto *open = new QToolButton(page);
    open->setObjectName(QStringLiteral("Przycisk_Otworz"));
    open->setIcon(appIcon(QStringLiteral("open"), QStringLiteral("document-open")));
    open->setStatusTip(QStringLiteral("Click here to select a document"));
    open->setToolTip(open->statusTip());
    m_description = new QLineEdit(page);
    m_description->setObjectName(QStringLiteral("Edit_Opis"));
    m_description->setStatusTip(QStringLiteral("Description of the URL"));
    m_description->setMaxLength(240);

    auto *grid = new QGridLayout(page);
    auto *urlLabel = new QLabel(QStringLiteral("&URL"), page);
    urlLabel->setBuddy(m_address);
    auto *descriptionLabel = new QLabel(QStringLiteral("&Description of the URL"), page);
    descriptionLabel->setBuddy(m_description);
    grid->addWidget(urlLabel, 0, 0, 1, 2);
    grid->addWidget(m_address, 1, 0);
    grid->addWidget(open, 1, 1);
    grid->addWidget(descriptionLabel, 2, 0, 1, 2);
    grid->addWidget(m_description, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    pages->addTab(page, appIcon(QStringLiteral("ODNOSNIK")), QStringLiteral("URL's"));

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setIcon(appIcon(QStringLiteral("OK")));
    ok->setObjectName(QStringLiteral("BTN_OK"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    cancel->setIcon(appIcon(QStringLiteral("ANULUJ")));
    cancel->setObjectName(QStringLiteral("BTN_Cancel"));
    QPushButton *helpButton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    helpButton->setIcon(appIcon(QStringLiteral("POMOC")));
    helpButton->setObjectName(QStringLiteral("BTN_Help"));
    for (QPushButton *button : {ok, cancel, helpButton})
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &TOdnosnikDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TOdnosnikDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [&help] { help.ShowHelpTopic(640); });

    const QStringList filters{QStringLiteral("HTML documents (*.htm)"), QStringLiteral("Text documents (*.txt)"),
                              QStringLiteral("Style sheets (*.css)"), QStringLiteral("All files (*)")};
    const auto chooseFile = [this, filters] { chooseFileInto(m_prompter, filters, m_address); };
    connect(open, &QToolButton::clicked, this, chooseFile);
    connect(m_address, &AddressEdit::doubleClicked, this, chooseFile);

    auto *row = new QHBoxLayout(this);
    row->addWidget(picture);
    row->addWidget(pages, 1);
    row->addWidget(buttons);

    applyHandCursorSetting(this);
    sizeAndCentreDialog(this, QSize(488, 202));
    m_address->setFocus();
}

QString TOdnosnikDlg::address() const
{
    return m_address->text();
}

QString TOdnosnikDlg::description() const
{
    return m_description->text();
}

void TOdnosnikDlg::setLink(const QString &description, const QString &address)
{
    m_description->setText(description);
    m_address->setText(address);
}

void TOdnosnikDlg::accept()
{
    if (m_address->text().isEmpty())
        reject();
    else
        QDialog::accept();
}

void TOdnosnikDlg::keyPressEvent(QKeyEvent *event)
{
    if (!enterAcceptsEscapeRejects(this, event))
        QDialog::keyPressEvent(event);
}

// --- THeadLinDlg ---------------------------------------------------------------------------

THeadLinDlg::THeadLinDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("THeadLinDlg"));
    setWindowTitle(QStringLiteral("Headliner settings"));

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("EDT_HL_Text"));
    m_url = new QLineEdit(this);
    m_url->setObjectName(QStringLiteral("EDT_HL_URL"));
    m_effect = new QComboBox(this);
    m_effect->setObjectName(QStringLiteral("LST_Effect"));
    m_effect->addItems(headlineEffects());
    m_effect->setCurrentIndex(-1);
    m_frame = new QComboBox(this);
    m_frame->setObjectName(QStringLiteral("LST_Window"));
    m_frame->setEditable(true);
    m_frame->setInsertPolicy(QComboBox::NoInsert);
    m_frame->addItems(headlineFrames());
    m_frame->setCurrentIndex(-1);
    m_frame->setEditText(QString());
    m_wait = new QSpinBox(this);
    m_wait->setObjectName(QStringLiteral("SPN_Time"));
    m_wait->setRange(kMinHeadlineWait, kMaxHeadlineWait);
    m_wait->setSingleStep(kHeadlineWaitStep);
    m_wait->setValue(kDefaultHeadlineWait);
    // Room for an address without scrolling the field at once.
    m_text->setMinimumWidth(220);
    m_url->setMinimumWidth(220);

    auto *form = new QFormLayout;
    const auto addRow = [&](const QString &label, QWidget *field) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        form->addRow(caption, field);
    };
    addRow(QStringLiteral("Headline &text:"), m_text);
    addRow(QStringLiteral("Headline &URL (or mailto):"), m_url);
    addRow(QStringLiteral("&Effect:"), m_effect);
    addRow(QStringLiteral("&Target window (frame name):"), m_frame);
    addRow(QStringLiteral("Time to &wait after displaying:"), m_wait);

    QDialogButtonBox *buttons = makeOkCancelButtons(this);
    // Enter has no special meaning here.
    for (QAbstractButton *button : buttons->buttons())
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }

    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addStretch(1);
    column->addWidget(buttons);

    applyHandCursorSetting(this);
    sizeAndCentreDialog(this, QSize(340, 230));
}

HeadlineFields THeadLinDlg::fields() const
{
    HeadlineFields fields;
    fields.text = m_text->text();
    fields.url = m_url->text();
    fields.effect = m_effect->currentIndex();
    fields.frame = m_frame->currentText();
    fields.wait = m_wait->value();
    return fields;
}

void THeadLinDlg::setFields(const HeadlineFields &fields)
{
    m_text->setText(fields.text);
    m_url->setText(fields.url);
    m_effect->setCurrentIndex(fields.effect);
    m_frame->setCurrentIndex(findChoiceIgnoringCase(headlineFrames(), fields.frame));
    m_frame->setEditText(fields.frame);
    m_wait->setValue(fields.wait);
}

void THeadLinDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && !isPlain(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
