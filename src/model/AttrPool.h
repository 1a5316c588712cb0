#pragma once

#include "model/Attr.h"
#include "model/NodePool.h"

#include <memory>
#include <utility>

// The attribute values of one keyword or sentence.
class AttrPool : public NodePool<Attr<int>::Key, Attr<int>> {
public:
    using NodePool::Add;

    // Adds under the attribute's own key.
    Attr<int>* Add(std::unique_ptr<Attr<int>> attr)
    {
        const auto key = attr->GetKey();
        return NodePool::Add(key, std::move(attr));
    }

    // The value of class `acid` at position `seq` of owner `owner`; null when absent.
    const Attr<int>* Value(int owner, int acid, int seq) const { return Find(Attr<int>::Key{owner, acid, seq}); }
};
