#pragma once
// Keeps the user's working state across runs in the user database: which
// book of which book database was open, the range, the selected question
// formats and every print with its sentences.
#include "model/DatabaseError.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"

#include <QString>

#include <functional>

class DataBase;

class ModelSerializer {
public:
    ModelSerializer(Model& model, DataBase& db);
    virtual ~ModelSerializer() = default;

    // Writes "dbid", "bid", "range", "qid", "quiz" and "quiz_names" (the
    // prints' class names, in print order), and whatever
    // `alongside` writes, in one transaction: either all are stored or, on a
    // failure, none is changed. Another program's lock on the file is
    // waited for once. Whether they were stored (true also when the user
    // database is disabled).
    bool Save(const std::function<void()>& alongside = {});
    // Why the last Save failed; empty after one that succeeded.
    const DatabaseError& Error() const { return m_error; }
    // Restores what Save stored, as far as the current book databases
    // allow: nothing without a stored book; only the book when the stored
    // book database identifier differs from the open one. At most
    // kMaxRestoredPrints prints come back (a class needs ten at most; more
    // were added by hand or by another program, and each costs start-up
    // time and a tab). Returns how many stored prints were left out.
    static constexpr int kMaxRestoredPrints = Model::kMaxPrints;
    int Load();
    // The book that Load will switch to: the stored book database
    // identifier and book id (bid 0 when none is stored or the user
    // database cannot be read). Start-up opens this book first.
    static NodeStorage::BookChoice StoredBook(DataBase& db);

private:
    int Restore();
    bool WriteAll();

    Model& m_model;
    DataBase& m_db;
    DatabaseError m_error;
};
