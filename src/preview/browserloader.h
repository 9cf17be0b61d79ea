#pragma once
// Finding and loading the embedded browser's plugin.

#include <QString>

class InternalBrowserFactory;

/// Whether the embedded browser can be offered: the program was built
/// with it, QUILLON_NO_WEBENGINE is not "1", and its plugin is there.
/// Cheap: nothing is loaded.
bool internalBrowserAvailable();

/// Loads the plugin (Qt WebEngine with it) on first use; nullptr and the
/// reason in error when it cannot.
InternalBrowserFactory *loadInternalBrowser(QString *error);
