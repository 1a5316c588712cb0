#pragma once
// The stored texts of the selection: numbers, id lists, ranges, prints and
// counts, and their readers. Readers skip pieces the writers never produce
// (empty or non-numeric parts) and drop ids the current book lacks.
//
//   id list   "3,5,8"
//   range     ""  |  "1:3,5,8" (index ids, ascending)  |  "2:12/1,5|8,8"
//             (attribute class 12, intervals 1..5 and 8..8)
//   prints    "11:51,52|12:|13:61/11:53" (prints joined by "/", units by
//             "|", a unit is "qid:" and its sentence ids joined by ",")
//   counts    "11:10|12:5"
#include "quiz/Quiz.h"
#include "quiz/Ranges.h"

#include <QString>

#include <map>
#include <utility>
#include <vector>

class Model;

class NodeSerializer {
public:
    explicit NodeSerializer(Model& model);
    virtual ~NodeSerializer() = default;

    QString to_str(int value) const;
    QString to_str(const std::vector<int>& values) const;
    QString to_str(const Ranges& range) const;
    QString to_str(const std::vector<Quiz>& quizzes) const;
    QString to_str(const std::map<int, int>& counts) const;

    // Each reader returns whether the text gave a value; `out` is left as
    // it was when it did not.
    bool from_str(const QString& text, int& out) const;
    // "low,high", or a single number for low = high.
    bool from_str(const QString& text, std::pair<int, int>& out) const;
    // Intervals joined by "|".
    bool from_str(const QString& text, std::vector<std::pair<int, int>>& out) const;
    // Any text gives a range; one that cannot be read gives the empty range.
    bool from_str(const QString& text, Ranges& out) const;
    // True when at least one print was read.
    bool from_str(const QString& text, std::vector<Quiz>& out) const;
    // One print; true when it has at least one unit.
    bool from_str(const QString& text, Quiz& out) const;
    bool from_str(const QString& text, std::map<int, int>& out) const;
    bool from_str(const QString& text, std::vector<int>& out) const;

private:
    Ranges IndexRangeFrom(const QString& text) const;
    Ranges NumberRangeFrom(const QString& text) const;
    void AddUnit(const QString& text, Quiz& quiz) const;

    Model& m_model;
};
