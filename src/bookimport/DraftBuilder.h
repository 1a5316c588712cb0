#pragma once

#include "bookimport/BookDraft.h"
#include "bookimport/Problems.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

class BookWriter;
class RowCells;
class SheetColumns;

// Gathers the rows of a sheet into a book draft: question formats in order
// of first appearance, keywords with their numbers, pages and contents
// headings, and the sentences in row order, each handed to the book being
// written (when there is one) as it is made. Both sheet shapes use it.
class DraftBuilder {
public:
    // How rows name their keyword: every word-list row is a keyword of its
    // own; question-sheet rows share a keyword by number (or, without one,
    // by headword).
    enum class KeywordRows {
        OnePerRow,
        Shared,
    };

    struct KeywordRow {
        int row = 0;
        QString word;
        std::optional<int> number;
        int numberColumn = 0;
        int wordColumn = 0;
        std::optional<int> page;
        QStringList headings; // 章, 節, 項, 階層4 … down to the first empty one
        QString partOfSpeech;
        std::vector<BookDraft::AttrValue> attrs;
    };

    struct SentenceRow {
        int qid = 0;
        QString sentence;
        QString answer;
        int source = 1;
        std::optional<int> frequency;
        QString problemNumber;
        std::vector<BookDraft::AttrValue> attrs;
    };

    // The keyword columns of a row: headword, number, page, headings and
    // part of speech.
    static KeywordRow ReadKeywordRow(RowCells& cells, const SheetColumns& columns);

    // `writer` takes the sentences; without one they are only counted.
    DraftBuilder(
        const QString& type, const QString& title, KeywordRows keywordRows, Problems& problems, BookWriter* writer);

    // Before each row: false (with the problem) once the import is
    // cancelled; the writer hears how far the reading is.
    bool RowRead(std::size_t done, std::size_t rows);

    // The id of the format of that title, made on its first appearance.
    int Question(const QString& title);
    // Instruction, answer field and answer lines of a format, from the
    // first row that gives each of them.
    void SetQuestionTexts(
        int qid, const QString& instruction, const QString& answerField, std::optional<int> answerLines);
    void SetAlternate(int qid);
    // A contents entry of its own row, with no keyword: listed, not to be
    // chosen, at `page` unless keywords give it one.
    void AddHeading(const QStringList& headings, std::optional<int> page);
    // Attribute classes beyond the fixed ones, and the order of all of
    // them by id (classes not named keep their places after these).
    void SetAttrClasses(std::vector<BookDraft::AttrClass> extra, std::vector<int> order);
    // The keyword of a row; -1 when the row conflicts with an earlier one
    // (the problem is recorded).
    int Keyword(const KeywordRow& row);
    void AddSentence(int keyword, const SentenceRow& sentence);

    // Numbers the keywords, builds the contents (from the headings when
    // `byChapters`, else entries of 25 keywords by number) and the
    // attribute classes. Called once: the keywords move into the draft.
    BookDraft Finish(bool byChapters);

    static constexpr int kKeywordsPerEntry = 25;

private:
    struct Slot {
        BookDraft::Keyword keyword;
        quint64 givenClasses = 0; // bits by place in m_extraClasses
        bool numbered = false;
        int row = 0;
        int firstSentence = -1;    // its place among the sentences
        std::vector<int> headings; // in m_headingPaths, first appearance first
    };
    struct HeadingRow {
        int sentencesBefore = 0;
        QStringList headings;
        std::optional<int> page;
    };

    void NumberKeywords(BookDraft& draft, std::vector<int>& kidOfSlot);
    void BuildContents(BookDraft& draft, const std::vector<int>& kidOfSlot);
    void BuildNumberEntries(BookDraft& draft);
    void BuildAttrClasses(BookDraft& draft) const;
    int HeadingPath(const QStringList& headings);
    void TakeKeywordValues(Slot& slot, int kid, const std::vector<BookDraft::AttrValue>& values);
    void SetEntryPages(BookDraft& draft) const;

    QString m_type;
    QString m_title;
    KeywordRows m_keywordRows;
    Problems& m_problems;
    BookWriter* m_writer;
    std::vector<BookDraft::QuestionFormat> m_questions;
    std::vector<bool> m_answerLinesSet;
    std::vector<Slot> m_slots;
    std::map<int, std::pair<int, int>> m_slotOfNumber; // number -> (slot, row)
    QHash<QString, int> m_slotOfWord;                  // unnumbered rows of the shared kind
    // Each keyword's contents headings once, however many keywords share them.
    std::vector<QStringList> m_headingPaths;
    QHash<QStringList, int> m_pathOfHeadings;
    QHash<QString, QString> m_partsOfSpeech; // one copy of each
    int m_sentences = 0;
    std::vector<HeadingRow> m_headingRows;
    std::map<QStringList, int> m_iidOfHeadings;
    std::vector<BookDraft::AttrClass> m_extraClasses;
    std::vector<int> m_classOrder;
    std::map<int, std::pair<int, int>> m_valueRanges;
    bool m_usesPartOfSpeech = false;
    bool m_usesProblemNumber = false;
};
