#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "quillon.platform")
Q_LOGGING_CATEGORY(lcStartup, "quillon.startup", QtWarningMsg)
