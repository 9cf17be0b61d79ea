#pragma once
// The embedded preview browser on Qt WebEngine.
//
// Previewed scripts are nobody's vetted code, so they run in an
// off-the-record profile of their own in which a local page cannot read
// other local files, and no page reaches this machine or the local network
// (remote images, scripts and styles load as in any browser).  A page that
// opens a window gets a small window of ours, a few per preview (beside the
// editors, a few for each run of the preview, however often it reloads); a page
// that tries to close its window only tells the program.

#include "preview/internalbrowser.h"

#include <QObject>
#include <QPointer>
#include <QWebEnginePage>

#include <functional>
#include <memory>

class QWebEngineProfile;
class QWidget;

/// The windows that the pages of one preview have opened, windows opened
/// by those windows included.
struct PreviewWindowCount {
    int opened = 0;
};

/// A page of the preview: what it opens and closes stays under our control,
/// and links between local pages are followed although local pages cannot
/// read one another.
class PreviewWebPage final : public QWebEnginePage {
    Q_OBJECT
public:
    /// The windows one count may open (a preview on the Preview tab, a run
    /// of the preview beside the editors); more are refused without a word.
    static constexpr int kWindowsPerPreview = 5;

    /// popupOwner: the widget the windows this page opens belong to (they
    /// go when it goes).  windows: the count this page's windows add to.
    /// openedByLocalPage: whether the page that opened this one (if any)
    /// was a local page.
    PreviewWebPage(QWebEngineProfile *profile, QWidget *popupOwner, QObject *parent,
                   std::shared_ptr<PreviewWindowCount> windows, bool openedByLocalPage = true);

    /// The count the windows this page opens add to from now on.
    void setWindowCount(std::shared_ptr<PreviewWindowCount> windows);
    /// Where this page's console messages go; none: they are dropped.
    void setConsoleMessageHandler(std::function<void(const PageMessage &)> handler)
    {
        m_consoleHandler = std::move(handler);
    }
    /// Whether alert, confirm and prompt show boxes; when not, they go to
    /// the console and confirm and prompt are answered as if cancelled.
    void setDialogsShown(bool shown) { m_dialogsShown = shown; }

    /// What a console message starts with when it reports a write to the
    /// status line (see the profile's status-line script).
    static const QString &statusLineMark();
    /// The message that reports a call of window.close().
    static const QString &closeMark();

signals:
    /// The page asked to close its window (said once for each page load).
    void closeAsked();

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceID) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;

private:
    /// Whether a blank page counts as local: it was opened by one.
    bool isLocalOrOpenedByLocal() const;
    /// A message of ours (not the page's) for the console.
    void tellConsole(ConsoleLevel level, const QString &text);
    void askToClose();

    QPointer<QWidget> m_popupOwner;
    std::shared_ptr<PreviewWindowCount> m_windows;
    bool m_openedByLocalPage;
    std::function<void(const PageMessage &)> m_consoleHandler;
    bool m_dialogsShown = true;
    bool m_closeAsked = false;
};

/// The plugin's entry: makes browsers that share one protected profile.
class WebPreviewFactory final : public QObject, public InternalBrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID InternalBrowserFactory_iid)
    Q_INTERFACES(InternalBrowserFactory)
public:
    InternalBrowser *createBrowser(QWidget *parent) override;

private:
    QWebEngineProfile *profile();

    QWebEngineProfile *m_profile = nullptr;
    bool m_engineReady = false;
};
