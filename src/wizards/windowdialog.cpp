#include "wizards/windowdialog.h"

#include "platform/prompter.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QSpinBox *sizeSpin(const QString &name, const QString &editName, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, 2048);
    spin->setSingleStep(5);
    spin->setValue(0);
    if (auto *edit = spin->findChild<QLineEdit *>())
        edit->setObjectName(editName);
    ScriptWizardDialog::setHelpContext(spin, 90);
    return spin;
}

} // namespace

TJSOknoDlg::TJSOknoDlg(Prompter &prompter, HelpSystem &help, QWidget *parent)
    : ScriptWizardDialog(help, 91, EnterConfirms, parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TJSOknoDlg"));
    setWindowTitle(QStringLiteral("New window settings"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(appIcon(QStringLiteral("OKNO")).pixmap(48, 48));
    picture->setToolTip(QStringLiteral("With this tool you can put a code\nfor opening new browser window."));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_url = new QLineEdit(this);
    m_url->setObjectName(QStringLiteral("Edit_URL"));
    setHelpContext(m_url, 101);
    m_browse = new QToolButton(this);
    m_browse->setObjectName(QStringLiteral("Przycisk_URL"));
    m_browse->setText(QStringLiteral("..."));
    m_browse->setIcon(appIcon(QStringLiteral("open"), QStringLiteral("document-open")));
    m_browse->setToolTip(QStringLiteral("Click here to select a document"));
    m_browse->setStatusTip(m_browse->toolTip());
    connect(m_browse, &QToolButton::clicked, this, &TJSOknoDlg::Przycisk_URLClick);

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("Edit_Title"));
    m_title->setToolTip(QStringLiteral("New window title"));
    setHelpContext(m_title, 80);
    m_width = sizeSpin(QStringLiteral("Spin_Width"), QStringLiteral("Edit1"), this);
    m_height = sizeSpin(QStringLiteral("Spin_Height"), QStringLiteral("Edit2"), this);

    const auto label = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto *urlRow = new QHBoxLayout;
    urlRow->setSpacing(2);
    urlRow->addWidget(m_url, 1);
    urlRow->addWidget(m_browse);
    auto *fields = new QGridLayout;
    fields->addWidget(label(QStringLiteral("Co&ntents:"), m_url), 0, 0);
    fields->addLayout(urlRow, 0, 1, 1, 3);
    fields->addWidget(label(QStringLiteral("&Title:"), m_title), 1, 0);
    fields->addWidget(m_title, 1, 1, 1, 3);
    fields->addWidget(label(QStringLiteral("&Width:"), m_width), 2, 0);
    fields->addWidget(m_width, 2, 1);
    fields->addWidget(label(QStringLiteral("H&eight:"), m_height), 2, 2);
    fields->addWidget(m_height, 2, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);

    auto *settings = new QGroupBox(QStringLiteral("Settings:"), this);
    auto *checks = new QGridLayout(settings);
    const auto check = [&](const char *name, const char *caption, int index) {
        auto *box = new QCheckBox(QLatin1String(caption), settings);
        box->setObjectName(QLatin1String(name));
        setHelpContext(box, 100);
        checks->addWidget(box, index % 4, index / 4);
        return box;
    };
    m_toolbar = check("Check_Toolbar", "toolbar", 0);
    m_menu = check("Check_menu", "menu", 1);
    m_scrollbars = check("Check_scrollbars", "scrollbars", 2);
    m_resize = check("Check_resize", "resizing", 3);
    m_statusLine = check("Check_statusbar", "status line", 4);
    m_location = check("Check_location", "location", 5);
    m_directories = check("Check_dir", "directories", 6);
    m_history = check("Check_historia", "history", 7);

    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(settings);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons());

    m_url->setFocus();
    watchKeys();
    applyHandCursorSetting(this);
    resize(440, sizeHint().height());
}

WindowOptions TJSOknoDlg::options() const
{
    WindowOptions options;
    options.url = m_url->text();
    options.title = m_title->text();
    options.width = m_width->value();
    options.height = m_height->value();
    options.toolbar = m_toolbar->isChecked();
    options.menu = m_menu->isChecked();
    options.scrollbars = m_scrollbars->isChecked();
    options.resizable = m_resize->isChecked();
    options.statusLine = m_statusLine->isChecked();
    options.location = m_location->isChecked();
    options.directories = m_directories->isChecked();
    options.history = m_history->isChecked();
    return options;
}

void TJSOknoDlg::Przycisk_URLClick()
{
    // The same open dialog as for scripts, offering web documents.
    FileDialogRequest request;
    request.caption = QStringLiteral("Select a script file");
    request.filters = QStringList{QStringLiteral("HTML documents (*.htm)"), QStringLiteral("Text documents (*.txt)"),
                                  QStringLiteral("Style sheets (*.css)"), QStringLiteral("All files (*)")};
    const QString path = m_prompter.getOpenFileNameFor(this, request);
    if (!path.isEmpty())
        m_url->setText(path);
    m_url->setFocus();
}

bool TJSOknoDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_url && event->type() == QEvent::MouseButtonDblClick) {
        Przycisk_URLClick();
        return true;
    }
    return ScriptWizardDialog::eventFilter(watched, event);
}
