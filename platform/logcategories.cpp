#include "platform/logcategories.h"

Q_LOGGING_CATEGORY(lcApp, "chengying.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStyle, "chengying.style", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWidgets, "chengying.widgets", QtWarningMsg)
Q_LOGGING_CATEGORY(lcFramework, "chengying.framework", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTools, "chengying.tools", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlayer, "chengying.player", QtWarningMsg)
Q_LOGGING_CATEGORY(lcImaging, "chengying.imaging", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMedia, "chengying.media", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlatform, "chengying.platform", QtWarningMsg)
