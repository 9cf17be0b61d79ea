#include "app/aboutdialog.h"

#include "app/appconfig.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "widgets/actions.h"
#include "widgets/handcursor.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TAboutDlg::TAboutDlg(DesktopShell &shell, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_shell(shell), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TAboutDlg"));
    setWindowTitle(QStringLiteral("About ..."));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("IMG_Logo"));
    m_picture->setPixmap(appIcon(QStringLiteral("quillon")).pixmap(QSize(96, 96)));
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->setToolTip(webAddress());
    m_picture->installEventFilter(this);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("LBL_Nazwa"));
    QFont big = m_name->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    m_name->setFont(big);

    auto *description = new QLabel(QStringLiteral("DHTML Editor with library of over 30 scripts"), this);
    description->setObjectName(QStringLiteral("LBL_ProgOpis"));

    m_www = new QLabel(this);
    m_www->setObjectName(QStringLiteral("LBL_WWW"));
    m_www->setTextFormat(Qt::RichText);
    m_www->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress().toHtmlEscaped()));
    m_www->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_www->setCursor(Qt::PointingHandCursor);
    connect(m_www, &QLabel::linkActivated, this, [this](const QString &) { openWebPage(); });

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BTN_OK"));
    ok->setIcon(appIcon(QStringLiteral("OK")));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(18, 18, 18, 12);
    grid->setHorizontalSpacing(18);
    grid->addWidget(m_picture, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(description, 1, 1);
    grid->addWidget(m_www, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);

    // The name is set as the dialog opens.
    m_name->setText(applicationTitle());
    applyHandCursorSetting(this);
    setFixedSize(sizeHint());
}

QString TAboutDlg::webAddress()
{
    return QStringLiteral("https://quillon.velmora.example/");
}

void TAboutDlg::openWebPage()
{
    const int code = m_shell.openUrl(webAddress());
    if (code < 32)
        m_prompter.ShowMessageBox(IconError, QStringLiteral("Error!"),
                                  QStringLiteral("Cannot run the default system browser - error code %1").arg(code));
}

bool TAboutDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        openWebPage();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutDlg::keyPressEvent(QKeyEvent *event)
{
    const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if (plain && (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
