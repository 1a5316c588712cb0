#include "quiz/Model.h"

#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/ClassNames.h"
#include "quiz/CountsText.h"
#include "quiz/ModelSerializer.h"
#include "quiz/RandomGenerator.h"
#include "quiz/SettingsStore.h"
#include "quiz/View.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

const QString kPrintTitle = QStringLiteral("conf_print_title");
const QString kShowRange = QStringLiteral("conf_show_range");
const QString kUseBonus = QStringLiteral("conf_use_bonus");
const QString kPrintCount = QStringLiteral("autosel_p_count");
const QString kDefaultCount = QStringLiteral("autosel_s_count");
const QString kQuestionCounts = QStringLiteral("autosel_question_counts");
const QString kRandomize = QStringLiteral("autosel_randomize");
const QString kClassNames = QStringLiteral("autosel_class_names");
const QString kAvoidRuns = QStringLiteral("autosel_avoid");
const QString kWpa = QStringLiteral("Wpa");
const QString kTemplate = QStringLiteral("template");

// Sentences whose value of this class is at least kFirstBonusSource come
// from outside the book itself. A text value counts as 0, the book body.
constexpr int kSourceClass = 101;
constexpr int kFirstBonusSource = 20;

bool IsFromBookBody(const Sentence& sentence)
{
    const Attr<int>* source = sentence.Attribute(kSourceClass, 0);
    return source && source->intValue < kFirstBonusSource;
}

} // namespace

Model::Model()
    : m_db(std::make_unique<DataBase>())
    , m_storage(std::make_unique<NodeStorage>(*m_db))
{
}

Model::~Model() = default;

PrintOptions Model::ReadPrintOptions()
{
    SettingsStore store(*m_db);
    PrintOptions options;
    options.title = store.Text(kPrintTitle);
    options.showRange = store.Flag(kShowRange, true);
    options.useBonus = store.Flag(kUseBonus, false);
    return options;
}

void Model::WritePrintOptions(const PrintOptions& options)
{
    SettingsStore store(*m_db);
    store.SetText(kPrintTitle, options.title);
    store.SetFlag(kShowRange, options.showRange);
    store.SetFlag(kUseBonus, options.useBonus);
}

AutoSelectOptions Model::ReadAutoSelectOptions()
{
    SettingsStore store(*m_db);
    AutoSelectOptions options;
    // A count stored by hand or by another version keeps to the dialog's range.
    options.printCount
        = std::clamp(store.Int(kPrintCount, 3), AutoSelectOptions::kMinPrintCount, AutoSelectOptions::kMaxPrintCount);
    options.defaultCount = store.Int(kDefaultCount, 10);
    const std::map<int, int> counts = CountsText::Parse(store.Text(kQuestionCounts));
    for (int qid : m_selectedQids) {
        const Question* question = m_storage->QuestionPool().Find(qid);
        if (!question)
            continue; // a stored format the current book lacks
        const auto it = counts.find(qid);
        options.counts.emplace_back(question, it != counts.end() ? it->second : options.defaultCount);
    }
    options.randomize = store.Flag(kRandomize, true);
    options.classNames = ClassNames::Parse(store.Text(kClassNames));
    options.avoidRuns = std::clamp(store.Int(kAvoidRuns, 0), 0, AutoSelectOptions::kMaxAvoidRuns);
    return options;
}

void Model::WriteAutoSelectOptions(const AutoSelectOptions& options)
{
    SettingsStore store(*m_db);
    store.SetInt(kPrintCount, options.printCount);
    store.SetInt(kDefaultCount, options.defaultCount);
    std::map<int, int> counts;
    for (const auto& [question, count] : options.counts)
        if (question)
            counts[question->qid] = count;
    store.SetText(kQuestionCounts, CountsText::Format(counts));
    store.SetFlag(kRandomize, options.randomize);
    store.SetText(kClassNames, ClassNames::Format(options.classNames));
    store.SetInt(kAvoidRuns, options.avoidRuns);
}

QString Model::ReadTemplateName()
{
    return SettingsStore(*m_db).Text(kTemplate);
}

void Model::WriteTemplateName(const QString& name)
{
    SettingsStore(*m_db).SetText(kTemplate, name);
}

int Model::ReadWpa()
{
    return SettingsStore(*m_db).Int(kWpa, 0);
}

void Model::WriteWpa(int key)
{
    SettingsStore(*m_db).SetInt(kWpa, key);
}

int Model::Initialize(const Path& path)
{
    m_path = path;
    int result = kInitOk;
    const QString userDatabase = path.UserDatabasePath();
    if (userDatabase.isEmpty() || m_db->OpenUser(userDatabase) != 0) {
        m_db->SetUserEnabled(false);
        result = kInitNoUserDatabase;
    } else if (!m_db->UserWritable()) {
        result = kInitNoUserDatabase; // restored from, but nothing is kept
    }
    // Without a word processor the teacher can still compose prints; a
    // print run says then that none is there. The stored choice is kept.
    const int available = AvailableApplications();
    m_application = CreatorRegistry::ChooseType(ReadWpa(), available != 0 ? available : kWord | kIchitaro);
    QStringList bookFiles;
    if (path.BookFiles(bookFiles) == 0)
        return kInitNoBookFile;
    // The book of the stored selection is the one the window will show.
    if (!LoadBooks(bookFiles, m_db->UserEnabled() ? ModelSerializer::StoredBook(*m_db) : NodeStorage::BookChoice()))
        return kInitNoBook;
    return result;
}

bool Model::LoadBooks(const QStringList& candidates, const NodeStorage::BookChoice& preferred)
{
    if (!m_storage->LoadBooks(candidates, preferred))
        return false;
    StartOverWithOnePrint();
    return true;
}

int Model::SelectBook(int bid)
{
    if (bid == m_storage->CurrentBid())
        return 0;
    const Book* book = m_storage->BookPool().Find(bid);
    return book ? SelectBook(*book) : kSelectBookFailed;
}

int Model::SelectBook(const Book& book)
{
    if (&book == m_storage->CurrentBook())
        return 0;
    if (!m_storage->SelectBook(book))
        return kSelectBookFailed;
    StartOverWithOnePrint();
    NotifyViews();
    return 0;
}

// The prints and the range pointed into the previous book's nodes.
void Model::StartOverWithOnePrint()
{
    m_selectionSeed.reset();
    ChangeRange(Ranges());
    m_rangeBackup = Ranges();
    m_rangeBackupValid = false;
    m_quizzes.clear();
    AddQuiz();
}

void Model::AddView(View* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void Model::RemoveView(View* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void Model::NotifyViews()
{
    // A view may unregister while it rebuilds.
    const std::vector<View*> views = m_views;
    for (View* view : views)
        view->UpdateView();
}

void Model::SetQuestions(const std::vector<int>& qids)
{
    m_selectionSeed.reset();
    m_selectedQids = qids;
    for (Quiz& quiz : m_quizzes)
        quiz.SetQuestions(qids);
}

Quiz Model::GetQuiz(int index) const
{
    if (index < 0 || index >= QuizCount())
        return NewQuiz();
    return m_quizzes[static_cast<std::size_t>(index)];
}

void Model::SetQuiz(int index, const Quiz& quiz)
{
    m_selectionSeed.reset();
    if (index >= 0 && index < QuizCount())
        m_quizzes[static_cast<std::size_t>(index)] = quiz;
}

void Model::SetClassName(int index, const QString& name)
{
    if (index >= 0 && index < QuizCount())
        m_quizzes[static_cast<std::size_t>(index)].SetClassName(name);
}

void Model::ReplaceQuizzes(std::vector<Quiz> quizzes)
{
    m_selectionSeed.reset();
    m_quizzes = std::move(quizzes);
    if (QuizCount() > kMaxPrints)
        m_quizzes.resize(kMaxPrints);
    if (m_quizzes.empty())
        AddQuiz();
}

bool Model::AddQuiz()
{
    if (QuizCount() >= kMaxPrints)
        return false;
    m_selectionSeed.reset();
    Quiz quiz = NewQuiz();
    for (int qid : m_selectedQids)
        quiz.AddQuestion(qid);
    m_quizzes.push_back(std::move(quiz));
    return true;
}

int Model::RemoveQuiz(int index)
{
    m_selectionSeed.reset();
    if (index >= 0 && index < QuizCount())
        m_quizzes.erase(m_quizzes.begin() + index);
    if (m_quizzes.empty())
        AddQuiz();
    return std::clamp(index, 0, QuizCount() - 1);
}

Quiz Model::NewQuiz() const
{
    return Quiz(m_storage.get());
}

bool Model::HasSentences() const
{
    return std::any_of(m_quizzes.begin(), m_quizzes.end(), [](const Quiz& quiz) { return quiz.SentenceCount() > 0; });
}

void Model::SortSentences(bool random)
{
    m_selectionSeed.reset();
    for (Quiz& quiz : m_quizzes)
        quiz.SortSentences(random);
}

int Model::AutoSelect(
    const AutoSelectOptions& options, std::array<bool, 2>& warnings, const AutoSelector::ClusterSearch& search)
{
    if (m_selectedQids.empty())
        return kAutoSelectNoQuestion;
    std::map<int, int> counts;
    for (const auto& [question, count] : options.counts) {
        if (question)
            counts.emplace(question->qid, count);
    }
    for (int qid : m_selectedQids) {
        if (!counts.count(qid))
            return kAutoSelectFailed;
    }

    const std::uint32_t seed = RandomGenerator::State();
    const bool avoiding = options.avoidRuns > 0 && m_testedKeywords;
    std::map<QString, AutoSelectAvoidance::LastTested> tested; // by class name
    bool tooFew = false;
    bool duplicates = false;
    int repeats = 0;
    std::vector<Quiz> prints;
    for (int k = 0; k < options.printCount; ++k) {
        const QString className = static_cast<std::size_t>(k) < options.classNames.size()
            ? ClassNames::Clean(options.classNames[static_cast<std::size_t>(k)])
            : QString();
        std::optional<AutoSelectAvoidance> avoidance;
        if (avoiding) {
            if (!tested.count(className))
                tested[className]
                    = m_testedKeywords(m_db->Dbid(), m_storage->CurrentBid(), className, options.avoidRuns);
            avoidance.emplace(tested[className]);
        }
        AutoSelectOutcome outcome;
        if (AutoSelector(*this, search).Select(outcome, m_selectedQids, counts, avoidance ? &*avoidance : nullptr) == 0)
            return outcome.timedOut ? kAutoSelectTimedOut : kAutoSelectFailed;
        repeats += outcome.repeats;
        tooFew = tooFew || outcome.tooFew;
        duplicates = duplicates || outcome.duplicates;
        Quiz quiz = NewQuiz();
        for (int qid : m_selectedQids)
            quiz.AddQuestion(qid);
        for (const Sentence* sentence : outcome.sentences)
            quiz.AddSentence(sentence);
        quiz.SetClassName(className);
        prints.push_back(std::move(quiz));
    }
    warnings[0] = warnings[0] || tooFew;
    warnings[1] = warnings[1] || duplicates;
    ReplaceQuizzes(std::move(prints));
    if (!options.randomize)
        SortSentences(false);
    m_selectionSeed = seed;
    m_lastRepeats = avoiding ? std::optional<int>(repeats) : std::nullopt;
    NotifyViews();
    return tooFew || duplicates ? kAutoSelectWarnings : kAutoSelectOk;
}

void Model::SetRange(const Ranges& range)
{
    ChangeRange(range);
}

void Model::ChangeRange(const Ranges& range)
{
    m_range = range;
    m_inRangeKidsValid = false;
}

void Model::BackupRange()
{
    if (m_rangeBackupValid)
        return;
    m_rangeBackup = m_range;
    m_rangeBackupValid = true;
}

void Model::RestoreRange()
{
    if (!m_rangeBackupValid)
        return;
    ChangeRange(m_rangeBackup);
    m_rangeBackupValid = false;
}

void Model::DropRangeBackup()
{
    m_rangeBackupValid = false;
}

int Model::InRangeKeywords(std::vector<const Keyword*>& out)
{
    out.clear();
    if (m_range.IsNull())
        return 0;
    for (const Keyword* keyword : m_storage->Keywords()) {
        if (m_range.Contains(*keyword))
            out.push_back(keyword);
    }
    return static_cast<int>(out.size());
}

int Model::CandidateSentences(std::vector<const Sentence*>& out, int qid)
{
    return CollectCandidates(out, qid, false);
}

bool Model::HasCandidates(int qid)
{
    std::vector<const Sentence*> first;
    return CollectCandidates(first, qid, true) > 0;
}

int Model::CollectCandidates(std::vector<const Sentence*>& out, int qid, bool firstOnly)
{
    out.clear();
    const std::set<int>& kids = InRangeKids();
    if (kids.empty())
        return 0;
    const bool useBonus = SettingsStore(*m_db).Flag(kUseBonus, false);
    std::vector<Sentence*> sentences;
    m_storage->SentencesOf(qid, sentences);
    for (const Sentence* sentence : sentences) {
        if (!kids.count(sentence->kid) || !(useBonus || IsFromBookBody(*sentence)))
            continue;
        out.push_back(sentence);
        if (firstOnly)
            break;
    }
    return static_cast<int>(out.size());
}

const std::set<int>& Model::InRangeKids()
{
    if (!m_inRangeKidsValid) {
        std::vector<const Keyword*> inRange;
        InRangeKeywords(inRange);
        m_inRangeKids.clear();
        for (const Keyword* keyword : inRange)
            m_inRangeKids.insert(keyword->kid);
        m_inRangeKidsValid = true;
    }
    return m_inRangeKids;
}

QString Model::RangeLine() const
{
    const Book* book = m_storage->CurrentBook();
    return QChar(0xFF08) + (book ? book->title : QString()) + QChar(0xFF0F) + m_range.Describe(*m_storage)
        + QChar(0xFF09);
}

void Model::RegisterCreator(int type, std::shared_ptr<WordProcessor> creator)
{
    m_creators.Register(type, std::move(creator));
}

int Model::AvailableApplications() const
{
    return m_creators.AvailableTypes();
}

bool Model::SetApplication(int type)
{
    if (type == 0 || CreatorRegistry::ChooseType(type, AvailableApplications()) != type)
        return false;
    m_application = type;
    return true;
}
