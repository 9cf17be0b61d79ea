#include "webpreviewplugin.h"

#include "preview/networkpolicy.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QtWebEngineQuick/qtwebenginequickglobal.h>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#endif

namespace {

const QString kPopupTitle = QStringLiteral("Preview");

/// The questions of askPage still waiting for their page.
using Question = std::shared_ptr<std::function<void()>>;
std::vector<std::weak_ptr<std::function<void()>>> g_waitingQuestions;
/// The alert, confirm and prompt boxes of preview pages open now.
int g_openBoxes = 0;

/// Answers a question once: its page ran the script, or a box opened.
void answer(const Question &question)
{
    if (!question || !*question)
        return;
    const std::function<void()> answered = std::move(*question);
    *question = nullptr;
    answered();
}

/// While a page's box is open, its renderer waits for the user (and so do
/// the other pages it runs): every page counts as answering.
class BoxShown final {
public:
    BoxShown()
    {
        ++g_openBoxes;
        auto waiting = std::move(g_waitingQuestions);
        g_waitingQuestions.clear();
        for (const auto &question : waiting)
            answer(question.lock());
    }
    ~BoxShown() { --g_openBoxes; }
    BoxShown(const BoxShown &) = delete;
    BoxShown &operator=(const BoxShown &) = delete;
};

void protect(QWebEngineSettings *settings)
{
    // By default a file:// page may read any local file through XHR or
    // fetch; a previewed script must not reach the user's files.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    // Authors use libraries, styles and pictures from the web; what is on
    // this machine or the local network is kept away by LocalNetworkGuard.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    // Previewed scripts open windows on load, as they did in the old days.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // The preview page carries no charset and is written in UTF-8.
    settings->setDefaultTextEncoding(QStringLiteral("UTF-8"));
}

/// The folder whose files the previewed pages may read (that of the
/// document's file), empty when none: one for the profile all previews
/// share.
QString g_readableFolder;

/// Turns every request of a previewed page to this machine or the local
/// network away, whatever asks for it (WebSocket too).  Only a page the
/// user typed into the address box goes there: the user asked for it.
/// While a folder's files are open to the pages, no local file outside it
/// is loaded but a page itself.
class LocalNetworkGuard final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        // setUrl() loads as typed; a redirect from there is not typed.
        const bool typed = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame &&
                           info.navigationType() == QWebEngineUrlRequestInfo::NavigationTypeTyped;
        const QUrl url = info.requestUrl();
        const bool localNetwork = reachesOut(url) && isLocalNetworkHost(url.host());
        const bool fileOutsideFolder =
            url.isLocalFile() && !g_readableFolder.isEmpty() && !isReadableUnder(url.toLocalFile(), g_readableFolder);
        if (!typed && (localNetwork || fileOutsideFolder))
            info.block(true);
    }

private:
    /// Whether the address goes out to a host.  The browser's own pages
    /// (error pages, built-in extensions) have internal names for hosts,
    /// which would pass for local names.
    static bool reachesOut(const QUrl &url)
    {
        static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ws"),
                                            QStringLiteral("wss"), QStringLiteral("ftp"), QStringLiteral("file")};
        return schemes.contains(url.scheme());
    }
};

/// Takes WebRTC, WebTransport and the other direct channels away from the
/// page's windows before the page's own scripts run: a peer connection
/// sends STUN and media over UDP (and TURN over TCP) to any address it is
/// given, WebTransport sends QUIC over UDP, and neither passes the request
/// guard.  (Workers have WebTransport too: the browser starts without it,
/// and without QUIC, see previewChromiumFlags.)
///
/// Qt runs the script in every document that a navigation makes, but not in
/// the empty document a new frame or window starts with, which the page can
/// reach at once.  So each window also takes care of the windows it holds:
/// after anything that can put a frame into a document, when a frame's
/// window is asked for, for what window.open returns, and after the parser
/// has added elements, it clears and guards the same way every window of
/// its own origin below it.
const char *const kWithoutDirectChannels = R"JS((function () {
    'use strict';
    const guarded = new WeakSet();
    const insertions = ['appendChild', 'insertBefore', 'replaceChild', 'append', 'prepend', 'replaceChildren',
                        'before', 'after', 'replaceWith', 'insertAdjacentElement', 'insertAdjacentHTML', 'write',
                        'writeln', 'execCommand', 'insertNode', 'surroundContents'];
    const holders = ['Node', 'Element', 'CharacterData', 'DocumentType', 'Document', 'DocumentFragment', 'ShadowRoot',
                     'Range'];
    const frameElements = ['HTMLIFrameElement', 'HTMLFrameElement', 'HTMLObjectElement'];

    function windowOf(target) {
        if (!target)
            return null;
        if (target.defaultView)
            return target.defaultView;
        if (target.ownerDocument)
            return target.ownerDocument.defaultView;
        return target.startContainer ? windowOf(target.startContainer) : null;
    }

    function wrapSetter(proto, property, after) {
        const d = proto && Object.getOwnPropertyDescriptor(proto, property);
        if (d && d.set)
            Object.defineProperty(proto, property, Object.assign({}, d, {
                set: function (value) { d.set.call(this, value); after(this); }
            }));
    }

    function guard(win) {
        win.Object.getOwnPropertyNames(win).forEach(function (name) {
            if (/^(webkit)?RTC|^WebTransport|^WebSocketStream|^(TCP|UDP)Socket$/.test(name))
                delete win[name];
        });
        ['openTCPSocket', 'openUDPSocket'].forEach(function (name) {
            if (win.Navigator && name in win.Navigator.prototype)
                delete win.Navigator.prototype[name];
        });
        const after = function (target) { protect(windowOf(target)); protect(win); };
        holders.forEach(function (holder) {
            const proto = win[holder] && win[holder].prototype;
            insertions.forEach(function (name) {
                const original = proto && Object.getOwnPropertyDescriptor(proto, name);
                if (original && typeof original.value === 'function')
                    proto[name] = function () {
                        const result = original.value.apply(this, arguments);
                        after(this);
                        return result;
                    };
            });
            ['innerHTML', 'outerHTML'].forEach(function (name) { wrapSetter(proto, name, after); });
        });
        frameElements.forEach(function (name) {
            const proto = win[name] && win[name].prototype;
            ['contentWindow', 'contentDocument'].forEach(function (property) {
                const d = proto && Object.getOwnPropertyDescriptor(proto, property);
                if (d && d.get)
                    Object.defineProperty(proto, property, Object.assign({}, d, {
                        get: function () {
                            const held = d.get.call(this);
                            protect(held && (held.defaultView || held));
                            return held;
                        }
                    }));
            });
        });
        const open = win.open;
        win.open = function () {
            const opened = open.apply(this, arguments);
            protect(opened);
            return opened;
        };
        new win.MutationObserver(function () { protect(win); })
            .observe(win.document, {childList: true, subtree: true});
    }

    function protect(win) {
        try {
            if (!win || !win.Node)
                return;
            if (!guarded.has(win.Node)) {
                guarded.add(win.Node);
                guard(win);
            }
            for (let i = 0; i < win.length; ++i)
                protect(win[i]);
        } catch (e) {
            // A window of another origin: its own document guards it.
        }
    }

    protect(window);
})();
)JS";

/// A script of ours that runs in the page's own world, in every frame,
/// before any script of the page.
QWebEngineScript beforeThePage(const QString &name, const QString &source)
{
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(source);
    return script;
}

QWebEngineScript withoutDirectChannels()
{
    return beforeThePage(QStringLiteral("quillon-no-direct-channels"), QString::fromLatin1(kWithoutDirectChannels));
}

/// What the program needs to hear of a page that its browser would not
/// tell: the preview has no status line, so a write to window.status (or
/// defaultStatus) is caught, and the first one of each document is told;
/// and a page may not close a window that has been shown other pages
/// before, so the browser would drop window.close() without a word, which
/// is told too.  Both go out as console messages that start with a mark.
const char *const kPageWatch = R"JS((function () {
    'use strict';
    const info = console.info.bind(console);
    const statusMark = %1;
    const closeMark = %2;
    function catchWrites(name) {
        let value = '';
        let told = false;
        try {
            Object.defineProperty(window, name, {
                configurable: true,
                get: function () { return value; },
                set: function (text) {
                    value = String(text);
                    if (!told) {
                        told = true;
                        info(statusMark + value);
                    }
                }
            });
        } catch (e) {
            // A window that does not let the property be replaced keeps its own.
        }
    }
    catchWrites('status');
    catchWrites('defaultStatus');
    if (window === window.top) {
        const close = window.close;
        window.close = function () {
            info(closeMark);
            return close.apply(this, arguments);
        };
    }
})();
)JS";

/// A mark as a JavaScript string: it holds only plain characters.
QString quoted(const QString &mark)
{
    return QStringLiteral("'") + mark + QStringLiteral("'");
}

QWebEngineScript pageWatch()
{
    return beforeThePage(QStringLiteral("quillon-page-watch"),
                         QString::fromLatin1(kPageWatch)
                             .arg(quoted(PreviewWebPage::statusLineMark()), quoted(PreviewWebPage::closeMark())));
}

/// A small top-level window of ours for what a previewed page opens.  It
/// belongs to the preview's view, so it never outlives the browser.
class PopupWindow final : public QWebEngineView {
public:
    PopupWindow(QWebEngineProfile *profile, QWidget *owner, std::shared_ptr<PreviewWindowCount> windows,
                bool openedByLocalPage)
        : QWebEngineView(owner)
    {
        setObjectName(QStringLiteral("PreviewPopupWindow"));
        setWindowFlag(Qt::Window);
        setAttribute(Qt::WA_DeleteOnClose);
        setPage(new PreviewWebPage(profile, owner ? owner : this, this, std::move(windows), openedByLocalPage));
        resize(640, 480);
        setWindowTitle(kPopupTitle);
        connect(this, &QWebEngineView::titleChanged, this,
                [this](const QString &title) { setWindowTitle(title.isEmpty() ? kPopupTitle : title); });
        // A page in our own small window may close that window, and only it.
        connect(page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    }
};

class WebBrowser final : public InternalBrowser {
public:
    WebBrowser(QWebEngineProfile *profile, QWidget *parent) : m_profile(profile), m_view(new QWebEngineView(parent))
    {
        m_view->setObjectName(QStringLiteral("WebBrowser"));
        m_view->setPage(makePage());
    }
    ~WebBrowser() override
    {
        // A page going away answers what it was asked, with nothing; that
        // is no answer.
        m_alive.reset();
        delete m_view.data();
    }

    QWidget *widget() override { return m_view; }

    void navigate(const QString &pathOrAddress) override
    {
        const QString text = pathOrAddress.trimmed();
        m_endedAddress.clear();
        if (text.isEmpty())
            m_view->setUrl(QUrl(QStringLiteral("about:blank")));
        else if (QDir::isAbsolutePath(text))
            m_view->setUrl(QUrl::fromLocalFile(text));
        else
            m_view->setUrl(QUrl::fromUserInput(text));
    }

    void goBack() override { m_view->triggerPageAction(QWebEnginePage::Back); }
    void goForward() override { m_view->triggerPageAction(QWebEnginePage::Forward); }
    void stop() override { m_view->triggerPageAction(QWebEnginePage::Stop); }
    void refresh() override
    {
        // The fresh page that took an ended one's place has no address of
        // its own: Refresh shows the ended page again.
        if (!m_endedAddress.isEmpty() && m_view->url().isEmpty())
            m_view->setUrl(m_endedAddress);
        else
            m_view->triggerPageAction(QWebEnginePage::Reload);
    }

    void setCloseRequestHandler(std::function<void()> handler) override { m_closeHandler = std::move(handler); }
    void setLoadFinishedHandler(std::function<void(bool)> handler) override { m_loadHandler = std::move(handler); }
    void setConsoleMessageHandler(std::function<void(const PageMessage &)> handler) override
    {
        m_consoleHandler = std::move(handler);
        m_page->setConsoleMessageHandler(m_consoleHandler);
    }

    void runJavaScript(const QString &script, std::function<void(const QVariant &)> done) override
    {
        m_page->runJavaScript(script, [done = std::move(done)](const QVariant &result) {
            if (done)
                done(result);
        });
    }

    void askPage(std::function<void()> answered) override
    {
        auto question = std::make_shared<std::function<void()>>(std::move(answered));
        if (g_openBoxes > 0) {
            answer(question);
            return;
        }
        g_waitingQuestions.erase(std::remove_if(g_waitingQuestions.begin(), g_waitingQuestions.end(),
                                                [](const auto &waiting) { return waiting.expired(); }),
                                 g_waitingQuestions.end());
        g_waitingQuestions.push_back(question);
        m_page->runJavaScript(QStringLiteral("0"), [question, alive = std::weak_ptr<bool>(m_alive)](const QVariant &) {
            if (!alive.expired())
                answer(question);
        });
    }

    QString currentAddress() const override { return m_view->url().toString(); }

    void setDialogsShown(bool shown) override
    {
        m_dialogsShown = shown;
        m_page->setDialogsShown(shown);
    }

    void endStuckPage() override
    {
#ifdef Q_OS_UNIX
        // Only a renderer of its own: in single-process mode the page runs
        // in this process.
        const qint64 renderer = m_page->renderProcessPid();
        if (renderer > 0 && renderer != QCoreApplication::applicationPid())
            ::kill(static_cast<pid_t>(renderer), SIGKILL);
#endif
        // A fresh page, which cannot be handed the ended renderer.
        QWebEnginePage *stuck = m_page;
        if (!stuck->url().isEmpty())
            m_endedAddress = stuck->url();
        m_view->setPage(makePage());
        stuck->deleteLater();
    }

    void setReadableFolder(const QString &folder) override
    {
        g_readableFolder = folder;
        // Chromium lets a local page load or read other local files only
        // with this on (in the shown page's settings as well as the
        // profile's, which the windows it opens take); the guard then keeps
        // them to the folder.
        m_profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, !folder.isEmpty());
        m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, !folder.isEmpty());
    }

    void startWindowCount() override
    {
        // Windows still open from the last count keep it.
        m_windows = std::make_shared<PreviewWindowCount>();
        m_page->setWindowCount(m_windows);
    }

private:
    PreviewWebPage *makePage()
    {
        // A fresh page in an ended one's place goes on with its count.
        auto *page = new PreviewWebPage(m_profile, m_view, m_view, m_windows);
        page->setConsoleMessageHandler(m_consoleHandler);
        page->setDialogsShown(m_dialogsShown);
        // Nothing closes: the program decides what a close request means.
        QObject::connect(page, &PreviewWebPage::closeAsked, m_view, [this, page] {
            if (page == m_page && m_closeHandler)
                m_closeHandler();
        });
        // Only the shown page's loads count; an ended page may still report.
        QObject::connect(page, &QWebEnginePage::loadFinished, m_view, [this, page](bool ok) {
            if (page == m_page && m_loadHandler)
                m_loadHandler(ok);
        });
        m_page = page;
        return page;
    }

    QWebEngineProfile *m_profile;
    QPointer<QWebEngineView> m_view;
    PreviewWebPage *m_page = nullptr;
    std::shared_ptr<PreviewWindowCount> m_windows = std::make_shared<PreviewWindowCount>();
    QUrl m_endedAddress;  // of the page endStuckPage ended, until the next navigation
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_dialogsShown = true;
    std::function<void()> m_closeHandler;
    std::function<void(bool)> m_loadHandler;
    std::function<void(const PageMessage &)> m_consoleHandler;
};

} // namespace

PreviewWebPage::PreviewWebPage(QWebEngineProfile *profile, QWidget *popupOwner, QObject *parent,
                               std::shared_ptr<PreviewWindowCount> windows, bool openedByLocalPage)
    : QWebEnginePage(profile, parent), m_popupOwner(popupOwner), m_windows(std::move(windows)),
      m_openedByLocalPage(openedByLocalPage)
{
    protect(settings());
    connect(this, &QWebEnginePage::windowCloseRequested, this, &PreviewWebPage::askToClose);
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_closeAsked = false; });
}

void PreviewWebPage::setWindowCount(std::shared_ptr<PreviewWindowCount> windows)
{
    m_windows = std::move(windows);
}

bool PreviewWebPage::isLocalOrOpenedByLocal() const
{
    const QUrl current = url();
    if (current.isLocalFile())
        return true;
    return m_openedByLocalPage && (current.isEmpty() || current == QUrl(QStringLiteral("about:blank")));
}

bool PreviewWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // A local page may not reach other local files, and to Qt WebEngine
    // that includes following a link to one (or opening one with
    // window.open).  Such a step is taken again as if the address had been
    // typed: the new page is shown, and no page can read the other.
    const bool pageInitiated =
        type == NavigationTypeLinkClicked || type == NavigationTypeFormSubmitted || type == NavigationTypeOther;
    if (isMainFrame && pageInitiated && url.isLocalFile() && isLocalOrOpenedByLocal()) {
        QMetaObject::invokeMethod(this, [this, url] { setUrl(url); }, Qt::QueuedConnection);
        return false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

const QString &PreviewWebPage::statusLineMark()
{
    static const QString mark = QStringLiteral("quillon:status-line:");
    return mark;
}

const QString &PreviewWebPage::closeMark()
{
    static const QString mark = QStringLiteral("quillon:close-request");
    return mark;
}

void PreviewWebPage::askToClose()
{
    // Said once for each page, however it asked (the browser tells of a
    // close it allows, the page watch of every one).
    if (m_closeAsked)
        return;
    m_closeAsked = true;
    emit closeAsked();
}

void PreviewWebPage::tellConsole(ConsoleLevel level, const QString &text)
{
    if (!m_consoleHandler)
        return;
    PageMessage told;
    told.level = level;
    told.text = text;
    m_consoleHandler(told);
}

void PreviewWebPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (m_dialogsShown) {
        const BoxShown shown;
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
    } else {
        tellConsole(ConsoleLevel::Info, QStringLiteral("alert: %1 (not shown beside the editors)").arg(msg));
    }
}

bool PreviewWebPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    if (m_dialogsShown) {
        const BoxShown shown;
        return QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
    }
    tellConsole(ConsoleLevel::Warning,
                QStringLiteral("confirm: %1 (answered Cancel beside the editors)").arg(msg));
    return false;
}

bool PreviewWebPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                      QString *result)
{
    if (m_dialogsShown) {
        const BoxShown shown;
        return QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
    }
    tellConsole(ConsoleLevel::Warning,
                QStringLiteral("prompt: %1 (answered Cancel beside the editors)").arg(msg));
    return false;
}

void PreviewWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                              int lineNumber, const QString &sourceID)
{
    if (!m_consoleHandler)
        return;
    if (message == closeMark()) {
        askToClose();
        return;
    }
    if (message.startsWith(statusLineMark())) {
        tellConsole(ConsoleLevel::Info,
                    QStringLiteral("Status line: \"%1\" (the preview has none)")
                        .arg(message.mid(statusLineMark().size())));
        return;
    }
    PageMessage reported;
    switch (level) {
    case InfoMessageLevel:
        reported.level = ConsoleLevel::Info;
        break;
    case WarningMessageLevel:
        reported.level = ConsoleLevel::Warning;
        break;
    case ErrorMessageLevel:
        reported.level = ConsoleLevel::Error;
        break;
    }
    reported.text = message;
    reported.line = lineNumber;
    reported.source = sourceID;
    m_consoleHandler(reported);
}

QWebEnginePage *PreviewWebPage::createWindow(WebWindowType)
{
    // A page that opens windows in a loop would bury the desktop.
    if (m_windows->opened >= kWindowsPerPreview)
        return nullptr;
    ++m_windows->opened;
    // Tabs, windows and dialogs alike get one small window of ours.
    auto *window = new PopupWindow(profile(), m_popupOwner, m_windows, isLocalOrOpenedByLocal());
    window->show();
    return window->page();
}

QWebEngineProfile *WebPreviewFactory::profile()
{
    if (!m_profile) {
        // A profile without a storage name is off the record: nothing of a
        // previewed page (cookies, storage, cache) is kept on disk.
        m_profile = new QWebEngineProfile(this);
        protect(m_profile->settings());
        m_profile->setUrlRequestInterceptor(new LocalNetworkGuard(m_profile));
        m_profile->scripts()->insert(withoutDirectChannels());
        m_profile->scripts()->insert(pageWatch());
    }
    return m_profile;
}

InternalBrowser *WebPreviewFactory::createBrowser(QWidget *parent)
{
    if (!m_engineReady) {
        // Chromium reads its switches when the first profile is made, just
        // below.  Set, the variable stands for the switches after
        // --webEngineArgs on the command line, so those are carried over.
        const char *const variable = "QTWEBENGINE_CHROMIUM_FLAGS";
        QString flags = qEnvironmentVariable(variable);
        if (!qEnvironmentVariableIsSet(variable)) {
            const QStringList arguments = QCoreApplication::arguments();
            const qsizetype start = arguments.indexOf(
                QRegularExpression(QStringLiteral("--webEngineArgs"), QRegularExpression::CaseInsensitiveOption));
            if (start >= 0)
                flags = arguments.mid(start + 1).join(u' ');
        }
        qputenv(variable, previewChromiumFlags(flags).toLocal8Bit());
        // Linked into a program, Qt WebEngine shares its OpenGL context
        // before the application object exists; loaded this late it finds
        // none and fails on the first view (offscreen and under X alike).
        // The program makes that context with its application object (see
        // prepareApplicationForInternalBrowser); for another host (a test)
        // this sets it up now, at the first preview.  Qt warns that it comes
        // late, and it works.
        QtWebEngineQuick::initialize();
        m_engineReady = true;
    }
    return new WebBrowser(profile(), parent);
}
