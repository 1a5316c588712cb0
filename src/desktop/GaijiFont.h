#pragma once

#include <QString>

// The external-character font "Morvane Gaiji" that ships beside the program
// (fonts/MorvaneGaiji.otf). Installing it for the run makes it known to the
// program's lists (Qt), to the installed-font check (fontconfig) and to the
// office the program starts (a fontconfig file of the program's own, named
// by FONTCONFIG_FILE in the environment the office inherits).
//
// A font file that is missing or cannot be read leaves everything as it
// was: lists and prints then use the ordinary characters the external
// characters stand for.
class GaijiFont {
public:
    // The font file below a program folder.
    static QString FileIn(const QString& programFolder);

    // Installs the font of `programFolder` for this run; false when there
    // is none or it cannot be read. Call before the installed-font set is
    // loaded and before the office starts.
    static bool Install(const QString& programFolder);

    // The same for a run without a window (no Qt font database): only the
    // installed-font check and the office learn of the font, which is all
    // that prints need.
    static bool InstallForPrinting(const QString& programFolder);

    // The fontconfig file for the office: the configuration it would read
    // anyway (`baseConfig`), plus the folder of the font.
    static QString OfficeFontConfig(const QString& baseConfig, const QString& fontFolder);
};
