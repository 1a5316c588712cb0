#include "quiz/RangeIndex.h"

#include "model/IKRelations.h"
#include "model/Keyword.h"
#include "model/NodeStorage.h"

#include <QStringList>

#include <set>

namespace {

// The most characters of a range text on a print.
constexpr int LongestRangeText = 60;

// The runs joined by "、", as many whole runs as fit in `longest`
// characters with "ほか" after them when not all do (the first run always).
QString JoinedWithin(const QStringList& runs, int longest)
{
    const QString separator = QStringLiteral("、");
    const QString others = QStringLiteral("ほか");
    const QString whole = runs.join(separator);
    if (whole.size() <= longest)
        return whole;
    QString text = runs.front();
    for (qsizetype r = 1; r < runs.size(); ++r) {
        if (text.size() + separator.size() + runs[r].size() + others.size() > longest)
            break;
        text += separator + runs[r];
    }
    return text + others;
}

} // namespace

RangeIndex::RangeIndex(std::vector<int> indexIds)
    : m_indexIds(std::move(indexIds))
{
}

bool RangeIndex::Contains(const Keyword& keyword) const
{
    return Keywords().count(keyword.kid) != 0;
}

const std::unordered_set<int>& RangeIndex::Keywords() const
{
    const std::lock_guard<std::mutex> lock(m_keywordsMutex);
    const std::size_t generation = IKRelations::Generation();
    if (m_keywordsBuilt && m_keywordsGeneration == generation)
        return m_keywords;
    m_keywords.clear();
    for (int iid : m_indexIds)
        for (int kid : IKRelations::KeywordsOf(iid))
            m_keywords.insert(kid);
    m_keywordsGeneration = generation;
    m_keywordsBuilt = true;
    return m_keywords;
}

// The range as the teacher ticked it: each run of entries that follow one
// another in the table of contents as "first～last" (one entry as its
// title), the runs in contents order joined by "、". Entries that cannot be
// chosen (switched off, or holding others) do not break a run; an id the
// book lacks is left out. A line too long for the print keeps the whole
// runs that fit and ends in "ほか".
QString RangeIndex::Describe(const NodeStorage& storage) const
{
    const std::set<int> chosen(m_indexIds.begin(), m_indexIds.end());
    QStringList runs;
    const Index* first = nullptr;
    const Index* last = nullptr;
    const auto closeRun = [&] {
        if (first)
            runs << (first == last ? first->title : first->title + QChar(0xFF5E) + last->title);
        first = last = nullptr;
    };
    // The pool lists the entries in contents order (depth first).
    for (const Index* entry : storage.IndexPool().List()) {
        if (chosen.count(entry->iid) > 0) {
            if (!first)
                first = entry;
            last = entry;
        } else if (entry->enable && entry->children.empty()) {
            closeRun();
        }
    }
    closeRun();
    return JoinedWithin(runs, LongestRangeText);
}
