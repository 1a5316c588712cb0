#pragma once

#include "model/Node.h"

#include <QString>

#include <memory>
#include <tuple>

// One attribute value of a keyword or a sentence: an integer or a text,
// identified by its owner's id, its attribute class and its position among
// the owner's values of that class.
template <typename T>
class Attr : public Node {
public:
    struct Key {
        int owner = 0;
        int acid = 0;
        int seq = 0;

        friend bool operator<(const Key& a, const Key& b)
        {
            return std::tie(a.owner, a.acid, a.seq) < std::tie(b.owner, b.acid, b.seq);
        }
        friend bool operator==(const Key& a, const Key& b)
        {
            return std::tie(a.owner, a.acid, a.seq) == std::tie(b.owner, b.acid, b.seq);
        }
    };

    static std::unique_ptr<Attr> MakeInt(int owner, int acid, int seq, T value)
    {
        std::unique_ptr<Attr> attr(new Attr(owner, acid, seq));
        attr->intValue = value;
        return attr;
    }
    static std::unique_ptr<Attr> MakeText(int owner, int acid, int seq, const QString& value)
    {
        std::unique_ptr<Attr> attr(new Attr(owner, acid, seq));
        attr->textValue = value;
        attr->isText = true;
        return attr;
    }

    Key GetKey() const { return Key{owner, acid, seq}; }

    int owner = 0; // kid of a keyword attribute, sid of a sentence attribute
    int acid = 0;
    int seq = 0;
    T intValue{};      // zero for a text attribute
    QString textValue; // empty for an integer attribute
    bool isText = false;

private:
    Attr(int ownerId, int classId, int position)
        : owner(ownerId)
        , acid(classId)
        , seq(position)
    {
    }
};
