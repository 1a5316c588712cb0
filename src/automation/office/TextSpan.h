#pragma once

namespace Office {

// A stretch [start, end) of character positions in a document's main text
// that keeps to its text while the text changes around it, in the manner
// of a Word range: text inserted inside it or at its start widens it, text
// inserted before it moves it, text inserted at its end stays outside, and
// text removed over it shrinks it. An empty span stays in front of text
// inserted at its position.
struct TextSpan {
    int start = 0;
    int end = 0;

    bool IsCollapsed() const { return start == end; }
    int Length() const { return end - start; }

    void Inserted(int position, int count);
    void Removed(int position, int count);
};

} // namespace Office
