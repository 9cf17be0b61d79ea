#pragma once
// The address a browser is asked to open for the preview page.

#include <QString>

/// The preview file's address.  A path with a drive letter gives the old
/// form "file:///C|\TEMP\prev.html" (for C:\TEMP\prev.html), backslashes
/// kept; any other path its standard file URL.
QString BrowserFileUrl(const QString &path);

/// Completes an address: a missing scheme becomes "http:", the scheme is
/// lower-cased, a host is written "//host/"; an address holding "///" (a
/// file address) passes unchanged.
QString NormalizeUrl(const QString &address);
