#pragma once

#include <QString>

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// A book as it is about to be written: everything the book database holds,
// with the ids it will have there, but its sentences: a million of them
// would not fit in memory beside the rest, so they go to the book as they
// are made (BookWriter::AddSentence) and the draft counts them.
struct BookDraft {
    // A value of an attribute class beyond the fixed ones, with its place
    // among the owner's values of that class.
    struct AttrValue {
        int acid = 0;
        int seq = 0;
        bool isText = false;
        QString value;
    };
    struct QuestionFormat {
        int qid = 0;
        QString title;
        QString instruction;
        QString answerField;
        int answerLines = 0;
        bool alternate = false;
    };
    struct Keyword {
        int kid = 0;
        QString word;
        int number = 0;
        std::optional<int> page;
        QString partOfSpeech;
    };
    struct Sentence {
        int sid = 0;
        int kid = 0;
        int qid = 0;
        QString sentence;
        QString answer;
        int source = 1; // below 20: from the book body
        std::optional<int> frequency;
        QString problemNumber;
        std::vector<AttrValue> attrs;
    };
    struct Entry {
        int iid = 0;
        int parent = 0;
        int page = 0;
        QString title;
        bool enable = true;
    };
    struct AttrClass {
        int acid = 0;
        QString name;
        QString longName;
        int type = 0; // 0 integer, 1 text
        bool isRange = false;
    };

    QString type; // "101", "301" or "303"
    QString title;
    QString dbid;
    int bid = 0;
    bool byNumber = true;                  // the range dialog offers choosing by number
    std::vector<QuestionFormat> questions; // in print order
    std::vector<Keyword> keywords;         // in book order (by number)
    std::size_t sentenceCount = 0;         // sids 1 to sentenceCount, in book order
    // The kid of each keyword in the order they were made: a sentence
    // goes to the book with its keyword's place in that order for a kid.
    std::vector<int> kidOfMade;
    // The values of keywords in classes beyond the fixed ones go to the
    // book as they are read too (BookWriter::AddKeywordValue); kept here
    // are the lowest and highest integer value of each such class.
    std::map<int, std::pair<int, int>> valueRanges;
    std::vector<Entry> entries;                 // table of contents in pre-order, root first
    std::vector<std::pair<int, int>> relations; // (iid, kid)
    std::vector<AttrClass> attrClasses;
};
