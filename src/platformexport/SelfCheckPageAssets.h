#pragma once

// The style sheet and the script of the self-check page.
namespace SelfCheckPageAssets {

extern const char* const Style;
// Reads the accepted answers and texts from the page's JSON block
// (id "tv-data") and wires up the buttons of every print section.
extern const char* const Script;

} // namespace SelfCheckPageAssets
