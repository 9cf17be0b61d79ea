#include "webpreviewplugin.h"

#include <QFileInfo>
#include <QPointer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

void protect(QWebEngineSettings *settings)
{
    // A file:// page may not read other files (by default it may).
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
}

/// A small window of ours for what a previewed page opens.
class PopupWindow final : public QWebEngineView {
public:
    explicit PopupWindow(QWebEngineProfile *profile)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowFlag(Qt::Window);
        auto *page = new PreviewWebPage(profile, this);
        setPage(page);
        resize(640, 480);
        setWindowTitle(QStringLiteral("Preview window"));
        connect(this, &QWebEngineView::titleChanged, this, [this](const QString &title) {
            setWindowTitle(title.isEmpty() ? QStringLiteral("Preview window") : title);
        });
        // A page in our own small window may close that window.
        connect(page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    }
};

class WebBrowser final : public InternalBrowser {
public:
    explicit WebBrowser(QWidget *parent)
    {
        m_view = new QWebEngineView(parent);
        m_view->setObjectName(QStringLiteral("WebBrowser"));
        m_page = new PreviewWebPage(WebPreviewFactory::profile(), m_view);
        m_view->setPage(m_page);
        QObject::connect(m_page, &QWebEnginePage::windowCloseRequested, m_view, [this] {
            if (m_closeHandler)
                m_closeHandler();
        });
        QObject::connect(m_page, &QWebEnginePage::loadFinished, m_view, [this](bool ok) {
            if (m_loadHandler)
                m_loadHandler(ok);
        });
    }
    ~WebBrowser() override { delete m_view.data(); }

    QWidget *widget() override { return m_view; }
    void navigate(const QString &pathOrAddress) override
    {
        if (pathOrAddress.trimmed().isEmpty()) {
            m_view->setUrl(QUrl(QStringLiteral("about:blank")));
            return;
        }
        const QFileInfo file(pathOrAddress);
        if (file.isAbsolute() && file.exists())
            m_view->setUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
        else
            m_view->setUrl(QUrl::fromUserInput(pathOrAddress));
    }
    void goBack() override
    {
        if (m_view->history()->canGoBack())
            m_view->back();
    }
    void goForward() override
    {
        if (m_view->history()->canGoForward())
            m_view->forward();
    }
    void stop() override { m_view->stop(); }
    void refresh() override { m_view->reload(); }
    void setCloseRequestHandler(std::function<void()> handler) override { m_closeHandler = std::move(handler); }
    void setLoadFinishedHandler(std::function<void(bool)> handler) override { m_loadHandler = std::move(handler); }
    void runJavaScript(const QString &script, std::function<void(const QVariant &)> done) override
    {
        m_page->runJavaScript(script, [done = std::move(done)](const QVariant &result) {
            if (done)
                done(result);
        });
    }
    QString currentAddress() const override { return m_view->url().toString(); }

private:
    QPointer<QWebEngineView> m_view;
    PreviewWebPage *m_page = nullptr;
    std::function<void()> m_closeHandler;
    std::function<void(bool)> m_loadHandler;
};

} // namespace

PreviewWebPage::PreviewWebPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    protect(settings());
}

QWebEnginePage *PreviewWebPage::createWindow(WebWindowType)
{
    auto *window = new PopupWindow(WebPreviewFactory::profile());
    window->show();
    return window->page();
}

QWebEngineProfile *WebPreviewFactory::profile()
{
    // Off the record: nothing of a previewed page is kept on disk.
    static QWebEngineProfile *profile = [] {
        auto *p = new QWebEngineProfile();
        protect(p->settings());
        return p;
    }();
    return profile;
}

InternalBrowser *WebPreviewFactory::createBrowser(QWidget *parent)
{
    return new WebBrowser(parent);
}
