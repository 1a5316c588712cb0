#include "markup/DisplayRun.h"

#include "markup/DecodeGaijiCode.h"
#include "markup/GaijiTag.h"

#include <algorithm>

namespace {

// Unlike the plain-text conversion, the screen takes a tag only when it is
// complete: four hexadecimal digits and the closing ">".
bool IsWellFormedGaijiTag(QStringView tag)
{
    if (tag.size() < GaijiTag::Length || tag[GaijiTag::Length - 1] != u'>')
        return false;
    const QStringView code = tag.mid(GaijiTag::Open.size(), GaijiTag::CodeLength);
    return std::all_of(code.begin(), code.end(), [](QChar c) { return GaijiTag::HexDigitValue(c) >= 0; });
}

} // namespace

std::vector<DisplayRun> SplitDisplayRuns(const QString& text)
{
    std::vector<DisplayRun> runs;
    const QStringView view(text);
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype tag = text.indexOf(GaijiTag::Open, pos);
        if (tag < 0) {
            runs.push_back({view.mid(pos).toString(), false});
            break;
        }
        if (tag > pos) {
            runs.push_back({view.mid(pos, tag - pos).toString(), false});
            pos = tag;
            continue;
        }
        if (IsWellFormedGaijiTag(view.mid(pos))) {
            const QStringView code = view.mid(pos + GaijiTag::Open.size(), GaijiTag::CodeLength);
            runs.push_back({DecodeGaijiCode(code), true});
            pos += GaijiTag::Length;
        } else {
            runs.push_back({QStringLiteral("<"), false});
            pos += 1;
        }
    }
    return runs;
}
