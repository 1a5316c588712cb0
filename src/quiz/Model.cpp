#include "quiz/Model.h"

#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/CountsText.h"
#include "quiz/SettingsStore.h"

#include <map>

namespace {

const QString kPrintTitle = QStringLiteral("conf_print_title");
const QString kShowRange = QStringLiteral("conf_show_range");
const QString kUseBonus = QStringLiteral("conf_use_bonus");
const QString kPrintCount = QStringLiteral("autosel_p_count");
const QString kDefaultCount = QStringLiteral("autosel_s_count");
const QString kQuestionCounts = QStringLiteral("autosel_question_counts");
const QString kRandomize = QStringLiteral("autosel_randomize");
const QString kWpa = QStringLiteral("Wpa");
const QString kTemplate = QStringLiteral("template");

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
    options.printCount = store.Int(kPrintCount, 3);
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

int Model::ChooseWpa(int available, int stored)
{
    // Only a single known key counts: a stored 3 is not a word processor.
    if ((stored == kWord || stored == kIchitaro) && (stored & available))
        return stored;
    for (int key : {kWord, kIchitaro})
        if (key & available)
            return key;
    return 0;
}
