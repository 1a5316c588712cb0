#include "automation/office/TextSpan.h"

#include <algorithm>

namespace Office {

void TextSpan::Inserted(int position, int count)
{
    if (count <= 0)
        return;
    // A boundary at the insertion point stays where it is: the new text
    // follows the start of a span and does not join it at its end.
    if (start > position)
        start += count;
    if (end > position)
        end += count;
}

void TextSpan::Removed(int position, int count)
{
    if (count <= 0)
        return;
    const auto shift = [position, count](int p) {
        if (p <= position)
            return p;
        return std::max(position, p - count);
    };
    start = shift(start);
    end = shift(end);
}

} // namespace Office
