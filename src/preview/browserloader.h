#pragma once
// Finding and loading the embedded browser's plugin.
//
// The plugin (libquillon_webpreview) is looked for in the folder named by
// QUILLON_PLUGIN_DIR, then beside the program, then in the installed
// program's private library folder (<libdir>/quillon, found relative to the
// program), then, by a program that is not installed, in the build folder.
// Qt WebEngine comes into the process only with loadInternalBrowser().

#include <QString>
#include <QStringList>

class InternalBrowserFactory;
class QWidget;

/// Whether the program was built with the embedded browser.
bool internalBrowserBuilt();

/// The plugin file loadInternalBrowser() would load; "" when there is none
/// (or the program was built without the embedded browser).  Cheap.
QString internalBrowserPluginFile();

/// The folders the plugin is looked for in, in order.
QStringList internalBrowserSearchFolders();

/// Whether the embedded browser can be offered: the program was built
/// with it, QUILLON_NO_WEBENGINE is not "1", and its plugin file is there.
/// Cheap: nothing is loaded.
bool internalBrowserAvailable();

/// Loads the plugin on first use and returns its factory (the same one on
/// every call); nullptr and the reason in error when it cannot.
InternalBrowserFactory *loadInternalBrowser(QString *error);

/// Before the application object exists: when the embedded browser may be
/// used (built with it, QUILLON_NO_WEBENGINE not "1"), the OpenGL context
/// it shares is made with the application, as Qt WebEngine needs, rather
/// than at the first preview.
void prepareApplicationForInternalBrowser();

/// Before window is first shown: the embedded browser draws through
/// OpenGL, and a window that does not yet is made anew when the browser
/// first comes into it (a new native window, which forgets being
/// maximised).  So a window that may hold the browser draws that way from
/// the start; nothing of the browser is loaded.  Nothing happens without
/// the embedded browser or without OpenGL (an offscreen platform).
void prepareWindowForInternalBrowser(QWidget *window);
