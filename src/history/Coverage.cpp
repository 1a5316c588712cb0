#include "history/Coverage.h"

#include "model/Index.h"
#include "model/Keyword.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "quiz/RangeNumber.h"

namespace {

void Count(Coverage::Row& row, const Keyword& keyword, const std::map<int, HistoryStore::KeywordUse>& uses)
{
    ++row.keywords;
    const auto use = uses.find(keyword.kid);
    if (use == uses.end())
        return;
    ++row.tested;
    if (!row.last.isValid() || use->second.last > row.last)
        row.last = use->second.last;
}

void AddEntries(const Index& entry, int depth, const std::vector<Keyword*>& keywords,
    const std::map<int, HistoryStore::KeywordUse>& uses, std::vector<Coverage::Row>& rows)
{
    Coverage::Row row;
    row.title = entry.title;
    row.depth = depth;
    for (const Keyword* keyword : keywords) {
        if (NodeStorage::HasRelation(entry.iid, keyword->kid))
            Count(row, *keyword, uses);
    }
    rows.push_back(std::move(row));
    for (const Index* child : entry.children)
        AddEntries(*child, depth + 1, keywords, uses, rows);
}

} // namespace

std::vector<Coverage::Row> Coverage::Of(Model& model, const std::map<int, HistoryStore::KeywordUse>& uses)
{
    std::vector<Row> rows;
    const std::vector<Keyword*>& keywords = model.Storage().Keywords();
    if (const RangeNumber* numbers = model.CurrentRange().NumberRange()) {
        for (const RangeNumber::Interval& interval : numbers->GetIntervals()) {
            const RangeNumber one(numbers->AttrClassId(), {interval});
            Row row;
            row.title = interval.first == interval.second
                ? QString::number(interval.first)
                : QStringLiteral("%1～%2").arg(interval.first).arg(interval.second);
            for (const Keyword* keyword : keywords) {
                if (one.Contains(*keyword))
                    Count(row, *keyword, uses);
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }
    if (const Index* root = model.Storage().Root()) {
        for (const Index* entry : root->children)
            AddEntries(*entry, 0, keywords, uses, rows);
    }
    return rows;
}
