#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class Model;

// One sub-question as it was printed: its question format (id and title),
// its sentence, and the keyword the sentence drills (id and headword, so
// the record reads without the book).
struct RecordedItem {
    int qid = 0;
    QString format;
    int sid = 0;
    int kid = 0;
    QString keyword;
    int number = 0; // as printed: from 1 within its question format
};

// One print of a run, its sub-questions in print order. Its position in
// the run (from 1) is its place in the list.
struct RecordedPrint {
    QString className;
    std::vector<RecordedItem> items;
};

// One finished run of prints, as the history keeps it: when, which book,
// the question formats and range as the user database stores them (so
// that the run can be put back), the range line and template as printed,
// where the output went, and every print with its sub-questions.
struct RunRecord {
    enum class Kind { Print, Export };

    long long id = 0; // given when recorded
    QDateTime when;
    Kind kind = Kind::Print;
    QString name;
    QString dbid;
    int bid = 0;
    QString bookTitle;
    QString formats;     // the question-format ids as stored ("11,12")
    QString formatNames; // their titles, for lists ("和訳、語順")
    QString range;       // the range as stored ("1:3,5")
    QString rangeLine;
    QString prints; // the prints as stored, units and sentences in order
    QString templateName;
    QString output;
    // The generator's state at the start of the automatic selection that
    // made the prints; none when they were chosen by hand.
    std::optional<std::uint32_t> seed;
    std::vector<RecordedPrint> printList;

    int ItemCount() const;

    // The prints of `model` as they stand, made with `templateName` into
    // `output` (a file, or empty for a document left open).
    static RunRecord FromModel(
        Model& model, const QString& templateName, const QString& output, Kind kind = Kind::Print);
};
