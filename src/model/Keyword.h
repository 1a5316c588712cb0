#pragma once

#include "model/AttrPool.h"
#include "model/Node.h"

#include <QString>

// One keyword of the vocabulary with its attributes.
class Keyword : public Node {
public:
    int kid = 0;
    QString word;
    int sort_key = 0;
    bool enable = false;
    AttrPool attrs;

    // The value of attribute class `acid` at position `seq`, or null.
    const Attr<int>* Attribute(int acid, int seq = 0) const { return attrs.Value(kid, acid, seq); }
};
