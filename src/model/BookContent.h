#pragma once

#include "model/AttrClass.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/NodePool.h"
#include "model/Question.h"
#include "model/Sentence.h"

#include <set>
#include <utility>
#include <vector>

class DataBase;

// Everything NodeStorage holds of one book. A book switch reads the new book
// into a fresh BookContent and swaps it in only when every part was read.
class BookContent {
public:
    // Reads index entries, questions, keywords, attribute classes and
    // index–keyword relations from the open book of `db`, in this order;
    // false at the first failure. Sentences come later, on demand.
    bool Load(DataBase& db, int bookId);

    int bid = 0;
    Index* root = nullptr;
    NodePool<int, Index> indices;
    NodePool<int, Question> questions; // listed in sort_key order
    NodePool<int, Keyword> keywords;   // listed in the order of the keyword view
    NodePool<int, AttrClass> attrClasses;
    NodePool<int, Sentence> sentences;
    std::vector<Sentence*> loadedSentences; // sort_key order after every per-question load
    std::set<int> loadedQids;
    std::vector<std::pair<int, int>> relations; // (iid, kid), for IKRelations

private:
    bool LoadIndices(DataBase& db);
    bool LinkIndexTree();
};
