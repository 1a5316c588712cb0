#pragma once

#include "automation/Object.h"

#include <QString>

namespace Word {

// Word's Font object (Selection.Font): the character formatting of the
// selection, which text typed next takes on. Members: Underline
// (WdUnderline), Subscript (1 on, 0 off), Name (the face name; reading
// gives the Japanese face, writing sets the Japanese and the Western face).
class _Font : public Automation::Object {
public:
    static constexpr char Iid[] = "{00020952-0000-0000-C000-000000000046}";

    virtual int GetUnderline() = 0;
    virtual void PutUnderline(int underline) = 0;
    virtual int GetSubscript() = 0;
    virtual void PutSubscript(int subscript) = 0;
    virtual QString GetName() = 0;
    virtual void PutName(const QString& name) = 0;
};

} // namespace Word
