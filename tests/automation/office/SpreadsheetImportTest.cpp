// A word list saved by the office as ODS and as XLSX imports into the same
// book as the CSV it was made from; Calc reads them in the test's office.
#include "OfficeTestSupport.h"
#include "bookimport/ImportFixture.h"

#include "automation/office/CalcSheetReader.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoStrings.h"

#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>

namespace {

using namespace css;
using Office::ToOUString;

beans::PropertyValue Property(const char* name, const uno::Any& value)
{
    beans::PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

QString Url(const QString& path)
{
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

// Opens the CSV in Calc (UTF-8, comma, quotes) and saves it as `filter`.
void SaveAs(const QString& csv, const QString& target, const char* filter)
{
    auto desktop = Office::OfficeSession::Shared()->Desktop("test");
    uno::Sequence<beans::PropertyValue> load(3);
    load[0] = Property("Hidden", uno::Any(true));
    load[1] = Property("FilterName", uno::Any(rtl::OUString("Text - txt - csv (StarCalc)")));
    load[2] = Property("FilterOptions", uno::Any(rtl::OUString("44,34,76,1")));
    const uno::Reference<lang::XComponent> document
        = desktop->loadComponentFromURL(ToOUString(Url(csv)), rtl::OUString("_blank"), 0, load);
    ASSERT_TRUE(document.is());
    uno::Sequence<beans::PropertyValue> store(1);
    store[0] = Property("FilterName", uno::Any(rtl::OUString::createFromAscii(filter)));
    uno::Reference<frame::XStorable>(document, uno::UNO_QUERY_THROW)->storeToURL(ToOUString(Url(target)), store);
    uno::Reference<util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
}

class SpreadsheetImportTest : public ImportFixture { };

TEST_F(SpreadsheetImportTest, OdsAndXlsxGiveTheSameBookAsTheirCsv)
{
    const QString csv = Write(QStringLiteral("list.csv"),
        QStringLiteral(
            "番号,見出し語,意味,例文,例文訳,章,節,頁\n"
            "2,achieve,\"～を達成する，成し遂げる\",She achieved her goal.,彼女は目標を達成した。,第1章,1 教室,6\n"
            "1,attend,\"～に出席する, 通う\",\"They attended the \"\"big\"\" ceremony.\",式に出席した。,第1章,2 "
            "廊下,7\n"
            "3,<S=2>nd,二番目の,,,第2章,,8\n")
            .toUtf8());
    const QString fromCsv = Import(csv, PathOf(QStringLiteral("csv_main.db")));
    ASSERT_FALSE(fromCsv.isEmpty());
    for (const auto& [name, filter] :
        {std::pair{"list.ods", "calc8"}, std::pair{"list.xlsx", "Calc MS Excel 2007 XML"}}) {
        const QString sheet = PathOf(QString::fromLatin1(name));
        SaveAs(csv, sheet, filter);
        ASSERT_TRUE(QFile::exists(sheet)) << name;
        Problems problems;
        const QString book
            = Import(sheet, PathOf(QString::fromLatin1(name) + QStringLiteral("_main.db")), QString(), &problems);
        ASSERT_FALSE(book.isEmpty()) << name << "\n" << problems.Lines().join(u'\n').toStdString();
        EXPECT_EQ(Content(book), Content(fromCsv)) << name;
    }
}

TEST_F(SpreadsheetImportTest, AFileThatIsNoSpreadsheetIsRefused)
{
    Problems problems;
    EXPECT_TRUE(Import(Write(QStringLiteral("fake.ods"), "not a spreadsheet"), PathOf(QStringLiteral("x_main.db")),
        QString(), &problems)
                    .isEmpty());
    EXPECT_TRUE(problems.HasErrors());
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("x_main.db"))));
}

// A sheet that gets past the check of its declared size and still takes
// more memory than the office that reads sheets may have (one cell of a
// hundred million spaces, 200 MB) ends in the message that names the limit,
// and that office is ended, its profile gone; the next sheet is read.
TEST_F(SpreadsheetImportTest, ASheetPastTheOfficesMemoryEndsInTheLimitsMessage)
{
    Office::OfficeSession::Options options = Office::CalcSheetReader::SessionOptions();
    options.memoryLimit = 1024LL * 1024 * 1024;
    const auto session = std::make_shared<Office::OfficeSession>(options);
    Office::CalcSheetReader reader(session);
    Sheet sheet;
    QString error;
    EXPECT_FALSE(reader.Read(Write(QStringLiteral("spaces.ods"),
                                 Ods("<table:table-row><table:table-cell><text:p>a<text:s text:c=\"100000000\"/>"
                                     "</text:p></table:table-cell></table:table-row>")),
        sheet, error));
    EXPECT_EQ(
        error, QStringLiteral("表が大きすぎて読めません（表計算のファイルを読むのに使えるメモリは 1024 MB まで）"));
    EXPECT_EQ(session->LauncherPid(), -1);
    EXPECT_FALSE(QFileInfo::exists(options.profileDir));

    ASSERT_TRUE(
        reader.Read(Write(QStringLiteral("small.ods"),
                        Ods("<table:table-row><table:table-cell><text:p>achieve</text:p></table:table-cell>"
                            "<table:table-cell><text:p>達成する</text:p></table:table-cell></table:table-row>")),
            sheet, error))
        << error.toStdString();
    ASSERT_EQ(sheet.rows.size(), 1u);
    EXPECT_EQ(sheet.rows.front().Whole().cells, (QStringList{QStringLiteral("achieve"), QStringLiteral("達成する")}));
    session->Release();
    EXPECT_FALSE(QFileInfo::exists(options.profileDir));
}

} // namespace
