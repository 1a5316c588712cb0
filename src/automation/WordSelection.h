#pragma once

#include "automation/Variant.h"
#include "automation/WordFind.h"
#include "automation/WordFont.h"
#include "automation/WordParagraphFormat.h"

#include <QString>

namespace Word {

// Word's Selection object (Application.Selection): the insertion point of
// the active document. Members: TypeText, TypeParagraph, InsertBreak,
// Paste, HomeKey, Orientation, Font, ParagraphFormat, Find.
class Selection : public Automation::Object {
public:
    static constexpr char Iid[] = "{00020975-0000-0000-C000-000000000046}";

    // Selection.TypeText: types `text` at the insertion point; "\r" ends a
    // paragraph, "\v" (U+000B) is a line break within the paragraph.
    virtual void TypeText(const QString& text) = 0;
    // Selection.TypeParagraph: ends the paragraph.
    virtual void TypeParagraph() = 0;
    // Selection.InsertBreak(Type): WdBreakType; omitted means wdPageBreak.
    virtual void InsertBreak(const Automation::Variant& type = Automation::Variant::Missing()) = 0;
    // Selection.Paste: inserts what Range.Copy copied, with its formatting.
    virtual void Paste() = 0;
    // Selection.HomeKey(Unit, Extend): wdStory moves to the document start.
    // Returns the number of characters moved over.
    virtual int HomeKey(const Automation::Variant& unit = Automation::Variant::Missing(),
        const Automation::Variant& extend = Automation::Variant::Missing())
        = 0;
    // Selection.Orientation: the WdTextOrientation at the selection
    // (wdTextOrientationVerticalFarEast or wdTextOrientationVertical for
    // vertical writing).
    virtual int GetOrientation() = 0;

    virtual std::shared_ptr<_Font> GetFont() = 0;
    virtual std::shared_ptr<_ParagraphFormat> GetParagraphFormat() = 0;
    virtual std::shared_ptr<Find> GetFind() = 0;
};

} // namespace Word
