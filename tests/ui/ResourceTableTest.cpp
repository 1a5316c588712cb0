// The string table against the named ids of res/ResourceIds.h, and the
// shape of its texts that callers rely on (placeholders, line breaks).
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// name -> value of every `inline constexpr int <prefix>... = n;` in the header.
QMap<QString, int> IdsWithPrefix(const QString& prefix)
{
    QFile header(QStringLiteral(TV_SOURCE_DIR "/src/res/ResourceIds.h"));
    EXPECT_TRUE(header.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(header.readAll());
    const QRegularExpression re(QStringLiteral("constexpr int (%1\\w*) = (\\d+);").arg(prefix));
    QMap<QString, int> ids;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        ids.insert(m.captured(1), m.captured(2).toInt());
    }
    return ids;
}

// The printf conversions of a text in order, e.g. "%d%s".
QString Conversions(const QString& text)
{
    QString result;
    const QRegularExpression re(QStringLiteral("%[-+ #0-9.]*[a-zA-Z%]"));
    for (auto it = re.globalMatch(text); it.hasNext();)
        result += it.next().captured(0);
    return result;
}

} // namespace

TEST(StringTable, EveryNamedStringIdHasTextAndEveryTextHasAName)
{
    const auto named = IdsWithPrefix(QStringLiteral("IDS_"));
    ASSERT_GE(named.size(), 30);
    for (auto it = named.cbegin(); it != named.cend(); ++it)
        EXPECT_TRUE(Res::HasString(it.value())) << it.key().toStdString() << " = " << it.value();

    const QList<int> values = named.values();
    for (int id : Res::StringIds())
        EXPECT_TRUE(values.contains(id)) << "string " << id << " has no IDS_ name";
}

TEST(StringTable, UnknownIdGivesEmptyText)
{
    EXPECT_FALSE(Res::HasString(0));
    EXPECT_TRUE(Res::String(0).isEmpty());
    EXPECT_TRUE(Res::String(99999).isEmpty());
}

TEST(StringTable, TextsCarryExactlyThePlaceholdersTheirCallersFill)
{
    const QMap<int, QString> formats = {
        {Res::IDS_PRINT_TAB, "%d"},
        {Res::IDS_KEYWORD_COUNT, "%d"},
        {Res::IDS_SELECT_BY, "%s"},
        {Res::IDS_INTERVAL, "%d%d"},
        {Res::IDS_VALID_RANGE, "%d%d"},
        {Res::IDS_UNIT_HEADER, "%d%s"},
        {Res::IDS_SENTENCE_ROW, "%d%s"},
        {Res::IDS_ERR_APPLICATION, "%d"},
        {Res::IDS_ERR_NO_HELP_FILE, "%s"},
        {Res::IDS_ERR_TEMPLATE_FOLDER, "%s"},
        {Res::IDS_ERR_BOOK_FILE_UNREADABLE, "%s"},
        {Res::IDS_ERR_SAVE_STATE_BECAUSE, "%s"},
        {Res::IDS_ERR_PRINT_TOO_LARGE, "%s"},
        {Res::IDS_TOO_MANY_COMMANDS, "%d%d"},
        {Res::IDS_TEXT_TOO_LONG, "%d%d"},
        {Res::IDS_TOO_MUCH_TEXT, "%d%d"},
        {Res::IDS_ERR_SAVE_PDF, "%s"},
        {Res::IDS_CLI_UNKNOWN_FORMAT, "%s%s"},
        {Res::IDS_CLI_OTHER_TOO_LONG, "%d"},
        {Res::IDS_CLI_NO_TEMPLATE, "%s"},
        {Res::IDS_CLI_CANNOT_WRITE, "%s"},
        {Res::IDS_CLI_BAD_USAGE, "%s"},
        {Res::IDS_SAVED_PDF, "%s"},
        {Res::IDS_WARN_TEMPLATE_LINKS, "%s"},
        {Res::IDS_TEMPLATE_LINKS_MORE, "%s"},
        {Res::IDS_ERR_SINGLE_INSTANCE_LOCK, "%s"},
        {Res::IDS_PRINTS_LEFT_OUT, "%d%d"},
        {Res::IDS_AUTO_SELECT_REPEATS, "%d"},
        {Res::IDS_TEMPLATE_UNREADABLE, "%s"},
        {Res::IDS_TEMPLATE_NOT_A_DOCUMENT, "%s"},
        {Res::IDS_TEMPLATE_NO_STYLE, "%s"},
        {Res::IDS_TEMPLATE_MARK_LEFT, "%s"},
        {Res::IDS_OUT_IS_FOLDER, "%s"},
        {Res::IDS_OUT_NO_FOLDER, "%s"},
        {Res::IDS_OUT_CANNOT_WRITE, "%s%s"},
        {Res::IDS_OUT_NOTHING_WRITTEN, "%s"},
        {Res::IDS_OUT_CANNOT_PLACE, "%s%s"},
        {Res::IDS_TOO_MANY_PRINTS, "%d"},
        {Res::IDS_CLI_HISTORY_UNREADABLE, "%s"},
        {Res::IDS_ERR_HISTORY_WRITE, "%s"},
        {Res::IDS_HISTORY_SET_ASIDE, "%s"},
        {Res::IDS_ERR_HISTORY_READ, "%s"},
        {Res::IDS_ERR_HISTORY_NO_BOOK, "%s"},
        {Res::IDS_WARN_HISTORY_MISSING, "%s"},
        {Res::IDS_HISTORY_MISSING_ITEM, "%d%s%d%s%d"},
        {Res::IDS_WARN_HISTORY_BOOK_CHANGED, "%s"},
        {Res::IDS_ERR_HISTORY_CSV, "%s"},
        {Res::IDS_EXPORT_PAGE_SCORE, "%d%d"},
        {Res::IDS_EXPORT_PAGE_INPUT, "%d"},
        {Res::IDS_EXPORTED, "%s"},
        {Res::IDS_ERR_EXPORT, "%s"},
    };
    for (int id : Res::StringIds())
        EXPECT_EQ(Conversions(Res::String(id)), formats.value(id)) << "string " << id;
}

TEST(StringTable, LineBreaksAreRealAndNoTextIsEmpty)
{
    for (int id : Res::StringIds()) {
        const QString text = Res::String(id);
        EXPECT_FALSE(text.trimmed().isEmpty()) << "string " << id;
        EXPECT_FALSE(text.contains(QLatin1Char('\\'))) << "string " << id;
    }
    EXPECT_EQ(Res::String(Res::IDS_ERR_NO_HELP_FILE).count(QLatin1Char('\n')), 2);
    EXPECT_EQ(Res::String(Res::IDS_ERR_AUTO_SELECT_TIMEOUT).count(QLatin1Char('\n')), 2);
    EXPECT_EQ(Res::String(Res::IDS_ERR_UPDATE_CHECK).count(QLatin1Char('\n')), 1);
}

TEST(StringTable, SupportAddressTakesTheUpdateQueryAsItsPath)
{
    const QString base = Res::String(Res::IDS_SUPPORT_URL);
    ASSERT_TRUE(base.endsWith(QLatin1Char('/')));
    const QUrl url(base + QStringLiteral("latest_version.asp?p=tv&v=1.0.0"));
    EXPECT_TRUE(url.isValid());
    EXPECT_TRUE(url.scheme() == "http" || url.scheme() == "https");
    EXPECT_FALSE(url.host().isEmpty());
    EXPECT_TRUE(url.path().endsWith(QStringLiteral("/latest_version.asp")));
    EXPECT_EQ(url.query(), QStringLiteral("p=tv&v=1.0.0"));
}

TEST(ResourceIds, CommandAndControlIdsAreDistinct)
{
    for (const QString& prefix : {QStringLiteral("ID_"), QStringLiteral("IDC_"), QStringLiteral("IDD_")}) {
        const auto ids = IdsWithPrefix(prefix);
        ASSERT_FALSE(ids.isEmpty()) << prefix.toStdString();
        QMap<int, QString> byValue;
        for (auto it = ids.cbegin(); it != ids.cend(); ++it) {
            EXPECT_FALSE(byValue.contains(it.value()))
                << it.key().toStdString() << " and " << byValue.value(it.value()).toStdString();
            byValue.insert(it.value(), it.key());
        }
    }
}
