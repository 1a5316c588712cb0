#pragma once

#include <QString>

#include <vector>

namespace Office {

// The settings the program's own office profile holds, whatever the office
// stored there before: its interface in Japanese, so that the document a
// teacher is left with has Japanese menus. They go into the profile's user
// configuration (user/registrymodifications.xcu) before the office starts,
// which reads it then; the office's other settings there are kept.
class OfficeProfile {
public:
    // One configuration property: its node, its name and its value.
    struct Setting {
        QString path; // "/org.openoffice.Office.Linguistic/General"
        QString name; // "UILocale"
        QString value;
    };

    // The settings of the program's profile.
    static const std::vector<Setting>& ProgramSettings();

    // Writes `settings` into the profile in `profileDir` (made when
    // missing), each replacing an earlier value of its property. The file is
    // left as it is when it holds them already. False, with the reason in
    // `error`, when it cannot be written.
    static bool Apply(const QString& profileDir, const std::vector<Setting>& settings, QString* error);
};

} // namespace Office
