#include "markup/InstalledFonts.h"

#include <fontconfig/fontconfig.h>

#include <memory>

InstalledFonts::InstalledFonts(FamilySource source)
    : source_(std::move(source))
{
}

InstalledFonts& InstalledFonts::Shared()
{
    static InstalledFonts shared;
    return shared;
}

QStringList InstalledFonts::SystemFamilies()
{
    QStringList families;
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(), &FcPatternDestroy);
    std::unique_ptr<FcObjectSet, decltype(&FcObjectSetDestroy)> objects(
        FcObjectSetBuild(FC_FAMILY, nullptr), &FcObjectSetDestroy);
    if (!pattern || !objects)
        return families;
    std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> fonts(
        FcFontList(nullptr, pattern.get(), objects.get()), &FcFontSetDestroy);
    if (!fonts)
        return families;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        // A font may carry several family names (e.g. an English and a
        // Japanese one); each is a name under which the font can be chosen.
        for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &family) == FcResultMatch; ++n)
            families.append(QString::fromUtf8(reinterpret_cast<const char*>(family)));
    }
    return families;
}

void InstalledFonts::Load()
{
    if (loaded_)
        return;
    faces_.clear();
    if (source_) {
        for (const QString& face : source_())
            faces_.insert(face);
    }
    loaded_ = true;
}

bool InstalledFonts::IsFontInstalled(QStringView face) const
{
    return faces_.find(face) != faces_.end();
}

void InstalledFonts::Clear()
{
    faces_.clear();
    loaded_ = false;
}
