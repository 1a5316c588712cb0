#pragma once

#include "platformexport/ExportItem.h"

#include <QString>

#include <vector>

// One print as it is exported: its name ("プリントN" or its class name) and
// its sub-questions in print order.
struct ExportPrint {
    QString name;
    std::vector<ExportItem> items;
};
