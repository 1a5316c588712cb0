#pragma once

#include "model/DatabaseError.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class AttrClass;
class Book;
class CppSQLite3DB;
class Index;
class Keyword;
class Question;
class Sentence;

// The only reader of book databases and the only gateway to the user
// database's Info table. Open and read operations return 0 on success and
// 1 on failure, the reason kept as LastError and written to stderr; nodes
// they make belong to the caller.
class DataBase {
public:
    DataBase();
    DataBase(const DataBase&) = delete;
    DataBase& operator=(const DataBase&) = delete;
    virtual ~DataBase();

    // Opens a book database and reads its "DBID". The previous book
    // connection is replaced only when the new file opened and its "DBID"
    // could be read; after a failure the previous book stays open.
    int OpenBook(const QString& path);
    // Takes over the book connection (with its DBID and path) of `other`,
    // closing this one's. Used to switch books only once the new book has
    // been read completely.
    void TakeBookFrom(DataBase& other) noexcept;
    bool HasBook() const { return m_book != nullptr; }
    // Whether the open book's file was replaced or rewritten since it was
    // opened (another size or modification time). From then on nothing more
    // is read from it, so the content of two books never mixes: sentence
    // reads fail and book Info values read before stay as they were.
    bool BookFileChanged() const;
    QString Dbid() const { return m_dbid; }
    QString BookPath() const;

    // Opens (creating when missing) the user database and its Info table,
    // and keeps one row per name: when another program stored a name twice,
    // the last row stays. A database that can be read but not written (a
    // read-only file or folder) opens read-only: see UserWritable.
    int OpenUser(const QString& path);
    void SetUserEnabled(bool enabled) { m_userEnabled = enabled; }
    bool UserEnabled() const { return m_userEnabled; }
    // False when the open user database can only be read. Its values are
    // read as stored; values set during the run are kept in memory only.
    bool UserWritable() const { return m_userWritable; }

    // Book Info value by name; empty when absent or no book is open.
    // Throws CppSQLite3Exception when the lookup cannot be made.
    QString BookInfo(const QString& name);
    // User Info value by name; empty when absent, when the user database is
    // disabled or not open. Throws CppSQLite3Exception like BookInfo.
    QString UserInfo(const QString& name);
    // UserInfo read as a decimal integer; `def` when empty or not a number.
    int UserInfoInt(const QString& name, int def);
    // Updates the row of `name` or inserts one. 0 when exactly one row
    // changed (or the user database is disabled), else 1. The lookup before
    // the write may throw CppSQLite3Exception.
    int SetUserInfo(const QString& name, const QString& value);
    int SetUserInfoInt(const QString& name, int value);
    // A transaction on the user database, so that several values are
    // stored together or not at all. 0 on success (and, doing nothing, when
    // the user database is disabled), 1 on failure. Rollback never throws.
    // The transaction takes the whole file at once, so the writes and the
    // commit after it never wait: another program's lock makes BeginUser
    // wait once, up to the begin wait, and then fail.
    static constexpr int kDefaultBeginWaitMs = 10000;
    void SetBeginWait(int ms) { m_beginWaitMs = ms; }
    int BeginUser();
    int CommitUser();
    void RollbackUser() noexcept;

    int ReadBooks(std::vector<std::unique_ptr<Book>>& out);
    int ReadIndices(std::vector<std::unique_ptr<Index>>& out);
    int ReadQuestions(std::vector<std::unique_ptr<Question>>& out);
    int ReadKeywords(std::vector<std::unique_ptr<Keyword>>& out);
    // qid 0 reads every sentence of the book.
    int ReadSentences(int qid, std::vector<std::unique_ptr<Sentence>>& out);
    // Null when there is no such sentence or the read failed.
    std::unique_ptr<Sentence> ReadSentence(int sid);
    int ReadAttrClasses(std::vector<std::unique_ptr<AttrClass>>& out);
    int ReadIKRelations(std::vector<std::pair<int, int>>& out);
    // 0 and the interval when `acid` has a row; otherwise 1 and the outputs untouched.
    int ReadAttrRange(int acid, int& min, int& max);

    // Appends the books of every candidate file whose "DBID" begins with
    // "TV", files in the given order, books of a file in bid order. Files
    // that are not book databases are skipped. Always 0.
    static int DiscoverBooks(const QStringList& candidates, std::vector<std::unique_ptr<Book>>& out);

    // Why the last operation that failed failed; empty before any failure.
    const DatabaseError& LastError() const { return m_lastError; }
    // Why the user database could not be opened, or opened only to be read;
    // empty when OpenUser opened it writable.
    const DatabaseError& UserError() const { return m_userError; }

private:
    int RunOnUser(const char* sql) noexcept;
    bool CanWrite(CppSQLite3DB& db, const QString& path) noexcept;
    // Calls `read`; 0, or Failed's 1 when it threw.
    template <typename Read>
    int Guarded(Read&& read);
    // Keeps the reason of a failure and writes it to stderr; returns 1.
    int Failed(const std::exception& error) noexcept;
    int Failed(DatabaseError error) noexcept;

    // The book file as it was opened: size and modification time.
    struct FileStamp {
        qint64 size = -1;
        qint64 modifiedMs = -1;
        bool operator==(const FileStamp&) const = default;
        static FileStamp Of(const QString& path);
    };

    std::unique_ptr<CppSQLite3DB> m_book;
    FileStamp m_bookStamp;
    mutable bool m_bookChanged = false;
    // Book Info values already read, by name.
    std::map<std::string, QString> m_bookInfo;
    std::unique_ptr<CppSQLite3DB> m_user;
    QString m_dbid;
    std::string m_bookPathUtf8;
    bool m_userEnabled = true;
    bool m_userWritable = false;
    int m_beginWaitMs = kDefaultBeginWaitMs;
    // Values set while the user database is read-only, by name.
    std::map<std::string, QString> m_unsaved;
    DatabaseError m_lastError;
    DatabaseError m_userError;
};
