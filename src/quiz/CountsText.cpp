#include "quiz/CountsText.h"

#include "model/DecimalText.h"
#include "quiz/TextSplit.h"

namespace CountsText {

std::map<int, int> Parse(const QString& text)
{
    std::map<int, int> counts;
    for (const QString& piece : TextSplit::Split(text, u'|')) {
        const QStringList parts = TextSplit::Split(piece, u':');
        if (parts.size() != 2)
            continue;
        const auto qid = DecimalText::Scan(parts[0]);
        const auto count = DecimalText::Scan(parts[1]);
        if (qid && count)
            counts[*qid] = *count;
    }
    return counts;
}

QString Format(const std::map<int, int>& counts)
{
    QStringList entries;
    for (const auto& [qid, count] : counts)
        entries.append(DecimalText::Format(qid) + u':' + DecimalText::Format(count));
    return entries.join(u'|');
}

} // namespace CountsText
