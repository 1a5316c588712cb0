#include "automation/SpreadsheetReaders.h"

namespace {

SpreadsheetReader* g_default = nullptr;

} // namespace

SpreadsheetReader* SpreadsheetReaders::Default()
{
    return g_default;
}

void SpreadsheetReaders::SetDefault(SpreadsheetReader* reader)
{
    g_default = reader;
}
