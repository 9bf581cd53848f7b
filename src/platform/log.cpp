#include "platform/log.h"

Q_LOGGING_CATEGORY(lcPlatform, "tockara.platform")
