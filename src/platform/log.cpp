#include "platform/log.h"

// Debug messages stay off unless a logging rule turns them on.
Q_LOGGING_CATEGORY(lcPlatform, "tockara.platform", QtInfoMsg)
Q_LOGGING_CATEGORY(lcArchive, "tockara.archive", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDesktop, "tockara.desktop", QtInfoMsg)
