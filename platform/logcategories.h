#pragma once

#include <QLoggingCategory>

// One category a layer; debug and info lines are off unless QT_LOGGING_RULES turns them on
// (e.g. "chengying.media.debug=true"), so a terminal stays quiet unless something is wrong.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcStyle)
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
Q_DECLARE_LOGGING_CATEGORY(lcFramework)
Q_DECLARE_LOGGING_CATEGORY(lcTools)
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)
Q_DECLARE_LOGGING_CATEGORY(lcImaging)
Q_DECLARE_LOGGING_CATEGORY(lcMedia)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
