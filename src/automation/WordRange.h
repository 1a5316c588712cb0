#pragma once

#include "automation/Variant.h"

#include <QString>

namespace Word {

// Word's Range object: a stretch of the main text between two character
// positions. Positions count characters from the start of the document;
// every paragraph mark counts as one character ("\r" in Text), a line
// break as one ("\v"). A range keeps to its text while the document
// changes around it. Members: Start, End, Text (get), Select, Copy,
// Delete, HorizontalInVertical (WdHorizontalInVerticalType).
class Range : public Automation::Object {
public:
    static constexpr char Iid[] = "{0002095E-0000-0000-C000-000000000046}";

    virtual int GetStart() = 0;
    virtual void PutStart(int start) = 0;
    virtual int GetEnd() = 0;
    virtual void PutEnd(int end) = 0;
    virtual QString GetText() = 0;

    // Range.Select: the selection becomes this range.
    virtual void Select() = 0;
    // Range.Copy: the range with its formatting becomes what Selection.Paste inserts.
    virtual void Copy() = 0;
    // Range.Delete(Unit, Count): with both omitted, deletes the range's
    // text; returns the number of characters deleted.
    virtual int Delete(const Automation::Variant& unit = Automation::Variant::Missing(),
        const Automation::Variant& count = Automation::Variant::Missing())
        = 0;

    virtual int GetHorizontalInVertical() = 0;
    virtual void PutHorizontalInVertical(int type) = 0;
};

} // namespace Word
