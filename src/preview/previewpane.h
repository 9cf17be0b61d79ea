#pragma once
// The Preview tab's contents: the strip Panel5 (the address box and the
// Back, Forward, Stop and Refresh buttons) over the embedded browser, which
// is made through the given factory on first use, so that no browser
// exists before the first preview, and the page's console under it.  The
// console belongs to the pane and goes wherever the pane goes.

#include "preview/consolemessage.h"

#include <QWidget>

#include <functional>

class InternalBrowser;
class InternalBrowserFactory;
class PreviewConsole;
class QLineEdit;
class QSplitter;
class QToolButton;
class QVBoxLayout;

class PreviewPane final : public QWidget {
    Q_OBJECT
public:
    /// factoryProvider is asked for the factory when the browser is first
    /// needed; it may return nullptr (no browser can be had).
    explicit PreviewPane(std::function<InternalBrowserFactory *()> factoryProvider, QWidget *parent = nullptr);
    ~PreviewPane() override;

    /// Makes the browser if there is none yet; false when it cannot be made.
    bool ensureBrowser();
    /// The browser, or nullptr before the first use.
    InternalBrowser *browser() const { return m_browser; }
    /// Shows a local file (a plain path) in the browser, making it first.
    /// A new preview starts a new count of the windows its pages may open;
    /// a reload of the preview beside the editors goes on with its run's.
    /// The files under readableFolder are open to the page (see
    /// InternalBrowser::setReadableFolder).
    void showFile(const QString &path, bool newWindowCount = true, const QString &readableFolder = QString());
    /// What happens when the page asks to close its window.
    void setCloseRequestHandler(std::function<void()> handler);
    /// What happens with the page's console messages.
    void setConsoleMessageHandler(std::function<void(const PageMessage &)> handler);
    /// What happens when a page load ends (ok: it succeeded).
    void setLoadFinishedHandler(std::function<void(bool ok)> handler);
    /// Every load the strip starts (an address, Back, Forward, Refresh) is
    /// handed to gate, which runs it when the shown page is free; without
    /// a gate it runs at once.
    void setLoadGate(std::function<void(std::function<void()> load)> gate);
    /// What happens after Stop was passed to the browser.
    void setStoppedHandler(std::function<void()> handler);

    QLineEdit *addressBox() const { return m_address; }
    PreviewConsole *console() const { return m_console; }

public slots:
    void BTN_IE_BAckClick();
    void ToolbarButton973Click();
    void BTN_IE_StopClick();
    void BTN_IE_RefreshClick();
    /// Enter in the address box: navigates to its text, an empty one too.
    void EDT_IE_URLEnter();

private:
    enum class Glyph { Back, Forward, Stop, Refresh };
    QToolButton *stripButton(const char *name, const QString &hint, const QString &theme, Glyph glyph,
                             void (PreviewPane::*slot)());
    QIcon glyphIcon(const QString &theme, Glyph glyph) const;
    /// Runs a load of the strip through the gate.
    void load(std::function<void()> step);

    std::function<InternalBrowserFactory *()> m_factoryProvider;
    void foldConsole(bool collapsed);

    std::function<void()> m_closeHandler;
    std::function<void(const PageMessage &)> m_consoleHandler;
    std::function<void(bool)> m_loadHandler;
    std::function<void(std::function<void()>)> m_loadGate;
    std::function<void()> m_stoppedHandler;
    QSplitter *m_splitter = nullptr;
    PreviewConsole *m_console = nullptr;
    int m_consoleHeight = 0;  // the open console's height, kept while it is folded
    InternalBrowser *m_browser = nullptr;
    QWidget *m_strip = nullptr;
    QLineEdit *m_address = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_placeholder = nullptr;
};
