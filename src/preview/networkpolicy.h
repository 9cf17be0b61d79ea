#pragma once
// Which hosts a previewed page may not reach: this machine and the local
// network.  The browser plugin asks this for every request it sees, so it
// works on the host alone (no name is looked up) and needs Qt Core only.

#include <QString>
#include <QStringView>

/// Whether a URL's host names this machine or the local network: an IPv4
/// address (in any form inet_aton reads: 1 to 4 parts, decimal, octal or
/// hex) or IPv6 address (brackets, embedded IPv4 and zone ids allowed) that
/// is loopback, private, link-local, shared or unspecified, IPv4 mapped
/// into IPv6 included; localhost and *.localhost; names of the local
/// network (*.local, *.localdomain, *.home.arpa, and names without a dot,
/// which only the local resolver knows).  A trailing dot and letter case
/// do not matter.  An empty host is not local.
bool isLocalNetworkHost(QStringView host);

/// Whether a previewed page may read the file at filePath when the files
/// of folder (and of its folders, at any depth) are open to it: the file's
/// real place, links followed, is inside the folder's real place.  A file
/// that is not there is judged by its name.  An empty folder opens
/// nothing.
bool isReadableUnder(const QString &filePath, const QString &folder);

/// The Chromium switches the preview's browser starts with: the user's own
/// (flags, the value of QTWEBENGINE_CHROMIUM_FLAGS, kept as they are) with
/// QUIC turned off and WebTransport taken away, in pages and workers alike:
/// both send UDP past the request guard.  A --disable-blink-features the
/// user gave gets WebTransport added to its list (Chromium reads only the
/// last one).
QString previewChromiumFlags(const QString &flags);
