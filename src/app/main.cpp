// Temporary entry point until the main window exists: lists every bundled
// book with its type and the size of its content.
#include "app/Path.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

int SentenceCount(NodeStorage& storage)
{
    int count = 0;
    std::vector<Sentence*> sentences;
    for (const Question* question : storage.Questions())
        count += storage.SentencesOf(question->qid, sentences);
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const Path path;
    QStringList files;
    if (path.BookFiles(files) == 0) {
        out << "No book database in " << path.ProgramFolder() << "/data\n";
        return 1;
    }
    DataBase db;
    NodeStorage storage(db);
    if (!storage.LoadBooks(files)) {
        out << "No book could be loaded\n";
        return 1;
    }
    std::vector<int> bids;
    for (const Book* book : storage.Books())
        bids.push_back(book->bid);
    for (int bid : bids) {
        if (!storage.SelectBook(bid)) {
            out << "Book " << bid << ": cannot be loaded\n";
            continue;
        }
        out << storage.CurrentBook()->title << "  Product " << db.BookInfo(QStringLiteral("Product"))
            << "  indices " << storage.IndexPool().Size() << "  questions " << storage.Questions().size()
            << "  keywords " << storage.Keywords().size() << "  sentences " << SentenceCount(storage) << '\n';
    }
    return 0;
}
