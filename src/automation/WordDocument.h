#pragma once

#include "automation/Variant.h"
#include "automation/WordRange.h"

namespace Word {

// Word's Document object. Member: Range(Start, End): the range between two
// character positions; with both omitted, the whole main text (End then
// counts the final paragraph mark).
class _Document : public Automation::Object {
public:
    static constexpr char Iid[] = "{0002096B-0000-0000-C000-000000000046}";

    virtual std::shared_ptr<Word::Range> Range(const Automation::Variant& start = Automation::Variant::Missing(),
                                               const Automation::Variant& end = Automation::Variant::Missing()) = 0;
};

} // namespace Word
