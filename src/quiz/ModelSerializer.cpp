#include "quiz/ModelSerializer.h"

#include "model/Book.h"
#include "model/DataBase.h"
#include "model/DecimalText.h"
#include "model/NodeStorage.h"
#include "quiz/ClassNames.h"
#include "quiz/Model.h"
#include "quiz/NodeSerializer.h"
#include "quiz/TextSplit.h"

#include <algorithm>

namespace {

const QString kDbid = QStringLiteral("dbid");
const QString kBid = QStringLiteral("bid");
const QString kRange = QStringLiteral("range");
const QString kQid = QStringLiteral("qid");
const QString kQuiz = QStringLiteral("quiz");
const QString kQuizNames = QStringLiteral("quiz_names");

QString PrintNames(const std::vector<Quiz>& quizzes)
{
    std::vector<QString> names;
    for (const Quiz& quiz : quizzes)
        names.push_back(quiz.ClassName());
    return ClassNames::Format(std::move(names));
}

} // namespace

ModelSerializer::ModelSerializer(Model& model, DataBase& db)
    : m_model(model)
    , m_db(db)
{
}

bool ModelSerializer::Save(const std::function<void()>& alongside)
{
    m_error = {};
    try {
        if (m_db.BeginUser() != 0) {
            m_error = m_db.LastError();
            return false;
        }
        if (WriteAll()) {
            if (alongside)
                alongside();
            if (m_db.CommitUser() == 0)
                return true;
        }
        m_error = m_db.LastError();
    } catch (const std::exception& error) {
        m_error = DatabaseError::From(error);
        qWarning("The selection was not stored: %s", qUtf8Printable(m_error.message));
    }
    m_db.RollbackUser();
    return false;
}

// Stops at the first value that could not be stored, so that the caller
// rolls the whole set back.
bool ModelSerializer::WriteAll()
{
    const NodeSerializer serializer(m_model);
    const std::pair<QString, QString> values[] = {
        {kDbid, m_db.Dbid()},
        {kBid, serializer.to_str(m_model.Storage().CurrentBid())},
        {kRange, serializer.to_str(m_model.CurrentRange())},
        {kQid, serializer.to_str(m_model.SelectedQids())},
        {kQuiz, serializer.to_str(m_model.Quizzes())},
        {kQuizNames, PrintNames(m_model.Quizzes())},
    };
    for (const auto& [name, value] : values) {
        if (m_db.SetUserInfo(name, value) != 0)
            return false;
    }
    return true;
}

int ModelSerializer::Load()
{
    try {
        return Restore();
    } catch (const std::exception& error) {
        // A user database that cannot be read restores nothing more.
        qWarning("The stored selection cannot be read: %s", error.what());
        return 0;
    }
}

NodeStorage::BookChoice ModelSerializer::StoredBook(DataBase& db)
{
    try {
        NodeStorage::BookChoice choice{db.UserInfo(kDbid), 0};
        if (!choice.dbid.isEmpty())
            choice.bid = DecimalText::Scan(db.UserInfo(kBid)).value_or(0);
        return choice;
    } catch (const std::exception& error) {
        qWarning("The stored book cannot be read: %s", error.what());
        return {};
    }
}

int ModelSerializer::Restore()
{
    const NodeSerializer serializer(m_model);
    // The book is switched before its database is compared, as the book id
    // alone still says which book the user worked on last. Where several
    // files hold that bid, the one with the stored database is meant.
    const NodeStorage::BookChoice stored = StoredBook(m_db);
    const QString& dbid = stored.dbid;
    const Book* book = m_model.Storage().Find(stored);
    if (!book || m_model.SelectBook(*book) != 0)
        return 0;
    if (dbid != m_db.Dbid())
        return 0;

    Ranges range;
    serializer.from_str(m_db.UserInfo(kRange), range);
    m_model.SetRange(range);

    const QString qidText = m_db.UserInfo(kQid);
    std::vector<int> qids;
    if (!qidText.isEmpty() && serializer.from_str(qidText, qids))
        m_model.SetQuestions(qids);

    QString quizText = m_db.UserInfo(kQuiz);
    QStringList prints = TextSplit::Split(quizText, u'/');
    const int leftOut = std::max(0, static_cast<int>(prints.size()) - kMaxRestoredPrints);
    if (leftOut > 0)
        quizText = prints.mid(0, kMaxRestoredPrints).join(u'/');
    std::vector<Quiz> quizzes;
    if (quizText.isEmpty())
        m_model.AddQuiz();
    else if (serializer.from_str(quizText, quizzes)) {
        const std::vector<QString> names = ClassNames::Parse(m_db.UserInfo(kQuizNames));
        for (std::size_t i = 0; i < quizzes.size() && i < names.size(); ++i)
            quizzes[i].SetClassName(names[i]);
        m_model.ReplaceQuizzes(std::move(quizzes));
    }
    return leftOut;
}
