#pragma once

class SpreadsheetReader;

// The spreadsheet reader that imports use when they are given none: the
// office's, registered at start-up when an office is installed.
class SpreadsheetReaders {
public:
    static SpreadsheetReader* Default();
    // Not owned; must outlive every import. Null removes it.
    static void SetDefault(SpreadsheetReader* reader);
};
