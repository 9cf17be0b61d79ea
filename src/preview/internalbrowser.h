#pragma once
// The embedded preview browser as the program sees it.
//
// The browser itself (Qt WebEngine) lives in a plugin that is loaded on the
// first preview, so a program start pays nothing for it.  This header is
// shared by the program and the plugin and is deliberately free of Q_OBJECT
// and of anything the plugin would have to link: plain virtual functions
// and callbacks cross the boundary.

#include "preview/consolemessage.h"

#include <QString>
#include <QtPlugin>
#include <QVariant>

#include <functional>

class QWidget;

class InternalBrowser {
public:
    virtual ~InternalBrowser() = default;

    /// The browser's widget, to be placed on the Preview tab.
    virtual QWidget *widget() = 0;
    /// Shows a local file (a plain path) or a typed address; an empty text
    /// shows an empty page.
    virtual void navigate(const QString &pathOrAddress) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    /// Called when the page asks to close its window (window.close()); the
    /// browser never closes anything itself.
    virtual void setCloseRequestHandler(std::function<void()> handler) = 0;
    /// Called when a page load ends (true when it succeeded).
    virtual void setLoadFinishedHandler(std::function<void(bool ok)> handler) = 0;
    /// Called for every console message and uncaught error of the shown
    /// page, with the line and address of its source.
    virtual void setConsoleMessageHandler(std::function<void(const PageMessage &)> handler) = 0;
    /// Runs script in the shown page and hands its result to done.
    virtual void runJavaScript(const QString &script, std::function<void(const QVariant &)> done) = 0;
    /// Asks the shown page whether it still answers: answered is called
    /// once its renderer has run a trivial script, or while one of the
    /// preview's pages shows an alert, confirm or prompt box (the page
    /// waits for the user then, and its renderer with it).  A page held by
    /// a script that never returns does not answer.
    virtual void askPage(std::function<void()> answered) = 0;
    /// The address of the shown page.
    virtual QString currentAddress() const = 0;
    /// Whether the page's alert, confirm and prompt boxes are shown; when
    /// not, each becomes a console message and confirm and prompt are
    /// answered as if cancelled.
    virtual void setDialogsShown(bool shown) = 0;
    /// Ends the renderer of the shown page (a script that never returns
    /// holds it) and puts a fresh, empty page in its place; refresh() then
    /// loads the ended page's address again.
    virtual void endStuckPage() = 0;
    /// Opens the files under folder (and its folders) to the pages shown
    /// from now on, for reading as well as loading, and no other local
    /// file but the pages themselves; an empty folder closes them again
    /// (local pages then load only what they always could, and read none).
    virtual void setReadableFolder(const QString &folder) = 0;
    /// Starts a new count of the windows the pages may open (a few for
    /// each count); until then every page shown adds to the same count.
    virtual void startWindowCount() = 0;
};

class InternalBrowserFactory {
public:
    virtual ~InternalBrowserFactory() = default;
    /// Creates a browser whose widget has the given parent.
    virtual InternalBrowser *createBrowser(QWidget *parent) = 0;
};

#define InternalBrowserFactory_iid "org.velmora.Quillon.InternalBrowserFactory/1.3"
Q_DECLARE_INTERFACE(InternalBrowserFactory, InternalBrowserFactory_iid)
