#pragma once

#include "model/Node.h"

#include <QString>

#include <vector>

// One entry of a book's table of contents (a row of Indices), linked into
// the tree of entries.
class Index : public Node {
public:
    int iid = 0;
    int bid = 0;
    int parent_iid = 0;
    int page = 0;
    int sort_key = 0;
    bool enable = false; // an entry that is off is listed but cannot be chosen
    QString title;

    Index* parent = nullptr;      // null for the root
    std::vector<Index*> children; // in sort_key order
};
