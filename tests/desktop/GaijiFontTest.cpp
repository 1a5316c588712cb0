// The external-character font made at build time from Noto Serif CJK JP:
// what it holds, how the program makes it known for a run (Qt, the
// installed-font check, the office's fontconfig), and a damaged file.
#include "desktop/GaijiFont.h"
#include "markup/GaijiFace.h"
#include "markup/InstalledFonts.h"

#include <QFile>
#include <QDir>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const QString BuildProgramFolder = QStringLiteral(TV_BUILD_DIR "/bin");

// Code position -> the character whose glyph it shows (a traditional form
// where the source font has one).
const std::vector<std::pair<char32_t, char32_t>> Drawn = {
    {0x4F5D, 0x4FF1},
    {0x4F76, 0x50C5},
    {0x5011, 0x525D},
    {0x52DE, 0x5544},
    {0x52F3, 0x5632},
    {0x5346, 0x559D},
    {0x53A6, 0x6EBA},
    {0x5475, 0x845B},
    {0x5477, 0x853D},
    {0x54E5, 0x8FE6},
    {0x554C, 0x905C},
    {0x5538, 0x9061},
    {0x5650, 0x6414},
    {0x56C1, 0x5861},
    {0x5CBB, 0x6357},
    {0x5CFD, 0x8511},
    {0x5D90, 0x6DEB},
    {0x5E1A, 0x20B9F},
    {0x602B, 0x714E},
    {0x613C, 0x7259},
    {0x62BB, 0x6BBC},
    {0x6A84, 0x7BB8},
    {0x6F80, 0x8B0E},
    {0x7051, 0x8CED},
    {0x7646, 0x990C},
    {0x765C, 0x9920},
    {0x7680, 0x9830},
    {0x7A70, 0x9DD7},
};

QString Text(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

QPainterPath Outline(const QRawFont& font, char32_t c)
{
    const QList<quint32> glyphs = font.glyphIndexesForString(Text(c));
    return glyphs.isEmpty() || glyphs[0] == 0 ? QPainterPath() : font.pathForGlyph(glyphs[0]);
}

} // namespace

TEST(GaijiFont, HoldsTheTwentyEightCodePositionsDrawnAsTheirCharactersAndNothingElse)
{
    const QString file = GaijiFont::FileIn(BuildProgramFolder);
    if (!QFile::exists(file))
        GTEST_SKIP() << "built without the external-character font";
    // Outlines compared unhinted: the made font carries no hints.
    const QRawFont gaiji(file, 40, QFont::PreferNoHinting);
    ASSERT_TRUE(gaiji.isValid());
    EXPECT_EQ(gaiji.familyName(), GaijiFaceName.toString());
    EXPECT_TRUE(QFile::exists(BuildProgramFolder + QStringLiteral("/fonts/LICENSE-NotoSerifCJK.txt")));

    // The first face of the collection is the Japanese one.
    const QRawFont source(
        QStringLiteral("/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc"), 40, QFont::PreferNoHinting);
    ASSERT_TRUE(source.isValid());
    ASSERT_EQ(source.familyName(), QStringLiteral("Noto Serif CJK JP"));
    for (const auto& [key, shown] : Drawn) {
        EXPECT_TRUE(gaiji.supportsCharacter(key)) << std::hex << unsigned(key);
        EXPECT_FALSE(gaiji.supportsCharacter(shown)) << std::hex << unsigned(shown);
        const QPainterPath expected = Outline(source, shown);
        ASSERT_FALSE(expected.isEmpty()) << std::hex << unsigned(shown);
        // The same outline, to rounding: as many points, the same box.
        const QPainterPath drawn = Outline(gaiji, key);
        EXPECT_EQ(drawn.elementCount(), expected.elementCount()) << std::hex << unsigned(key);
        const QRectF a = drawn.boundingRect(), b = expected.boundingRect();
        EXPECT_LT(qAbs(a.left() - b.left()) + qAbs(a.top() - b.top()) + qAbs(a.right() - b.right())
                + qAbs(a.bottom() - b.bottom()),
            0.5)
            << std::hex << unsigned(key);
    }
    for (char32_t other : {U'A', U'あ', U'日', char32_t(0x5265)})
        EXPECT_FALSE(gaiji.supportsCharacter(other)) << std::hex << unsigned(other);
}

TEST(GaijiFont, InstalledForTheRunItIsKnownToQtToTheFontCheckAndToTheOffice)
{
    if (!QFile::exists(GaijiFont::FileIn(BuildProgramFolder)))
        GTEST_SKIP() << "built without the external-character font";
    const QByteArray saved = qgetenv("FONTCONFIG_FILE");
    qunsetenv("FONTCONFIG_FILE");
    ASSERT_TRUE(GaijiFont::Install(BuildProgramFolder));

    EXPECT_TRUE(QFontDatabase::families().contains(GaijiFaceName.toString()));
    InstalledFonts fonts;
    fonts.Load();
    EXPECT_TRUE(fonts.IsFontInstalled(GaijiFaceName));

    // The office reads the system's configuration plus the font's folder.
    QFile config(qEnvironmentVariable("FONTCONFIG_FILE"));
    ASSERT_TRUE(config.open(QIODevice::ReadOnly)) << config.fileName().toStdString();
    const QString text = QString::fromUtf8(config.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<dir>") + BuildProgramFolder + QStringLiteral("/fonts</dir>")));
    qputenv("FONTCONFIG_FILE", saved);
}

TEST(GaijiFont, AMissingOrDamagedFileIsNotInstalledAndChangesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray saved = qgetenv("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_FILE", "/nowhere/unchanged.conf");
    EXPECT_FALSE(GaijiFont::Install(dir.path()));

    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("fonts")));
    QFile damaged(GaijiFont::FileIn(dir.path()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("OTTO but not a font at all");
    damaged.close();
    EXPECT_FALSE(GaijiFont::Install(dir.path()));
    EXPECT_EQ(qgetenv("FONTCONFIG_FILE"), QByteArray("/nowhere/unchanged.conf"));
    qputenv("FONTCONFIG_FILE", saved);
}

TEST(GaijiFont, OfficeConfigurationEscapesItsPaths)
{
    const QString text = GaijiFont::OfficeFontConfig(QStringLiteral("/etc/a&b.conf"), QStringLiteral("/opt/<x>"));
    EXPECT_TRUE(text.contains(QStringLiteral(">/etc/a&amp;b.conf</include>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<dir>/opt/&lt;x&gt;</dir>")));
}
