#include "desktop/GaijiFont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSaveFile>
#include <QStandardPaths>

#include <fontconfig/fontconfig.h>

namespace {

const QString SystemFontConfig = QStringLiteral("/etc/fonts/fonts.conf");

QString Escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Whether the file at `path` holds exactly `text`: the same program
// folder as at the last start, nothing to write (and no wait for the disk
// before the window appears).
bool HoldsAlready(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == text.size() && file.readAll() == text;
}

bool WriteWhole(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

// Writes the office's fontconfig file into the cache and names it in the
// environment that the office inherits.
void PointOfficeAt(const QString& fontFolder)
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/morvane-k/tavisko");
    if (!QDir().mkpath(folder))
        return;
    const QString base
        = qEnvironmentVariableIsEmpty("FONTCONFIG_FILE") ? SystemFontConfig : qEnvironmentVariable("FONTCONFIG_FILE");
    const QString path = folder + QStringLiteral("/fonts.conf");
    if (QFileInfo(base).canonicalFilePath() == QFileInfo(path).canonicalFilePath())
        return; // already ours (a program started by this one)
    const QByteArray text = GaijiFont::OfficeFontConfig(base, fontFolder).toUtf8();
    if (HoldsAlready(path, text) || WriteWhole(path, text))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
}

} // namespace

QString GaijiFont::FileIn(const QString& programFolder)
{
    return programFolder + QStringLiteral("/fonts/MorvaneGaiji.otf");
}

bool GaijiFont::Install(const QString& programFolder)
{
    const QString file = FileIn(programFolder);
    if (!QFileInfo(file).isReadable())
        return false;
    // Qt reads the file: a damaged one is refused here.
    if (QFontDatabase::addApplicationFont(file) < 0)
        return false;
    return InstallForPrinting(programFolder);
}

bool GaijiFont::InstallForPrinting(const QString& programFolder)
{
    const QString file = FileIn(programFolder);
    if (!QFileInfo(file).isReadable())
        return false;
    // fontconfig reads the file too: a damaged one adds no font.
    const QByteArray name = QFile::encodeName(file);
    if (!FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(name.constData())))
        return false;
    PointOfficeAt(QFileInfo(file).absolutePath());
    return true;
}

QString GaijiFont::OfficeFontConfig(const QString& baseConfig, const QString& fontFolder)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n"
                          "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                          "<fontconfig>\n"
                          "  <include ignore_missing=\"yes\">%1</include>\n"
                          "  <dir>%2</dir>\n"
                          "</fontconfig>\n")
        .arg(Escaped(baseConfig), Escaped(fontFolder));
}
