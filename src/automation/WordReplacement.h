#pragma once

#include "automation/Object.h"

#include <QString>

namespace Word {

// Word's Replacement object (Find.Replacement): the replacement of a
// search. Members: ClearFormatting, Text.
class Replacement : public Automation::Object {
public:
    static constexpr char Iid[] = "{000209B1-0000-0000-C000-000000000046}";

    virtual void ClearFormatting() = 0;            // Replacement.ClearFormatting
    virtual QString GetText() = 0;                 // Replacement.Text (get)
    virtual void PutText(const QString& text) = 0; // Replacement.Text (put)
};

} // namespace Word
