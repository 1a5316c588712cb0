#pragma once

#include "automation/Variant.h"
#include "automation/WordRange.h"

namespace Word {

// Word's Document object. Member: Range(Start, End): the range between two
// character positions; with both omitted, the whole main text (End then
// counts the final paragraph mark). SaveAs2(FileName, FileFormat): writes
// the document to a file in a WdSaveFormat; the document itself stays
// untitled (an export, not a change of its file). SetCaption(text):
// ActiveWindow.Caption, the title bar of the document's window in place of
// the name an unsaved document gets ("Untitled 1"); a document without a
// window ignores it.
class _Document : public Automation::Object {
public:
    static constexpr char Iid[] = "{0002096B-0000-0000-C000-000000000046}";

    virtual std::shared_ptr<Word::Range> Range(const Automation::Variant& start = Automation::Variant::Missing(),
        const Automation::Variant& end = Automation::Variant::Missing())
        = 0;
    virtual void SaveAs2(const Automation::Variant& fileName, const Automation::Variant& fileFormat) = 0;
    virtual void SetCaption(const QString& caption) { (void)caption; }
};

} // namespace Word
