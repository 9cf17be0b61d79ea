#pragma once
// The program's logging categories: their messages can be switched with
// QT_LOGGING_RULES like Qt's own.
//
// "quillon.platform": errors of the platform layer nobody else reported.
// "quillon.startup" (off by default; QT_LOGGING_RULES="quillon.startup=true"):
// where the started program found its preview plugin, its help and the
// folders of the user's data, for checking an installed copy; and, when a
// preview drop-down first opens, the browsers found and the browser entries
// left out, with why.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
