#pragma once

#include <QLoggingCategory>

// Diagnostic trace of the update check ("tavisko.update"); silent unless
// enabled with QT_LOGGING_RULES="tavisko.update.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcUpdateCheck)
