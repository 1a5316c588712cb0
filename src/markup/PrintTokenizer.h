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

// The kind of one tag's content and the text it shows: a view into the
// content, or a text made in `made` (an external character) when that is
// not null.
int ParseTagRun(QStringView content, InstalledFonts& fonts, QStringView& shown, QString& made);

// The commands ParseText gives, handed one by one to `run(kind, text)`
// without making a list or copying their texts (for writers that append
// each run straight to their output).
template <typename Run>
void ForEachRun(QStringView text, InstalledFonts& fonts, Run run)
{
    qsizetype textStart = 0; // start of the ordinary characters not yet handed on
    const auto ordinary = [&](qsizetype end) {
        if (end > textStart)
            run(Text, text.mid(textStart, end - textStart));
    };
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar c = text[pos];
        if (c == u'<') {
            ordinary(pos);
            const qsizetype close = text.indexOf(u'>', pos + 1);
            const QStringView content = close < 0 ? text.mid(pos + 1) : text.mid(pos + 1, close - pos - 1);
            QStringView shown;
            QString made;
            const int kind = ParseTagRun(content, fonts, shown, made);
            run(kind, made.isNull() ? shown : QStringView(made));
            if (close < 0)
                return;
            pos = textStart = close + 1;
        } else if (c == u'@' || c == u'＠') {
            ordinary(pos);
            run(LineBreak, QStringView());
            pos = textStart = pos + 1;
        } else {
            ++pos;
        }
    }
    ordinary(text.size());
}

} // namespace Print
