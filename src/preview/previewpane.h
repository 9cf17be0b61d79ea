#pragma once
// The Preview tab's contents: the strip Panel5 (address box and Back,
// Forward, Stop, Refresh) over the embedded browser, which is made on the
// first preview.

#include <QStyle>
#include <QWidget>

#include <functional>

class InternalBrowser;
class InternalBrowserFactory;
class QLineEdit;
class QToolButton;
class QVBoxLayout;

class PreviewPane final : public QWidget {
    Q_OBJECT
public:
    PreviewPane(std::function<InternalBrowserFactory *()> factoryProvider, QWidget *parent = nullptr);
    ~PreviewPane() override;

    /// Makes the browser if there is none yet; false when it cannot be made.
    bool ensureBrowser();
    InternalBrowser *browser() const { return m_browser; }
    /// Shows a local file.
    void showFile(const QString &path);
    /// What happens when the page asks to close its window.
    void setCloseRequestHandler(std::function<void()> handler);
    QLineEdit *addressBox() const { return m_address; }

    // The strip's buttons.
    void goBack();
    void goForward();
    void stop();
    void refresh();
    void navigateToTypedAddress();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *stripButton(const char *name, const QString &hint, const QString &theme, QStyle::StandardPixmap fallback,
                             void (PreviewPane::*slot)());

    std::function<InternalBrowserFactory *()> m_factoryProvider;
    std::function<void()> m_closeHandler;
    InternalBrowser *m_browser = nullptr;
    QWidget *m_strip = nullptr;
    QLineEdit *m_address = nullptr;
    QVBoxLayout *m_layout = nullptr;
};
