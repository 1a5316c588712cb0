// Feeds arbitrary text to every consumer of content markup: the plain text
// of lists, the display runs of owner-drawn lists and the print tokeniser,
// with the external-character font installed and missing.
#include "FuzzInput.h"

#include "markup/DisplayRun.h"
#include "markup/PrintTokenizer.h"
#include "markup/TagStripper.h"

namespace {

void CheckDisplayRuns(const QString& text)
{
    // Every character is drawn as text or belongs to one eight-character tag.
    qsizetype covered = 0;
    for (const DisplayRun& run : SplitDisplayRuns(text)) {
        Fuzz::Check(run.external || !run.text.isEmpty());
        covered += run.external ? 8 : run.text.size();
    }
    Fuzz::Check(covered == text.size());
}

void CheckPrintCommands(const QString& text, InstalledFonts& fonts)
{
    const std::vector<Print::Cmd> cmds = Print::ParseText(text, fonts);
    Fuzz::Check(text.isEmpty() == cmds.empty());
    const bool plain = !text.contains(u'<') && !text.contains(u'@') && !text.contains(u'＠');
    if (plain && !text.isEmpty())
        Fuzz::Check(cmds.size() == 1 && cmds[0].kind == Print::Text && cmds[0].text == text);
    for (const Print::Cmd& cmd : cmds) {
        Fuzz::Check(cmd.kind >= Print::LineBreak && cmd.kind <= Print::ExternalChar);
        Fuzz::Check(cmd.kind != Print::LineBreak || cmd.text.isEmpty());
        Fuzz::Check(cmd.text.size() <= text.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static InstalledFonts withGaijiFont([] { return QStringList{QStringLiteral("Morvane Gaiji")}; });
    static InstalledFonts withoutGaijiFont([] { return QStringList(); });
    static const TagStripper stripper;

    for (const QString& text : Fuzz::TextsOf(data, size)) {
        const QString plain = stripper.Strip(text);
        Fuzz::Check(!plain.contains(u'<') && !plain.contains(u'>'));
        CheckDisplayRuns(text);
        CheckPrintCommands(text, withGaijiFont);
        CheckPrintCommands(text, withoutGaijiFont);
    }
    return 0;
}
