#include "model/BookContent.h"

#include "model/DataBase.h"

namespace {

// Moves freshly read nodes into `pool`, keyed by `key`.
template <typename T, typename Key>
void AddAll(NodePool<int, T>& pool, std::vector<std::unique_ptr<T>>& nodes, Key key)
{
    for (auto& node : nodes) {
        const int id = (*node).*key;
        pool.Add(id, std::move(node));
    }
    nodes.clear();
}

template <typename T, typename Key, typename Read>
bool LoadPool(NodePool<int, T>& pool, Key key, Read read)
{
    std::vector<std::unique_ptr<T>> nodes;
    if (read(nodes) != 0)
        return false;
    pool.Clear();
    AddAll(pool, nodes, key);
    return true;
}

} // namespace

bool BookContent::Load(DataBase& db, int bookId)
{
    bid = bookId;
    return LoadIndices(db) && LoadPool(questions, &Question::qid, [&](auto& out) { return db.ReadQuestions(out); })
        && LoadPool(keywords, &Keyword::kid, [&](auto& out) { return db.ReadKeywords(out); })
        && LoadPool(attrClasses, &AttrClass::acid, [&](auto& out) { return db.ReadAttrClasses(out); })
        && db.ReadIKRelations(relations) == 0;
}

bool BookContent::LoadIndices(DataBase& db)
{
    root = nullptr;
    if (!LoadPool(indices, &Index::iid, [&](auto& out) { return db.ReadIndices(out); }))
        return false;
    return !indices.Empty() && LinkIndexTree();
}

// The rows come in depth-first pre-order: each entry's parent is the entry
// before it or one of that entry's ancestors. An entry whose parent is not on
// that chain makes the table of contents unusable.
bool BookContent::LinkIndexTree()
{
    const auto& list = indices.List();
    root = list.front();
    Index* cursor = root;
    for (std::size_t i = 1; i < list.size(); ++i) {
        Index* entry = list[i];
        while (cursor && cursor->iid != entry->parent_iid)
            cursor = cursor->parent;
        if (!cursor) {
            root = nullptr;
            return false;
        }
        cursor->children.push_back(entry);
        entry->parent = cursor;
        cursor = entry;
    }
    return true;
}
