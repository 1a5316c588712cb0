#include "bookimport/DraftBuilder.h"

#include "bookimport/BookAttrClass.h"
#include "bookimport/BookWriter.h"
#include "bookimport/ColumnName.h"
#include "bookimport/ImportCancel.h"
#include "bookimport/RowCells.h"
#include "bookimport/SheetColumns.h"

#include <QUuid>

#include <algorithm>
#include <numeric>

namespace {

// A book id that no bundled book uses and that two made books share only
// by rare chance; ids 331, 333 and 334 change how lists look.
int BookIdFor(const QString& dbid)
{
    return 100000 + static_cast<int>(qHash(dbid) % 900000u);
}

} // namespace

DraftBuilder::DraftBuilder(
    const QString& type, const QString& title, KeywordRows keywordRows, Problems& problems, BookWriter* writer)
    : m_type(type)
    , m_title(title)
    , m_keywordRows(keywordRows)
    , m_problems(problems)
    , m_writer(writer)
{
}

bool DraftBuilder::RowRead(std::size_t done, std::size_t rows)
{
    if (ImportCancel::Requested()) {
        m_problems.Error(0, 0, ImportCancel::Message());
        return false;
    }
    if (m_writer)
        m_writer->RowsRead(static_cast<int>(done), static_cast<int>(rows));
    return true;
}

int DraftBuilder::HeadingPath(const QStringList& headings)
{
    const auto found = m_pathOfHeadings.constFind(headings);
    if (found != m_pathOfHeadings.constEnd())
        return found.value();
    const int path = static_cast<int>(m_headingPaths.size());
    m_headingPaths.push_back(headings);
    m_pathOfHeadings.insert(headings, path);
    return path;
}

DraftBuilder::KeywordRow DraftBuilder::ReadKeywordRow(RowCells& cells, const SheetColumns& columns)
{
    KeywordRow keyword;
    keyword.row = cells.Row();
    keyword.word = cells.RequiredText(ColumnName::Word);
    keyword.number = cells.Number(ColumnName::Number);
    keyword.numberColumn = columns.Number(ColumnName::Number);
    keyword.wordColumn = columns.Number(ColumnName::Word);
    keyword.page = cells.Number(ColumnName::Page);
    for (int level = 1; columns.Has(ColumnName::Level(level)); ++level) {
        const QString heading = cells.Plain(ColumnName::Level(level));
        if (heading.isEmpty())
            break;
        keyword.headings.append(heading);
    }
    keyword.partOfSpeech = cells.Plain(ColumnName::PartOfSpeech);
    return keyword;
}

int DraftBuilder::Question(const QString& title)
{
    for (const auto& question : m_questions)
        if (question.title == title)
            return question.qid;
    BookDraft::QuestionFormat question;
    question.qid = static_cast<int>(m_questions.size()) + 1;
    question.title = title;
    m_questions.push_back(question);
    m_answerLinesSet.push_back(false);
    return question.qid;
}

void DraftBuilder::SetAlternate(int qid)
{
    m_questions[static_cast<std::size_t>(qid - 1)].alternate = true;
}

void DraftBuilder::AddHeading(const QStringList& headings, std::optional<int> page)
{
    m_headingRows.push_back(HeadingRow{m_sentences, headings, page});
}

void DraftBuilder::SetAttrClasses(std::vector<BookDraft::AttrClass> extra, std::vector<int> order)
{
    m_extraClasses = std::move(extra);
    m_classOrder = std::move(order);
}

void DraftBuilder::SetQuestionTexts(
    int qid, const QString& instruction, const QString& answerField, std::optional<int> answerLines)
{
    BookDraft::QuestionFormat& question = m_questions[static_cast<std::size_t>(qid - 1)];
    if (question.instruction.isEmpty())
        question.instruction = instruction;
    if (question.answerField.isEmpty())
        question.answerField = answerField;
    if (answerLines && !m_answerLinesSet[static_cast<std::size_t>(qid - 1)]) {
        question.answerLines = *answerLines;
        m_answerLinesSet[static_cast<std::size_t>(qid - 1)] = true;
    }
}

int DraftBuilder::Keyword(const KeywordRow& row)
{
    int slot = -1;
    if (row.number) {
        const auto found = m_slotOfNumber.find(*row.number);
        if (found != m_slotOfNumber.end()) {
            const auto [earlierSlot, earlierRow] = found->second;
            if (m_keywordRows == KeywordRows::OnePerRow) {
                m_problems.Error(row.row, row.numberColumn,
                    QStringLiteral("番号 %1 が %2 行目と重なっています").arg(*row.number).arg(earlierRow));
                return -1;
            }
            const QString& earlierWord = m_slots[static_cast<std::size_t>(earlierSlot)].keyword.word;
            if (earlierWord != row.word) {
                m_problems.Error(row.row, row.numberColumn,
                    QStringLiteral("番号 %1 は %2 行目で別の見出し語「%3」に使われています")
                        .arg(*row.number)
                        .arg(earlierRow)
                        .arg(earlierWord));
                return -1;
            }
            slot = earlierSlot;
        }
    } else if (m_keywordRows == KeywordRows::Shared) {
        slot = m_slotOfWord.value(row.word, -1);
    }
    if (slot < 0) {
        slot = static_cast<int>(m_slots.size());
        const int sameWord = m_slotOfWord.value(row.word, -1);
        if (sameWord >= 0)
            m_problems.Warning(row.row, row.wordColumn,
                QStringLiteral("見出し語「%1」は %2 行目にもあります（別の見出し語として取り込みます）")
                    .arg(row.word)
                    .arg(m_slots[static_cast<std::size_t>(sameWord)].row));
        Slot fresh;
        fresh.keyword.word = row.word;
        fresh.row = row.row;
        if (row.number) {
            fresh.keyword.number = *row.number;
            fresh.numbered = true;
            m_slotOfNumber.emplace(*row.number, std::make_pair(slot, row.row));
        }
        m_slots.push_back(std::move(fresh));
        if (!m_slotOfWord.contains(row.word))
            m_slotOfWord.insert(row.word, slot);
    }
    Slot& target = m_slots[static_cast<std::size_t>(slot)];
    if (!target.keyword.page && row.page)
        target.keyword.page = row.page;
    if (target.keyword.partOfSpeech.isEmpty() && !row.partOfSpeech.isEmpty()) {
        // A million keywords share a handful of parts of speech.
        const auto known = m_partsOfSpeech.constFind(row.partOfSpeech);
        target.keyword.partOfSpeech = known != m_partsOfSpeech.constEnd()
            ? known.value()
            : *m_partsOfSpeech.insert(row.partOfSpeech, row.partOfSpeech);
        m_usesPartOfSpeech = true;
    }
    TakeKeywordValues(target, slot + 1, row.attrs);
    if (!row.headings.isEmpty()) {
        const int path = HeadingPath(row.headings);
        if (std::find(target.headings.begin(), target.headings.end(), path) == target.headings.end())
            target.headings.push_back(path);
    }
    return slot;
}

// The values of a class come from the first row that gives any, and go to
// the book at once, the keyword's place among those made for its kid.
void DraftBuilder::TakeKeywordValues(Slot& slot, int kid, const std::vector<BookDraft::AttrValue>& values)
{
    quint64 given = 0;
    for (const BookDraft::AttrValue& value : values) {
        const auto place = std::find_if(m_extraClasses.begin(), m_extraClasses.end(),
            [&value](const BookDraft::AttrClass& c) { return c.acid == value.acid; });
        const quint64 bit = quint64(1) << ((place - m_extraClasses.begin()) % 64);
        if (slot.givenClasses & bit)
            continue;
        given |= bit;
        if (!value.isText) {
            const int number = value.value.toInt();
            const auto [range, fresh] = m_valueRanges.emplace(value.acid, std::make_pair(number, number));
            range->second = {std::min(range->second.first, number), std::max(range->second.second, number)};
        }
        if (m_writer)
            m_writer->AddKeywordValue(kid, value);
    }
    slot.givenClasses |= given;
}

void DraftBuilder::AddSentence(int keyword, const SentenceRow& row)
{
    BookDraft::Sentence sentence;
    sentence.sid = ++m_sentences;
    sentence.kid = keyword + 1;
    sentence.qid = row.qid;
    sentence.sentence = row.sentence;
    sentence.answer = row.answer;
    sentence.source = row.source;
    sentence.frequency = row.frequency;
    sentence.problemNumber = row.problemNumber;
    sentence.attrs = row.attrs;
    if (!row.problemNumber.isEmpty())
        m_usesProblemNumber = true;
    Slot& slot = m_slots[static_cast<std::size_t>(keyword)];
    if (slot.firstSentence < 0)
        slot.firstSentence = sentence.sid - 1;
    if (m_writer)
        m_writer->AddSentence(sentence);
}

BookDraft DraftBuilder::Finish(bool byChapters)
{
    BookDraft draft;
    draft.type = m_type;
    draft.title = m_title;
    draft.dbid = QStringLiteral("TV-U-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    draft.bid = BookIdFor(draft.dbid);
    draft.questions = m_questions;

    std::vector<int> kidOfSlot;
    NumberKeywords(draft, kidOfSlot);
    draft.sentenceCount = static_cast<std::size_t>(m_sentences);
    draft.entries.push_back(BookDraft::Entry{1, 0, 0, m_title, true});
    if (byChapters)
        BuildContents(draft, kidOfSlot);
    else
        BuildNumberEntries(draft);
    SetEntryPages(draft);
    BuildAttrClasses(draft);
    draft.kidOfMade = std::move(kidOfSlot);
    draft.valueRanges = m_valueRanges;
    return draft;
}

// Rows without a number follow the highest number given, in row order;
// keyword ids then follow the numbers.
void DraftBuilder::NumberKeywords(BookDraft& draft, std::vector<int>& kidOfSlot)
{
    int next = m_slotOfNumber.empty() ? 1 : m_slotOfNumber.rbegin()->first + 1;
    for (Slot& slot : m_slots)
        if (!slot.numbered)
            slot.keyword.number = next++;
    std::vector<int> order(m_slots.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        return m_slots[static_cast<std::size_t>(a)].keyword.number
            < m_slots[static_cast<std::size_t>(b)].keyword.number;
    });
    kidOfSlot.assign(m_slots.size(), 0);
    draft.keywords.reserve(m_slots.size());
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const auto slot = static_cast<std::size_t>(order[rank]);
        kidOfSlot[slot] = static_cast<int>(rank) + 1;
        BookDraft::Keyword keyword = std::move(m_slots[slot].keyword);
        keyword.kid = kidOfSlot[slot];
        draft.keywords.push_back(std::move(keyword));
    }
}

// Entries in the order the rows first name them (a heading row where it
// stands, a keyword's headings where its first sentence stands), each
// under the entry its headings' parent names, written depth first; a
// keyword is related to the deepest entry of every heading it appears
// under. An entry that no keyword reaches is listed but not to be chosen.
void DraftBuilder::BuildContents(BookDraft& draft, const std::vector<int>& kidOfSlot)
{
    std::vector<std::pair<int, int>> uses; // (place among the rows, heading path)
    for (const HeadingRow& row : m_headingRows)
        uses.emplace_back(2 * row.sentencesBefore, HeadingPath(row.headings));
    for (const Slot& slot : m_slots)
        for (const int path : slot.headings)
            uses.emplace_back(2 * slot.firstSentence + 1, path);
    std::stable_sort(uses.begin(), uses.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    // The tree in order of first use, then numbered depth first.
    struct Node {
        QString title;
        std::vector<int> children;
    };
    std::vector<Node> nodes{Node{m_title, {}}};
    std::map<QStringList, int> nodeOf{{QStringList(), 0}};
    for (const auto& [use, path] : uses) {
        const QStringList& headings = m_headingPaths[static_cast<std::size_t>(path)];
        for (qsizetype depth = 1; depth <= headings.size(); ++depth) {
            const QStringList path = headings.first(depth);
            if (nodeOf.count(path))
                continue;
            const int node = static_cast<int>(nodes.size());
            nodes.push_back(Node{headings[depth - 1], {}});
            nodes[static_cast<std::size_t>(nodeOf.at(headings.first(depth - 1)))].children.push_back(node);
            nodeOf.emplace(path, node);
        }
    }
    std::vector<int> iidOfNode(nodes.size(), 1);
    std::vector<int> parentOfIid(nodes.size() + 1, 0);
    std::vector<std::pair<int, int>> stack; // (node, parent iid)
    for (auto child = nodes[0].children.rbegin(); child != nodes[0].children.rend(); ++child)
        stack.emplace_back(*child, 1);
    int iid = 1;
    while (!stack.empty()) {
        const auto [node, parent] = stack.back();
        stack.pop_back();
        iidOfNode[static_cast<std::size_t>(node)] = ++iid;
        parentOfIid[static_cast<std::size_t>(iid)] = parent;
        draft.entries.push_back(BookDraft::Entry{iid, parent, 0, nodes[static_cast<std::size_t>(node)].title, false});
        const auto& children = nodes[static_cast<std::size_t>(node)].children;
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.emplace_back(*child, iid);
    }
    m_iidOfHeadings.clear();
    for (const auto& [path, node] : nodeOf)
        m_iidOfHeadings.emplace(path, iidOfNode[static_cast<std::size_t>(node)]);

    std::vector<bool> reached(static_cast<std::size_t>(iid) + 1, false);
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot) {
        for (const int path : m_slots[slot].headings) {
            const int entry = m_iidOfHeadings.at(m_headingPaths[static_cast<std::size_t>(path)]);
            draft.relations.emplace_back(entry, kidOfSlot[slot]);
            for (int up = entry; up > 1 && !reached[static_cast<std::size_t>(up)];
                 up = parentOfIid[static_cast<std::size_t>(up)])
                reached[static_cast<std::size_t>(up)] = true;
        }
    }
    for (auto& entry : draft.entries)
        entry.enable = entry.iid == 1 || reached[static_cast<std::size_t>(entry.iid)];
    std::sort(draft.relations.begin(), draft.relations.end());
    draft.relations.erase(std::unique(draft.relations.begin(), draft.relations.end()), draft.relations.end());
}

// Without chapters: one entry per 25 keywords in number order, titled by
// the first and last number it covers.
void DraftBuilder::BuildNumberEntries(BookDraft& draft)
{
    int iid = 1;
    for (std::size_t first = 0; first < draft.keywords.size(); first += kKeywordsPerEntry) {
        const std::size_t last = std::min(first + kKeywordsPerEntry, draft.keywords.size()) - 1;
        const int low = draft.keywords[first].number;
        const int high = draft.keywords[last].number;
        const QString title
            = low == high ? QString::number(low) : QString::number(low) + QChar(0xFF5E) + QString::number(high);
        draft.entries.push_back(BookDraft::Entry{++iid, 1, 0, title, true});
        for (std::size_t k = first; k <= last; ++k)
            draft.relations.emplace_back(iid, draft.keywords[k].kid);
    }
}

// An entry's page is the lowest page of its keywords (or, without
// keywords, the page of its heading row), a parent's the lowest of its own
// and its children's; 0 without pages.
void DraftBuilder::SetEntryPages(BookDraft& draft) const
{
    std::map<int, int> pageOfKid;
    for (const auto& keyword : draft.keywords)
        if (keyword.page)
            pageOfKid[keyword.kid] = *keyword.page;
    std::map<int, int> pageOfEntry;
    for (const auto& [iid, kid] : draft.relations) {
        const auto page = pageOfKid.find(kid);
        if (page == pageOfKid.end())
            continue;
        auto [it, fresh] = pageOfEntry.emplace(iid, page->second);
        if (!fresh)
            it->second = std::min(it->second, page->second);
    }
    for (const HeadingRow& row : m_headingRows) {
        const auto entry = m_iidOfHeadings.find(row.headings);
        if (row.page && entry != m_iidOfHeadings.end())
            pageOfEntry.emplace(entry->second, *row.page);
    }
    // Children come after their parents: walk backwards to lift pages up.
    for (auto entry = draft.entries.rbegin(); entry != draft.entries.rend(); ++entry) {
        const auto own = pageOfEntry.find(entry->iid);
        if (own == pageOfEntry.end())
            continue;
        entry->page = own->second;
        if (entry->parent > 1) {
            auto [it, fresh] = pageOfEntry.emplace(entry->parent, own->second);
            if (!fresh)
                it->second = std::min(it->second, own->second);
        }
    }
}

void DraftBuilder::BuildAttrClasses(BookDraft& draft) const
{
    const bool wordBook = m_type == QLatin1String("101");
    const bool hasPages = std::any_of(
        draft.keywords.begin(), draft.keywords.end(), [](const BookDraft::Keyword& k) { return k.page.has_value(); });
    draft.attrClasses.push_back(BookDraft::AttrClass{BookAttrClass::Number, QStringLiteral("番号"),
        wordBook ? QStringLiteral("見出し語番号") : QStringLiteral("キー漢字番号"), 0, true});
    draft.attrClasses.push_back(
        BookDraft::AttrClass{BookAttrClass::Page, QStringLiteral("頁"), QStringLiteral("ページ"), 0, hasPages});
    if (m_usesPartOfSpeech)
        draft.attrClasses.push_back(BookDraft::AttrClass{
            BookAttrClass::PartOfSpeech, QStringLiteral("品詞"), QStringLiteral("品詞"), 1, false});
    draft.attrClasses.push_back(wordBook ? BookDraft::AttrClass{BookAttrClass::Source, QStringLiteral("出典"),
                                    QStringLiteral("例文の出典"), 0, false}
                                         : BookDraft::AttrClass{BookAttrClass::Source, QStringLiteral("区分"),
                                             QStringLiteral("例文の区分"), 0, false});
    if (m_usesProblemNumber)
        draft.attrClasses.push_back(BookDraft::AttrClass{
            BookAttrClass::ProblemNumber, QStringLiteral("問題番号"), QStringLiteral("問題番号"), 1, false});
    if (m_type == QLatin1String("303"))
        draft.attrClasses.push_back(BookDraft::AttrClass{
            BookAttrClass::Frequency, QStringLiteral("頻出"), QStringLiteral("入試頻出度"), 0, false});
    draft.attrClasses.insert(draft.attrClasses.end(), m_extraClasses.begin(), m_extraClasses.end());
    const auto place = [this](int acid) {
        const auto found = std::find(m_classOrder.begin(), m_classOrder.end(), acid);
        return found - m_classOrder.begin();
    };
    std::stable_sort(draft.attrClasses.begin(), draft.attrClasses.end(),
        [&place](
            const BookDraft::AttrClass& a, const BookDraft::AttrClass& b) { return place(a.acid) < place(b.acid); });
}
