#pragma once
// Walks a table of contents in table order (pre-order: an entry, then its
// children's subtrees in order) with a stack of its own, so that any depth
// a book may have is walked without running out of the thread's stack.
#include "model/Index.h"

#include <vector>

template <typename Visit>
void ForEachInTableOrder(const Index* root, Visit&& visit)
{
    std::vector<const Index*> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        const Index* entry = pending.back();
        pending.pop_back();
        visit(*entry);
        for (auto child = entry->children.rbegin(); child != entry->children.rend(); ++child) {
            if (*child)
                pending.push_back(*child);
        }
    }
}
