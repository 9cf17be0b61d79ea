#pragma once
// The logging category of the platform layer, "quillon.platform": its
// messages can be switched with QT_LOGGING_RULES like Qt's own.

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
