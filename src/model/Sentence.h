#pragma once

#include "model/AttrPool.h"
#include "model/Node.h"

#include <QString>

class Keyword;

// One example sentence (a sub-question) with its attributes.
class Sentence : public Node {
public:
    int sid = 0;
    int kid = 0; // the keyword the sentence drills
    int qid = 0; // the question format it belongs to
    int sort_key = 0;
    QString sentence; // the question text
    QString answer;
    Keyword* keyword = nullptr; // the keyword node of `kid`, when the book has it
    AttrPool attrs;

    // The value of attribute class `acid` at position `seq`, or null.
    const Attr<int>* Attribute(int acid, int seq = 0) const { return attrs.Value(sid, acid, seq); }
};
