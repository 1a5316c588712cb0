#pragma once

#include "automation/SpreadsheetReader.h"

#include <memory>

namespace Office {

class OfficeSession;

// Reads the first sheet of an ODS or XLSX file through the office (Calc),
// hidden and read-only, with macros never run: every cell as the text of
// its value (whole numbers without a decimal point), rows numbered as the
// spreadsheet numbers them.
class CalcSheetReader : public SpreadsheetReader {
public:
    explicit CalcSheetReader(std::shared_ptr<OfficeSession> session);

    bool Read(const QString& path, Sheet& sheet, QString& error) override;

private:
    std::shared_ptr<OfficeSession> m_session;
};

} // namespace Office
