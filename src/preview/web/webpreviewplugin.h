#pragma once
// The embedded preview browser on Qt WebEngine.
//
// Previewed scripts are nobody's vetted code, so they run in an
// off-the-record profile of their own in which a local page cannot read
// other local files.  A page that opens a window gets a small window of
// ours; a page that tries to close its window only tells the program.

#include "preview/internalbrowser.h"

#include <QObject>
#include <QWebEnginePage>

class QWebEngineProfile;
class QWebEngineView;

/// A page of the preview: what it opens and closes stays under our control.
class PreviewWebPage final : public QWebEnginePage {
    Q_OBJECT
public:
    explicit PreviewWebPage(QWebEngineProfile *profile, QObject *parent = nullptr);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
};

class WebPreviewFactory final : public QObject, public InternalBrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID InternalBrowserFactory_iid)
    Q_INTERFACES(InternalBrowserFactory)
public:
    InternalBrowser *createBrowser(QWidget *parent) override;
    /// The profile every preview page uses, made on first use.
    static QWebEngineProfile *profile();
};
