#include "export/RunLimits.h"

#include <algorithm>

namespace {

RunLimits::Verdict Over(RunLimits::Exceeded what, qint64 actual, qint64 limit)
{
    return {what, actual, limit};
}

} // namespace

RunLimits::Verdict RunLimits::Check(const Print::CmdList& commands, const QString& title, const QString& rangeText)
{
    const qint64 count = static_cast<qint64>(commands.size());
    if (count > MaxCommands)
        return Over(Exceeded::Commands, count, MaxCommands);
    qint64 longest = std::max(title.size(), rangeText.size());
    qint64 total = title.size() + rangeText.size();
    for (const Print::CmdPtr& command : commands) {
        if (!command)
            continue;
        longest = std::max<qint64>(longest, command->text.size());
        total += command->text.size();
    }
    if (longest > MaxTextLength)
        return Over(Exceeded::TextLength, longest, MaxTextLength);
    if (total > MaxTotalText)
        return Over(Exceeded::TotalText, total, MaxTotalText);
    return {};
}
