#include "preview/previewpane.h"

#include "preview/internalbrowser.h"
#include "widgets/actions.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

PreviewPane::PreviewPane(std::function<InternalBrowserFactory *()> factoryProvider, QWidget *parent)
    : QWidget(parent), m_factoryProvider(std::move(factoryProvider))
{
    setObjectName(QStringLiteral("Panel1"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);

    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("Panel5"));
    auto *row = new QHBoxLayout(m_strip);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
    m_address = new QLineEdit(m_strip);
    m_address->setObjectName(QStringLiteral("EDT_IE_URL"));
    m_address->setStatusTip(QStringLiteral("Type an address and press Enter"));
    m_address->setPlaceholderText(QStringLiteral("Address"));
    m_address->setClearButtonEnabled(true);
    m_address->installEventFilter(this);
    row->addWidget(m_address, 1);
    row->addWidget(stripButton("BTN_IE_BAck", QStringLiteral("Go back"), QStringLiteral("go-previous"),
                               QStyle::SP_ArrowBack, &PreviewPane::goBack));
    row->addWidget(stripButton("ToolbarButton973", QStringLiteral("Go forward"), QStringLiteral("go-next"),
                               QStyle::SP_ArrowForward, &PreviewPane::goForward));
    row->addWidget(stripButton("BTN_IE_Stop", QStringLiteral("Stop"), QStringLiteral("process-stop"),
                               QStyle::SP_BrowserStop, &PreviewPane::stop));
    row->addWidget(stripButton("BTN_IE_Refresh", QStringLiteral("Refresh"), QStringLiteral("view-refresh"),
                               QStyle::SP_BrowserReload, &PreviewPane::refresh));
    m_layout->addWidget(m_strip);
    m_layout->addStretch(1);
}

PreviewPane::~PreviewPane()
{
    delete m_browser;
}

QToolButton *PreviewPane::stripButton(const char *name, const QString &hint, const QString &theme,
                                      QStyle::StandardPixmap fallback, void (PreviewPane::*slot)())
{
    auto *button = new QToolButton(m_strip);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    QIcon icon = QIcon::hasThemeIcon(theme) ? QIcon::fromTheme(theme) : QIcon();
    if (icon.isNull()) {
        static const QHash<QString, QString> ours = {{QStringLiteral("go-previous"), QStringLiteral("go-back")},
                                                     {QStringLiteral("go-next"), QStringLiteral("go-forward")},
                                                     {QStringLiteral("process-stop"), QStringLiteral("stop")},
                                                     {QStringLiteral("view-refresh"), QStringLiteral("refresh")}};
        icon = appIcon(ours.value(theme));
        if (icon.availableSizes().isEmpty())
            icon = style()->standardIcon(fallback);
    }
    button->setIcon(icon);
    button->setIconSize(QSize(18, 18));
    connect(button, &QToolButton::clicked, this, slot);
    return button;
}

bool PreviewPane::ensureBrowser()
{
    if (m_browser)
        return true;
    InternalBrowserFactory *factory = m_factoryProvider ? m_factoryProvider() : nullptr;
    if (!factory)
        return false;
    m_browser = factory->createBrowser(this);
    if (!m_browser || !m_browser->widget())
        return false;
    QLayoutItem *stretch = m_layout->takeAt(1);
    delete stretch;
    m_layout->addWidget(m_browser->widget(), 1);
    m_browser->setCloseRequestHandler([this] {
        if (m_closeHandler)
            m_closeHandler();
    });
    return true;
}

void PreviewPane::showFile(const QString &path)
{
    if (ensureBrowser())
        m_browser->navigate(path);
}

void PreviewPane::setCloseRequestHandler(std::function<void()> handler)
{
    m_closeHandler = std::move(handler);
}

void PreviewPane::goBack()
{
    // Nothing to go back to is not an error worth a word.
    try {
        if (m_browser)
            m_browser->goBack();
    } catch (...) {
    }
}

void PreviewPane::goForward()
{
    try {
        if (m_browser)
            m_browser->goForward();
    } catch (...) {
    }
}

void PreviewPane::stop()
{
    if (m_browser)
        m_browser->stop();
}

void PreviewPane::refresh()
{
    if (m_browser)
        m_browser->refresh();
}

void PreviewPane::navigateToTypedAddress()
{
    if (ensureBrowser())
        m_browser->navigate(m_address->text());
}

bool PreviewPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_address && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            navigateToTypedAddress();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
