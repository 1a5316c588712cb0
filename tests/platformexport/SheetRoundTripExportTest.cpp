// A bundled book exported as a question sheet and imported again gives the
// same Moodle questions, byte for byte, for the same prints.
#include "ExportFixture.h"

#include "bookimport/BookExporter.h"
#include "bookimport/BookImporter.h"
#include "model/Book.h"
#include "platformexport/MoodleXmlWriter.h"
#include "support/SampleBooks.h"

namespace {

class SheetRoundTripExportTest : public ExportFixture, public testing::WithParamInterface<SampleBook> {
protected:
    static QByteArray MoodleOf(const QString& bookPath)
    {
        Model book;
        book.Db().SetUserEnabled(false);
        EXPECT_TRUE(book.LoadBooks({bookPath}));
        ::FillPrints(book, 3, 7);
        const ExportSet set = ExportSet::FromModel(book);
        EXPECT_GE(set.ItemCount(), 3 * 7 * 2);
        return MoodleXmlWriter::Write(set).Joined();
    }
};

TEST_P(SheetRoundTripExportTest, ImportedSheetGivesTheSameMoodleQuestions)
{
    const QString original = QStringLiteral(TV_TEST_DATA_DIR "/") + GetParam().file;
    const QString sheet = dir.filePath(QStringLiteral("sheet.csv"));
    Problems problems;
    ASSERT_TRUE(BookExporter::Export(original, sheet, false, problems)) << problems.Lines().join(u'\n').toStdString();

    ImportRequest request;
    request.input = sheet;
    request.output = dir.filePath(QStringLiteral("copy_main.db"));
    request.type = GetParam().product;
    request.title = QueryRows(original, QStringLiteral("select title from BookInfo"))[0][0].toString();
    ASSERT_FALSE(BookImporter().Import(request, problems).isEmpty()) << problems.Lines().join(u'\n').toStdString();

    const QByteArray before = MoodleOf(original);
    ASSERT_TRUE(before.contains("<question type=\"shortanswer\">"));
    EXPECT_EQ(MoodleOf(request.output), before);
}

INSTANTIATE_TEST_SUITE_P(Books, SheetRoundTripExportTest, testing::ValuesIn(SampleBooks()),
    [](const testing::TestParamInfo<SampleBook>& info) { return "Type" + info.param.product.toStdString(); });

} // namespace
