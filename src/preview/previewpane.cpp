#include "preview/previewpane.h"

#include "preview/internalbrowser.h"
#include "preview/previewconsole.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSplitter>
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
    connect(m_address, &QLineEdit::returnPressed, this, &PreviewPane::EDT_IE_URLEnter);
    row->addWidget(m_address, 1);
    row->addWidget(stripButton("BTN_IE_BAck", QStringLiteral("Go back"), QStringLiteral("go-previous"), Glyph::Back,
                               &PreviewPane::BTN_IE_BAckClick));
    row->addWidget(stripButton("ToolbarButton973", QStringLiteral("Go forward"), QStringLiteral("go-next"),
                               Glyph::Forward, &PreviewPane::ToolbarButton973Click));
    row->addWidget(stripButton("BTN_IE_Stop", QStringLiteral("Stop"), QStringLiteral("process-stop"), Glyph::Stop,
                               &PreviewPane::BTN_IE_StopClick));
    row->addWidget(stripButton("BTN_IE_Refresh", QStringLiteral("Refresh"), QStringLiteral("view-refresh"),
                               Glyph::Refresh, &PreviewPane::BTN_IE_RefreshClick));
    m_layout->addWidget(m_strip);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("PreviewSplitter"));
    m_splitter->setChildrenCollapsible(false);
    auto *browserArea = new QWidget(m_splitter);
    m_console = new PreviewConsole(m_splitter);
    m_splitter->addWidget(browserArea);
    m_splitter->addWidget(m_console);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_consoleHeight = 190;
    m_splitter->setSizes({400, m_consoleHeight});
    connect(m_console, &PreviewConsole::collapsedChanged, this, &PreviewPane::foldConsole);
    m_layout->addWidget(m_splitter, 1);
    // From here on the layout is the browser's.
    m_layout = new QVBoxLayout(browserArea);
    m_layout->setContentsMargins(0, 0, 0, 0);

    // Holds the browser's place until the first preview makes it.
    m_placeholder = new QWidget(browserArea);
    m_layout->addWidget(m_placeholder, 1);
}

void PreviewPane::foldConsole(bool collapsed)
{
    const int total = m_splitter->height();
    if (collapsed) {
        m_consoleHeight = m_splitter->sizes().value(1, m_consoleHeight);
        // Only the console's title strip stays.
        m_console->setMaximumHeight(m_console->sizeHint().height());
        m_splitter->setSizes({total, 0});
    } else {
        m_console->setMaximumHeight(QWIDGETSIZE_MAX);
        m_splitter->setSizes({qMax(0, total - m_consoleHeight), m_consoleHeight});
    }
}

PreviewPane::~PreviewPane()
{
    delete m_browser;
}

QToolButton *PreviewPane::stripButton(const char *name, const QString &hint, const QString &theme, Glyph glyph,
                                      void (PreviewPane::*slot)())
{
    auto *button = new QToolButton(m_strip);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(glyphIcon(theme, glyph));
    button->setIconSize(QSize(18, 18));
    connect(button, &QToolButton::clicked, this, slot);
    return button;
}

QIcon PreviewPane::glyphIcon(const QString &theme, Glyph glyph) const
{
    if (QIcon::hasThemeIcon(theme))
        return QIcon::fromTheme(theme);
    // No desktop theme (or none with this icon): a plain glyph of our own in
    // the text colour, so the buttons never come out blank.
    QIcon icon;
    const QColor ink = palette().color(QPalette::ButtonText);
    for (const int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        switch (glyph) {
        case Glyph::Back:
        case Glyph::Forward:
            if (glyph == Glyph::Forward) {
                painter.translate(16, 0);
                painter.scale(-1, 1);
            }
            painter.drawLine(QPointF(3, 8), QPointF(13, 8));
            painter.drawPolyline(QPolygonF({QPointF(8, 3), QPointF(3, 8), QPointF(8, 13)}));
            break;
        case Glyph::Stop:
            painter.drawLine(QPointF(4, 4), QPointF(12, 12));
            painter.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case Glyph::Refresh:
            painter.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
            // The arrow head at the arc's open end (the top).
            painter.setBrush(ink);
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(QPolygonF({QPointF(7, 0.5), QPointF(11, 3), QPointF(7, 5.5)}));
            break;
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool PreviewPane::ensureBrowser()
{
    if (m_browser)
        return true;
    InternalBrowserFactory *factory = m_factoryProvider ? m_factoryProvider() : nullptr;
    if (!factory)
        return false;
    InternalBrowser *browser = factory->createBrowser(this);
    if (!browser || !browser->widget()) {
        delete browser;
        return false;
    }
    m_browser = browser;
    delete m_placeholder;
    m_placeholder = nullptr;
    m_layout->addWidget(m_browser->widget(), 1);
    m_browser->widget()->show();
    m_browser->setCloseRequestHandler([this] {
        if (m_closeHandler)
            m_closeHandler();
    });
    m_browser->setConsoleMessageHandler([this](const PageMessage &message) {
        if (m_consoleHandler)
            m_consoleHandler(message);
    });
    m_browser->setLoadFinishedHandler([this](bool ok) {
        if (m_loadHandler)
            m_loadHandler(ok);
    });
    return true;
}

void PreviewPane::showFile(const QString &path, bool newWindowCount, const QString &readableFolder)
{
    if (!ensureBrowser())
        return;
    if (newWindowCount)
        m_browser->startWindowCount();
    m_browser->setReadableFolder(readableFolder);
    m_browser->navigate(path);
}

void PreviewPane::setCloseRequestHandler(std::function<void()> handler)
{
    m_closeHandler = std::move(handler);
}

void PreviewPane::setConsoleMessageHandler(std::function<void(const PageMessage &)> handler)
{
    m_consoleHandler = std::move(handler);
}

void PreviewPane::setLoadFinishedHandler(std::function<void(bool)> handler)
{
    m_loadHandler = std::move(handler);
}

void PreviewPane::setLoadGate(std::function<void(std::function<void()>)> gate)
{
    m_loadGate = std::move(gate);
}

void PreviewPane::setStoppedHandler(std::function<void()> handler)
{
    m_stoppedHandler = std::move(handler);
}

void PreviewPane::load(std::function<void()> step)
{
    if (m_loadGate)
        m_loadGate(std::move(step));
    else
        step();
}

void PreviewPane::BTN_IE_BAckClick()
{
    if (!m_browser)
        return;
    load([this] {
        // Nothing to go back to is not worth a word.
        try {
            m_browser->goBack();
        } catch (...) {
        }
    });
}

void PreviewPane::ToolbarButton973Click()
{
    if (!m_browser)
        return;
    load([this] {
        try {
            m_browser->goForward();
        } catch (...) {
        }
    });
}

void PreviewPane::BTN_IE_StopClick()
{
    if (!m_browser)
        return;
    m_browser->stop();
    if (m_stoppedHandler)
        m_stoppedHandler();
}

void PreviewPane::BTN_IE_RefreshClick()
{
    if (!m_browser) {
        m_console->clear();
        return;
    }
    load([this] {
        // The page runs again: its messages start again too.
        m_console->clear();
        m_browser->refresh();
    });
}

void PreviewPane::EDT_IE_URLEnter()
{
    if (!ensureBrowser())
        return;
    load([this, address = m_address->text()] {
        // A page of its own: the windows it opens count anew.
        m_browser->startWindowCount();
        // A typed address is no preview of the document.
        m_browser->setReadableFolder(QString());
        m_browser->navigate(address);
    });
}
