#pragma once
// Leaves out of one print's candidates the keywords its class was tested
// on lately, as far as the requested counts allow. While enough untested
// keywords remain, only they are candidates; when too few remain, tested
// ones are let in one at a time, those tested longest ago first, each
// only for a question format that still lacks keywords (or, while the
// print has fewer keywords than it needs in all, for the first format
// that has it), so that the search repeats as few as it must. The search
// itself and its spread are left as they are.
#include <QString>

#include <functional>
#include <map>
#include <vector>

class Sentence;

class AutoSelectAvoidance {
public:
    // When each keyword was last tested within the look-back: keyword id
    // -> an ordinal that grows with time (the run's id in the history).
    using LastTested = std::map<int, long long>;
    // What a class was tested on in the last `runs` recorded runs of a book
    // (its book database's identifier and bid): the runs in which a print
    // carried the class name, or every run of the book for an empty name.
    using Source = std::function<LastTested(const QString& dbid, int bid, const QString& className, int runs)>;

    explicit AutoSelectAvoidance(const LastTested& tested);

    // The candidates of `pool` that stay, in their order, for the counts
    // `counts` (qid -> count). Ties among keywords tested in the same run
    // are broken by the program's generator.
    std::vector<const Sentence*> Admit(
        const std::vector<const Sentence*>& pool, const std::map<int, int>& counts) const;

    // How many of `chosen` drill a keyword tested within the look-back.
    int Repeats(const std::vector<const Sentence*>& chosen) const;

private:
    const LastTested& m_tested;
};
