#pragma once

#include "quiz/Path.h"
#include "model/NodeStorage.h"
#include "quiz/AutoSelectAvoidance.h"
#include "quiz/AutoSelectOptions.h"
#include "quiz/AutoSelector.h"
#include "quiz/CreatorRegistry.h"
#include "quiz/PrintOptions.h"
#include "quiz/Quiz.h"
#include "quiz/Ranges.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class Book;
class DataBase;
class Keyword;
class NodeStorage;
class Sentence;
class View;

// The application model: the database gateway, the content of the selected
// book, the question formats chosen for composition, the current range, the
// prints, the creators of the word processors, the user's options in the
// user database, and the views that show it.
//
// Prints and the range point into the nodes of the selected book; they are
// discarded whenever another book is selected. While a book is loaded there
// is always at least one print.
class Model {
public:
    // Results of Initialize.
    static constexpr int kInitOk = 0;
    static constexpr int kInitNoUserDatabase = 11; // runs on, saving nothing
    static constexpr int kInitNoBookFile = 102;
    static constexpr int kInitNoBook = 112;
    // Reported when a print run needs a word processor and none is there.
    static constexpr int kInitNoWordProcessor = 151;
    // Result of SelectBook when the book cannot be switched to.
    static constexpr int kSelectBookFailed = 121;

    // Word-processor keys; also bit values in a set of available ones.
    static constexpr int kWord = CreatorRegistry::kWord;
    static constexpr int kIchitaro = CreatorRegistry::kIchitaro;

    // The most prints there are at once: a class needs ten at most, and a
    // teacher keeps a few dozen.
    static constexpr int kMaxPrints = 100;

    Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    virtual ~Model();

    DataBase& Db() { return *m_db; }
    NodeStorage& Storage() { return *m_storage; }
    const NodeStorage& Storage() const { return *m_storage; }

    // Start-up: opens the user database (disabled when it has no path or
    // cannot be opened: kInitNoUserDatabase), chooses the word processor
    // from the registered creators and "Wpa" (the stored one when none is
    // available: the program runs without one), loads the books of the data
    // folder and selects the book of the stored selection, or else the
    // first, with one print. Returns kInitOk or
    // kInitNoUserDatabase on success, else a code of 101 or more.
    int Initialize(const Path& path);
    const Path& Paths() const { return m_path; }
    // Discovers the books of the candidate files and selects `preferred`
    // (where it can be read) or else the first, starting over with an empty
    // range and one print. False (nothing changed) when no book can be
    // loaded.
    bool LoadBooks(const QStringList& candidates, const NodeStorage::BookChoice& preferred = {});
    // Switches to another book: 0 on success (the range is emptied, the
    // prints start over with one print of the selected question formats and
    // the views are told), 0 at once for the current book, and
    // kSelectBookFailed when the book cannot be loaded, everything kept.
    // Where book files share a bid, the first book with it.
    int SelectBook(int bid);
    // The same for one of the storage's Books(): a book is its file and bid.
    int SelectBook(const Book& book);

    // Views are told to rebuild after a book change and after an automatic
    // selection. The model does not own them.
    void AddView(View* view);
    void RemoveView(View* view);
    void NotifyViews();

    // The qids of the question formats chosen for composition, in order.
    const std::vector<int>& SelectedQids() const { return m_selectedQids; }
    void SetSelectedQids(std::vector<int> qids) { m_selectedQids = std::move(qids); }
    // Stores the selection and rebuilds every print's units in that order.
    void SetQuestions(const std::vector<int>& qids);

    // Prints, in tab order.
    const std::vector<Quiz>& Quizzes() const { return m_quizzes; }
    int QuizCount() const { return static_cast<int>(m_quizzes.size()); }
    // A copy of the print at `index`; an empty print for an index out of range.
    Quiz GetQuiz(int index) const;
    // Writes an edited copy back; nothing for an index out of range.
    void SetQuiz(int index, const Quiz& quiz);
    // Names the print at `index` after its class (an empty name takes the
    // name away); nothing for an index out of range. The prints stay as
    // they were selected.
    void SetClassName(int index, const QString& name);
    // Replaces all prints (automatic selection, restoring the selection),
    // keeping the first kMaxPrints. An empty list leaves one fresh print, as
    // one print always exists.
    void ReplaceQuizzes(std::vector<Quiz> quizzes);
    // Appends a print with an empty unit for every selected question format;
    // false (and nothing added) when there are kMaxPrints prints already.
    bool AddQuiz();
    // Removes the print at `index`; when none is left a fresh one is added.
    // Returns the index of the print to show next (the same index, or the
    // one before when the last was removed).
    int RemoveQuiz(int index);
    // Whether any print holds a sub-question (what a book change discards).
    bool HasSentences() const;
    // An empty print of the current book, without units.
    Quiz NewQuiz() const;
    // Reorders the sentences of every print: shuffled or in book order.
    void SortSentences(bool random);
    // The generator's state at the start of the automatic selection that
    // made the prints as they stand; none once they were changed by hand
    // (or were never selected automatically).
    std::optional<std::uint32_t> SelectionSeed() const { return m_selectionSeed; }

    // Results of AutoSelect.
    static constexpr int kAutoSelectOk = 0;
    static constexpr int kAutoSelectFailed = 301;     // a count missing, or no selection possible
    static constexpr int kAutoSelectNoQuestion = 302; // no question format selected
    static constexpr int kAutoSelectWarnings = 303;   // done, but see the warnings
    static constexpr int kAutoSelectTimedOut = 304;   // a search ran out of time
    // Replaces all prints by `options.printCount` prints filled
    // automatically (AutoSelector), one unit per selected question format,
    // named after `options.classNames`, and tells the views. With
    // `options.avoidRuns`, each print leaves out what its class was tested
    // on in that many recorded runs (AutoSelectAvoidance; the runs that
    // carried its class name, or every run of the book for a print
    // without one), as the tested-keywords source tells. warnings[0] (fewer sentences than asked for) and
    // warnings[1] (a keyword serves two formats of a print) are set, never
    // cleared. On failure the prints stay as they were. A print count below
    // 1 leaves one fresh print. `search` replaces the cluster search (tests).
    int AutoSelect(const AutoSelectOptions& options, std::array<bool, 2>& warnings,
        const AutoSelector::ClusterSearch& search = {});

    // How many sub-questions of keywords tested within the look-back the
    // last automatic selection had to take; none when it avoided nothing.
    std::optional<int> LastRepeats() const { return m_lastRepeats; }
    // Where the automatic selection learns what was tested (the record of
    // print runs); without one nothing is avoided.
    void SetTestedKeywords(AutoSelectAvoidance::Source source) { m_testedKeywords = std::move(source); }

    // The current range; empty after a book change.
    const Ranges& CurrentRange() const { return m_range; }
    void SetRange(const Ranges& range);
    // The range dialog keeps a copy of the range before its first change
    // and puts it back on Cancel. BackupRange copies only when no copy is
    // pending; RestoreRange puts a pending copy back; DropRangeBackup (OK)
    // forgets it.
    void BackupRange();
    void RestoreRange();
    void DropRangeBackup();
    bool HasRangeBackup() const { return m_rangeBackupValid; }

    // The keywords the current range contains, in book order; the count.
    int InRangeKeywords(std::vector<const Keyword*>& out);
    // The candidate sentences of question `qid` in sort_key order: those
    // whose keyword is in range and which are from the book itself (their
    // first value of class 101 is below 20, a missing value counting as
    // not from the book), unless the options include other sentences.
    int CandidateSentences(std::vector<const Sentence*>& out, int qid);
    bool HasCandidates(int qid);
    // "（book title／range description）" for the "@range" placeholder.
    QString RangeLine() const;

    // Word processors (1 Word, 2 Ichitaro) and their creators.
    void RegisterCreator(int type, std::shared_ptr<WordProcessor> creator);
    const CreatorRegistry& Creators() const { return m_creators; }
    // The OR of the types whose creator can start its word processor.
    int AvailableApplications() const;
    // The output word processor; 0 before one is chosen.
    int Application() const { return m_application; }
    // Chooses the output word processor; false (nothing changed) for a type
    // that is not available.
    bool SetApplication(int type);

    // Settings. A read the database cannot answer gives the defaults; a
    // write it refuses does nothing.
    PrintOptions ReadPrintOptions();
    void WritePrintOptions(const PrintOptions& options);
    // The counts pair every selected question format the book has with its
    // stored count, or the default count when none is stored.
    AutoSelectOptions ReadAutoSelectOptions();
    // Stores the counts of the listed formats only, and the class names.
    void WriteAutoSelectOptions(const AutoSelectOptions& options);
    QString ReadTemplateName();
    void WriteTemplateName(const QString& name);
    // The stored output word processor ("Wpa"), 0 when none.
    int ReadWpa();
    void WriteWpa(int key);

private:
    void StartOverWithOnePrint();
    int CollectCandidates(std::vector<const Sentence*>& out, int qid, bool firstOnly);
    // The ids of the keywords in range, worked out once per range and book.
    const std::set<int>& InRangeKids();
    void ChangeRange(const Ranges& range);

    std::unique_ptr<DataBase> m_db;
    std::unique_ptr<NodeStorage> m_storage;
    std::vector<int> m_selectedQids;
    Path m_path;
    Ranges m_range;
    std::set<int> m_inRangeKids;
    bool m_inRangeKidsValid = false;
    Ranges m_rangeBackup;
    bool m_rangeBackupValid = false;
    std::vector<Quiz> m_quizzes;
    std::vector<View*> m_views;
    CreatorRegistry m_creators;
    int m_application = 0;
    std::optional<std::uint32_t> m_selectionSeed;
    AutoSelectAvoidance::Source m_testedKeywords;
    std::optional<int> m_lastRepeats;
};
