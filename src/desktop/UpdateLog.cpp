#include "desktop/UpdateLog.h"

Q_LOGGING_CATEGORY(lcUpdateCheck, "tavisko.update", QtInfoMsg)
