#include "automation/office/OfficeProfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace Office {

namespace {

const QString kItemsEnd = QStringLiteral("</oor:items>");

// A new user configuration, as the office writes it.
QString EmptyConfiguration()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                          "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                          "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n")
        + kItemsEnd + QLatin1Char('\n');
}

// The start of the item line that sets the property (the office writes one
// item a line).
QString ItemStart(const OfficeProfile::Setting& setting)
{
    return QStringLiteral("<item oor:path=\"%1\"><prop oor:name=\"%2\"")
        .arg(setting.path.toHtmlEscaped(), setting.name.toHtmlEscaped());
}

QString Item(const OfficeProfile::Setting& setting)
{
    return ItemStart(setting)
        + QStringLiteral(" oor:op=\"fuse\"><value>%1</value></prop></item>").arg(setting.value.toHtmlEscaped());
}

} // namespace

const std::vector<OfficeProfile::Setting>& OfficeProfile::ProgramSettings()
{
    static const std::vector<Setting> settings = {
        {QStringLiteral("/org.openoffice.Office.Linguistic/General"), QStringLiteral("UILocale"), QStringLiteral("ja")},
    };
    return settings;
}

bool OfficeProfile::Apply(const QString& profileDir, const std::vector<Setting>& settings, QString* error)
{
    const QString folder = profileDir + QStringLiteral("/user");
    const QString path = folder + QStringLiteral("/registrymodifications.xcu");
    QString text;
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(file.readAll());
    // A file the office could not read either starts over.
    if (!text.contains(kItemsEnd))
        text = EmptyConfiguration();
    const auto closing = [](const QString& line) { return line.trimmed().startsWith(kItemsEnd); };
    QStringList lines = text.split(QLatin1Char('\n'));
    if (std::none_of(lines.cbegin(), lines.cend(), closing))
        lines = EmptyConfiguration().split(QLatin1Char('\n'));
    bool changed = false;
    for (const Setting& setting : settings) {
        const QString item = Item(setting);
        const QString start = ItemStart(setting);
        const auto same = [&](const QString& line) { return line.trimmed().startsWith(start); };
        if (lines.count(item) == 1 && std::count_if(lines.cbegin(), lines.cend(), same) == 1)
            continue;
        lines.removeIf(same);
        lines.insert(std::find_if(lines.begin(), lines.end(), closing), item);
        changed = true;
    }
    if (!changed && QFile::exists(path))
        return true;
    QSaveFile file(path);
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly)
        || file.write(lines.join(QLatin1Char('\n')).toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write the office settings %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace Office
