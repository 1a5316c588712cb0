#include "ui/GaijiCellLayout.h"

#include "markup/DisplayRun.h"
#include "markup/GaijiFace.h"
#include "markup/GaijiMapper.h"
#include "markup/InstalledFonts.h"

#include <QFontInfo>
#include <QStringList>

namespace {

// The external-character font is this much larger than the list's font.
constexpr double ExternalScale = 1.2;

} // namespace

GaijiCellLayout::GaijiCellLayout(const QFont& plainFont, const QFont& externalFont, bool externalFontAvailable)
    : plain_(plainFont)
    , external_(externalFont)
    , externalAvailable_(externalFontAvailable)
{
}

bool GaijiCellLayout::ExternalFontInstalled()
{
    InstalledFonts& fonts = InstalledFonts::Shared();
    fonts.Load();
    return fonts.IsFontInstalled(GaijiFaceName);
}

QFont GaijiCellLayout::ExternalFontFor(const QFont& listFont)
{
    QFont font(listFont);
    font.setFamilies(QStringList{GaijiFaceName.toString()});
    font.setPixelSize(qMax(1, static_cast<int>(QFontInfo(listFont).pixelSize() * ExternalScale)));
    return font;
}

int GaijiCellLayout::Place(const QString& text, int start, int width, std::vector<PlacedRun>* placed) const
{
    int x = start;
    const GaijiMapper mapper;
    for (DisplayRun run : SplitDisplayRuns(text)) {
        if (run.external && !externalAvailable_)
            run = {mapper.Map(run.text), false};
        if (run.external) {
            const int advance = 1 + static_cast<int>(external_.horizontalAdvance(run.text) / ExternalScale);
            if (placed)
                placed->push_back({run.text, true, x, advance});
            x += advance;
            continue;
        }
        const int remaining = qMax(0, width - x);
        const int full = plain_.horizontalAdvance(run.text);
        const int advance = qMin(full, remaining);
        if (placed) {
            // A run that fits is drawn whole: eliding it to exactly its own
            // width may cut it, as the elision measures more finely.
            QString shown;
            if (full <= remaining)
                shown = run.text;
            else if (remaining > 0)
                shown = plain_.elidedText(run.text, Qt::ElideRight, remaining);
            placed->push_back({shown, false, x, advance});
        }
        x += advance;
    }
    return x;
}

std::vector<GaijiCellLayout::PlacedRun> GaijiCellLayout::Layout(
    const QString& text, int width, Qt::Alignment alignment) const
{
    const int textWidth = Place(text, 0, width, nullptr);
    int start = 0;
    if (width > textWidth) {
        if (alignment & Qt::AlignRight)
            start = width - textWidth;
        else if (alignment & Qt::AlignHCenter)
            start = (width - textWidth) / 2;
    }
    std::vector<PlacedRun> placed;
    Place(text, start, width, &placed);
    return placed;
}

QString GaijiCellLayout::DisplayText(const QString& text)
{
    const GaijiMapper mapper;
    QString shown;
    for (const DisplayRun& run : SplitDisplayRuns(text))
        shown += run.external ? mapper.Map(run.text) : run.text;
    return shown;
}
