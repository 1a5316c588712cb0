#pragma once
// The set of font family names installed on this system. Filled once, on
// the first Load(); later calls do nothing, so a font installed while the
// program runs is seen only at the next start. Used on one thread only.
#include <QString>
#include <QStringList>
#include <functional>
#include <set>

class InstalledFonts {
public:
    using FamilySource = std::function<QStringList()>;

    // The source is asked for the family names on the first Load(); by
    // default it is the system's font configuration.
    explicit InstalledFonts(FamilySource source = &InstalledFonts::SystemFamilies);

    // The process-wide set that print output consults.
    static InstalledFonts& Shared();

    // Every family name fontconfig knows, localised names included.
    static QStringList SystemFamilies();

    void Load();
    bool IsLoaded() const { return loaded_; }
    // Exact, case-sensitive match. Callers Load() first.
    bool IsFontInstalled(QStringView face) const;
    int Count() const { return static_cast<int>(faces_.size()); }
    // Empties the set; the next Load() asks the source again.
    void Clear();

private:
    FamilySource source_;
    std::set<QString, std::less<>> faces_;
    bool loaded_ = false;
};
