#pragma once
// Readable failure messages for the markup tests.
#include "markup/DisplayRun.h"
#include "markup/Cmd.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const DisplayRun& run, std::ostream* os)
{
    *os << (run.external ? "external " : "text ");
    PrintTo(run.text, os);
}

namespace Print {
inline void PrintTo(const Cmd& cmd, std::ostream* os)
{
    *os << "{kind " << cmd.kind << ", ";
    ::PrintTo(cmd.text, os);
    *os << '}';
}
} // namespace Print
