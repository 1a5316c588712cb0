#pragma once
// How many keywords not used yet the undecided items can still bring into
// a selection, when every question may take no more than its remaining need.
//
// Questions and keywords are numbered from 0; every item is an edge between
// its question and its keyword. The largest such number is a maximum
// matching in which a question takes up to its capacity of keywords and an
// open keyword goes to one question at most. The matching is kept between
// calls and only grown by augmenting paths. The usable edges of each
// question are filed by the current holder of their keyword (none, or a
// question), so a path search steps from question to question without
// looking at single keywords: a search costs in the number of questions,
// not of items. Every change can be taken back (Mark / Rollback), so a
// tentative step needs no copy of the state.
#include <cstddef>
#include <utility>
#include <vector>

class AutoSelectCoverage {
public:
    // A graph of `edges` (question, keyword), all present, every keyword
    // open, every question with capacity 0.
    void Reset(int questionCount, int keywordCount, const std::vector<std::pair<int, int>>& edges);

    void SetCapacity(int question, int capacity);
    void RemoveEdge(int edge);
    // The keyword is used already: it no longer adds to the coverage.
    void CloseKeyword(int keyword);

    // Whether the matching can be made at least `target` large (it grows
    // until it is, or until it is maximum).
    bool Reach(int target);
    int Size() const { return m_size; }

    // Changes since a mark can be undone; Forget drops the record.
    std::size_t Mark() const { return m_undo.size(); }
    void Rollback(std::size_t mark);
    void Forget() { m_undo.clear(); }

private:
    enum class Change { Match, Edge, Keyword, Capacity };
    struct Undo {
        Change change;
        int index;
        int old;
    };

    bool Usable(int edge) const { return m_alive[edge] && m_open[m_edges[edge].second]; }
    // The edges of `question` whose keyword `holder` holds (-1: none).
    std::vector<int>& Filed(int question, int holder) { return m_filed[question * (m_questions + 1) + holder + 1]; }
    void File(int edge);
    void Unfile(int edge);
    void SetMatch(int keyword, int question);
    void Rematch(int keyword, int question);
    bool Augment();
    bool Visit(int question);

    int m_questions = 0;
    std::vector<std::pair<int, int>> m_edges;
    std::vector<std::vector<int>> m_edgesOfKeyword;
    std::vector<std::vector<int>> m_filed; // per (question, holder): usable edges
    std::vector<int> m_slot;               // per edge: its place in its file, -1 when not usable
    std::vector<char> m_alive;             // per edge
    std::vector<char> m_open;              // per keyword
    std::vector<int> m_capacity;           // per question
    std::vector<int> m_matchOf;            // per keyword: its question or -1
    std::vector<int> m_matched;            // per question: keywords matched
    std::vector<unsigned> m_seen;          // per question: search stamp
    unsigned m_stamp = 0;
    int m_size = 0;
    std::vector<Undo> m_undo;
};
