#pragma once

#include "automation/Variant.h"
#include "automation/WordReplacement.h"

#include <QString>

namespace Word {

// Word's Find object (Selection.Find): search and replace starting from
// the selection. Members: ClearFormatting, Text, Forward, Wrap (WdFindWrap),
// MatchCase, MatchByte (false: full- and half-width forms match each other),
// MatchAllWordForms, MatchSoundsLike, MatchWildcards, Replacement, Execute.
class Find : public Automation::Object {
public:
    static constexpr char Iid[] = "{000209B0-0000-0000-C000-000000000046}";

    virtual void ClearFormatting() = 0;
    virtual QString GetText() = 0;
    virtual void PutText(const QString& text) = 0;
    virtual bool GetForward() = 0;
    virtual void PutForward(bool forward) = 0;
    virtual int GetWrap() = 0;
    virtual void PutWrap(int wrap) = 0;
    virtual bool GetMatchCase() = 0;
    virtual void PutMatchCase(bool match) = 0;
    virtual bool GetMatchByte() = 0;
    virtual void PutMatchByte(bool match) = 0;
    virtual bool GetMatchAllWordForms() = 0;
    virtual void PutMatchAllWordForms(bool match) = 0;
    virtual bool GetMatchSoundsLike() = 0;
    virtual void PutMatchSoundsLike(bool match) = 0;
    virtual bool GetMatchWildcards() = 0;
    virtual void PutMatchWildcards(bool match) = 0;
    virtual std::shared_ptr<Replacement> GetReplacement() = 0;

    // Find.Execute(FindText, MatchCase, MatchWholeWord, MatchWildcards,
    // MatchSoundsLike, MatchAllWordForms, Forward, Wrap, Format, ReplaceWith,
    // Replace): arguments given override the object's settings for this
    // call; Replace is a WdReplace. Returns whether anything was found.
    virtual bool Execute(const Automation::Variant& findText = Automation::Variant::Missing(),
        const Automation::Variant& matchCase = Automation::Variant::Missing(),
        const Automation::Variant& matchWholeWord = Automation::Variant::Missing(),
        const Automation::Variant& matchWildcards = Automation::Variant::Missing(),
        const Automation::Variant& matchSoundsLike = Automation::Variant::Missing(),
        const Automation::Variant& matchAllWordForms = Automation::Variant::Missing(),
        const Automation::Variant& forward = Automation::Variant::Missing(),
        const Automation::Variant& wrap = Automation::Variant::Missing(),
        const Automation::Variant& format = Automation::Variant::Missing(),
        const Automation::Variant& replaceWith = Automation::Variant::Missing(),
        const Automation::Variant& replace = Automation::Variant::Missing())
        = 0;
};

} // namespace Word
