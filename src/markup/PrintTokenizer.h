#pragma once
// Turns the markup of one content text into print commands:
//   ordinary characters      -> Text (runs between marks kept together)
//   "@" or "＠"              -> LineBreak
//   "<G=code>"               -> ExternalChar with the code-position character
//                               when the external-character font is installed,
//                               else Text with the ordinary character
//   "<S=text>"               -> SubscriptText
//   "<A=...>"                -> Text "@"
//   "<L=text>"               -> UnderlinedText with the text after "L="
//   any other "<content>"    -> UnderlinedText with the content
// Tags do not nest: the first ">" closes a tag, and a tag without one takes
// the rest of the text. A ">" outside a tag is ordinary text.
#include "markup/InstalledFonts.h"
#include "markup/Cmd.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace Print {

// The fonts decide how external characters are written; the set is loaded
// on first use.
std::vector<Cmd> ParseText(QStringView text, InstalledFonts& fonts = InstalledFonts::Shared());

// One command for the content of one tag (what stands between "<" and ">").
Cmd ParseTag(QStringView content, InstalledFonts& fonts = InstalledFonts::Shared());

} // namespace Print
