#pragma once

#include "automation/SpreadsheetReader.h"
#include "automation/office/OfficeSession.h"

#include <memory>
#include <mutex>

namespace Office {

// Reads the first sheet of an ODS or XLSX file through the office (Calc),
// hidden and read-only, with macros never run: every cell as the text of
// its value (whole numbers without a decimal point), rows numbered as the
// spreadsheet numbers them. A sheet past the bounds of an import
// (SheetLimits) is refused with the bound named, and is taken from the
// office a block of rows at a time.
class CalcSheetReader : public SpreadsheetReader {
public:
    // The address space of the office that reads sheets: a file built to
    // take more (a few hundred bytes can declare millions of cells) ends
    // in the message that names this bound, not in a machine out of memory.
    static constexpr qint64 MemoryLimit = 4LL * 1024 * 1024 * 1024;

    // The office of the sheets' own session: headless, on a profile of its
    // own (an office already running on another profile would take the
    // file without the limit), under MemoryLimit. Each reading starts it
    // and ends it.
    static OfficeSession::Options SessionOptions();

    explicit CalcSheetReader(std::shared_ptr<OfficeSession> session);

    bool Read(const QString& path, Sheet& sheet, QString& error) override;

private:
    // Whether the office reached its memory limit in a reading that failed.
    bool OfficeRanOutOfMemory();

    std::shared_ptr<OfficeSession> m_session;
    std::mutex m_reading;
};

} // namespace Office
