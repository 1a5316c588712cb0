// Every export read back by a reader of its format: every sub-question of
// every print is there, in print order, with its text and its accepted
// answers, and no book text has become markup.
#include "ExportFixture.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/ItemText.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/MoodleXmlWriter.h"
#include "platformexport/PrintExporter.h"
#include "platformexport/QtiPackageWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QXmlStreamReader>

#include <zip.h>

namespace {

// What a reader found of one sub-question.
struct ReadQuestion {
    QString category;
    QString name;
    QString html; // question text
    QStringList answers;
};

// The elements and the text of an HTML fragment as written by the exports
// (well-formed); a fragment that is not well-formed fails the test.
struct Fragment {
    QStringList elements;
    QString text;
};

Fragment ReadFragment(const QString& html)
{
    Fragment fragment;
    QXmlStreamReader xml(QStringLiteral("<div>") + html + QStringLiteral("</div>"));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() != u"div")
            fragment.elements << xml.name().toString();
        else if (xml.isCharacters())
            fragment.text += xml.text();
        else if (xml.isEndElement() && xml.name() == u"br")
            fragment.text += u'\n';
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " in " << html.toStdString();
    return fragment;
}

std::vector<ReadQuestion> ReadMoodle(const QByteArray& bytes)
{
    std::vector<ReadQuestion> questions;
    QString category;
    QXmlStreamReader xml(bytes);
    while (xml.readNextStartElement()) {
        if (xml.name() == u"quiz")
            continue;
        EXPECT_EQ(xml.name(), u"question");
        const QString type = xml.attributes().value(QLatin1String("type")).toString();
        ReadQuestion question;
        while (xml.readNextStartElement()) {
            const QString element = xml.name().toString();
            if (element == u"category" || element == u"name" || element == u"questiontext" || element == u"answer") {
                xml.readNextStartElement(); // text
                const QString text = xml.readElementText();
                if (element == u"category")
                    category = text;
                else if (element == u"name")
                    question.name = text;
                else if (element == u"questiontext")
                    question.html = text;
                else
                    question.answers << text;
            }
            xml.skipCurrentElement();
        }
        if (type == u"shortanswer") {
            question.category = category;
            questions.push_back(question);
        } else {
            EXPECT_EQ(type, u"category");
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return questions;
}

// A small GIFT reader after the format's description: "//" comment lines,
// "$CATEGORY:" lines, questions apart by blank lines, "::title::", an
// optional "[format]", the text up to an unescaped "{", and answers
// ("=" right, "~" wrong, "####" general feedback) up to the "}". A
// backslash makes the next character plain; "\n" is a line break.
std::vector<ReadQuestion> ReadGift(const QByteArray& bytes)
{
    std::vector<ReadQuestion> questions;
    QString category;
    const QStringList blocks = QString::fromUtf8(bytes).split(QStringLiteral("\n\n"));
    for (const QString& block : blocks) {
        QString body;
        for (const QString& line : block.split(u'\n')) {
            if (line.startsWith(QLatin1String("//")))
                continue;
            if (line.startsWith(QLatin1String("$CATEGORY:")))
                category = line.mid(10).trimmed();
            else
                body += line + u'\n';
        }
        if (body.trimmed().isEmpty())
            continue;
        // Split into pieces at unescaped special characters.
        ReadQuestion question;
        question.category = category;
        QString piece;
        enum { kStart, kTitle, kText, kAnswers } state = kStart;
        QChar answerKind;
        auto flushAnswer = [&] {
            if (answerKind == u'=')
                question.answers << piece.trimmed();
            piece.clear();
        };
        for (qsizetype i = 0; i < body.size(); ++i) {
            const QChar c = body[i];
            if (c == u'\\' && i + 1 < body.size()) {
                const QChar next = body[++i];
                piece += next == u'n' ? QChar(u'\n') : next;
            } else if (c == u':' && body.mid(i, 2) == QLatin1String("::") && (state == kStart || state == kTitle)) {
                ++i;
                if (state == kTitle)
                    question.name = piece;
                piece.clear();
                state = state == kStart ? kTitle : kText;
            } else if (c == u'{' && state == kText) {
                question.html = piece.trimmed();
                if (question.html.startsWith(QLatin1String("[html]")))
                    question.html = question.html.mid(6);
                piece.clear();
                state = kAnswers;
            } else if (state == kAnswers && (c == u'=' || c == u'~' || c == u'#' || c == u'}')) {
                flushAnswer();
                answerKind = c;
                if (c == u'#')
                    while (i + 1 < body.size() && body[i + 1] == u'#')
                        ++i;
            } else {
                piece += c;
            }
        }
        EXPECT_EQ(state, kAnswers) << body.toStdString();
        questions.push_back(question);
    }
    return questions;
}

class ExportReadBackTest : public ExportFixture {
protected:
    void SetUp() override
    {
        ExportFixture::SetUp();
        Load(Build(HostileBookSql()));
        FillPrints(3, 2);
        set = ExportSet::FromModel(model);
        ASSERT_EQ(set.prints.size(), 3u);
        ASSERT_GE(set.ItemCount(), 9);
    }

    QByteArray Export(const QString& name)
    {
        const QString path = dir.filePath(name);
        QString error;
        EXPECT_EQ(PrintExporter::Export(set, path, &error), PrintExporter::kWritten) << error.toStdString();
        return ReadFile(path);
    }

    // The readers' questions are the set's sub-questions, in order, with
    // their texts as plain text and nothing but the renderer's own markup.
    void ExpectEveryQuestion(const std::vector<ReadQuestion>& read)
    {
        ASSERT_EQ(static_cast<int>(read.size()), set.ItemCount());
        auto it = read.begin();
        for (const ExportPrint& print : set.prints) {
            const QString category = QStringLiteral("$course$/") + MoodleXmlWriter::CategoryName(set.bookTitle) + u'/'
                + MoodleXmlWriter::CategoryName(print.name);
            for (const ExportItem& item : print.items) {
                const ReadQuestion& question = *it++;
                EXPECT_EQ(question.category, category);
                EXPECT_EQ(question.name, ItemText::Name(print, item));
                QStringList expected = AnswerNormalizer::Alternatives(item.answer);
                for (QString& answer : expected)
                    answer.replace(u'*', QLatin1String("\\*"));
                EXPECT_EQ(question.answers, expected) << question.name.toStdString();
                const Fragment fragment = ReadFragment(question.html);
                for (const QString& element : fragment.elements)
                    EXPECT_TRUE(element == u"p" || element == u"u" || element == u"sub" || element == u"br")
                        << element.toStdString();
                EXPECT_TRUE(fragment.text.contains(MarkupRenderer::ToPlain(item.sentence)))
                    << fragment.text.toStdString();
            }
        }
    }

    ExportSet set;
};

TEST_F(ExportReadBackTest, MoodleXmlHoldsEveryQuestionAsText)
{
    const QByteArray xml = Export(QStringLiteral("prints.xml"));
    ExpectEveryQuestion(ReadMoodle(xml));
    // The hostile sentence: its tags are underlined text, the answer's
    // wildcard is escaped, its marks are gone.
    EXPECT_TRUE(xml.contains("&lt;u&gt;script&lt;/u&gt;alert(1)"));
    EXPECT_TRUE(xml.contains("<text>\\*星\\*</text>"));
    EXPECT_TRUE(xml.contains("<text>a&amp;b</text>"));
    EXPECT_FALSE(xml.contains("<script"));
}

TEST_F(ExportReadBackTest, GiftHoldsEveryQuestionWithItsSpecialCharactersEscaped)
{
    const QByteArray gift = Export(QStringLiteral("prints.gift"));
    ExpectEveryQuestion(ReadGift(gift));
    EXPECT_TRUE(gift.contains("\\{\\=x \\~y \\#z\\} a\\:b"));
}

QByteArray ZipEntry(zip_t* archive, const QString& name)
{
    zip_file_t* file = zip_fopen(archive, name.toUtf8().constData(), 0);
    if (!file)
        return {};
    QByteArray bytes;
    char buffer[4096];
    zip_int64_t read;
    while ((read = zip_fread(file, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<qsizetype>(read));
    zip_fclose(file);
    return bytes;
}

TEST_F(ExportReadBackTest, QtiPackageHasAnItemPerSubQuestionATestPerPrintAndTheManifestOfThem)
{
    Export(QStringLiteral("prints.zip"));
    const QString path = dir.filePath(QStringLiteral("prints.zip"));
    // Info-ZIP, another implementation than the writer's, finds it sound.
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-tq"), path});
    ASSERT_TRUE(unzip.waitForFinished());
    EXPECT_EQ(unzip.exitCode(), 0) << unzip.readAllStandardOutput().toStdString();

    int zipError = 0;
    zip_t* archive = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &zipError);
    ASSERT_NE(archive, nullptr);
    const QString qti = QString::fromLatin1(QtiPackageWriter::ItemNamespace);

    // The manifest: every resource's files are in the package.
    QXmlStreamReader manifest(ZipEntry(archive, QStringLiteral("imsmanifest.xml")));
    QMap<QString, QString> itemFiles; // identifier -> href
    QStringList tests;
    QString resourceType;
    while (!manifest.atEnd()) {
        manifest.readNext();
        if (!manifest.isStartElement())
            continue;
        EXPECT_EQ(manifest.namespaceUri(), QString::fromLatin1(QtiPackageWriter::ManifestNamespace));
        const auto attributes = manifest.attributes();
        if (manifest.name() == u"resource") {
            resourceType = attributes.value(QLatin1String("type")).toString();
            if (resourceType == u"imsqti_item_xmlv2p1")
                itemFiles.insert(attributes.value(QLatin1String("identifier")).toString(),
                    attributes.value(QLatin1String("href")).toString());
            else if (resourceType == u"imsqti_test_xmlv2p1")
                tests << attributes.value(QLatin1String("href")).toString();
            else
                ADD_FAILURE() << resourceType.toStdString();
        } else if (manifest.name() == u"file") {
            EXPECT_GE(zip_name_locate(archive, attributes.value(QLatin1String("href")).toUtf8().constData(), 0), 0);
        }
    }
    EXPECT_FALSE(manifest.hasError()) << manifest.errorString().toStdString();
    ASSERT_EQ(itemFiles.size(), set.ItemCount());
    ASSERT_EQ(tests.size(), static_cast<int>(set.prints.size()));

    // Each test refers to its print's items in order; each item holds one
    // text entry whose mapping accepts the answer's forms.
    for (size_t p = 0; p < set.prints.size(); ++p) {
        QXmlStreamReader test(ZipEntry(archive, tests[static_cast<int>(p)]));
        QStringList refs;
        while (!test.atEnd()) {
            test.readNext();
            if (test.isStartElement() && test.name() == u"assessmentItemRef") {
                EXPECT_EQ(test.namespaceUri(), qti);
                refs << test.attributes().value(QLatin1String("identifier")).toString();
                EXPECT_EQ(QStringLiteral("items/")
                        + QFileInfo(test.attributes().value(QLatin1String("href")).toString()).fileName(),
                    itemFiles.value(refs.back()));
            }
        }
        EXPECT_FALSE(test.hasError()) << test.errorString().toStdString();
        ASSERT_EQ(refs.size(), static_cast<int>(set.prints[p].items.size()));
        for (int n = 0; n < refs.size(); ++n) {
            const ExportItem& item = set.prints[p].items[static_cast<size_t>(n)];
            QXmlStreamReader xml(ZipEntry(archive, itemFiles.value(refs[n])));
            int interactions = 0;
            QStringList keys;
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement()) {
                    EXPECT_EQ(xml.namespaceUri(), qti);
                    if (xml.name() == u"assessmentItem") {
                        EXPECT_EQ(xml.attributes().value(QLatin1String("identifier")), refs[n]);
                    }
                    if (xml.name() == u"textEntryInteraction") {
                        ++interactions;
                        EXPECT_EQ(xml.attributes().value(QLatin1String("responseIdentifier")), u"RESPONSE");
                    }
                    if (xml.name() == u"mapEntry")
                        keys << xml.attributes().value(QLatin1String("mapKey")).toString();
                    EXPECT_NE(xml.name(), u"script");
                    EXPECT_NE(xml.name(), u"img");
                } else if (xml.isCharacters()) {
                    text += xml.text();
                }
            }
            EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
            EXPECT_EQ(interactions, 1);
            EXPECT_EQ(keys, AnswerNormalizer::Alternatives(item.answer));
            EXPECT_TRUE(text.contains(MarkupRenderer::ToPlain(item.sentence, {}))) << text.toStdString();
        }
    }
    zip_close(archive);
}

// RFC 4180 records: quoted cells may hold commas, quotes and line breaks.
std::vector<QStringList> ReadCsv(const QString& text)
{
    std::vector<QStringList> rows(1);
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                cell += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            rows.back() << cell;
            cell.clear();
        } else if (c == u'\r' && text.mid(i, 2) == QLatin1String("\r\n")) {
            ++i;
            rows.back() << cell;
            cell.clear();
            rows.emplace_back();
        } else {
            cell += c;
        }
    }
    if (rows.back().isEmpty())
        rows.pop_back();
    return rows;
}

TEST_F(ExportReadBackTest, AnswerKeyHasARowPerSubQuestionAsPrintedWithFormulasGuarded)
{
    const QByteArray bytes = Export(QStringLiteral("key.csv"));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const std::vector<QStringList> rows = ReadCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(static_cast<int>(rows.size()), set.ItemCount() + 1);
    EXPECT_EQ(rows[0].join(u','), QStringLiteral("プリント,番号,出題形式,問題文,解答,見出し語"));
    size_t row = 1;
    bool sawFormula = false;
    for (const ExportPrint& print : set.prints) {
        for (const ExportItem& item : print.items) {
            const QStringList& cells = rows[row++];
            ASSERT_EQ(cells.size(), 6);
            EXPECT_EQ(cells[0], print.name);
            EXPECT_EQ(cells[1], QString::number(item.number));
            EXPECT_EQ(cells[3], MarkupRenderer::ToPlain(item.sentence));
            if (item.answer == QLatin1String("=SUM(A1)")) {
                EXPECT_EQ(cells[4], QStringLiteral("'=SUM(A1)"));
                sawFormula = true;
            } else {
                EXPECT_EQ(cells[4], MarkupRenderer::ToPlain(item.answer));
            }
        }
    }
    EXPECT_TRUE(sawFormula);
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("\n次の行")));
}

TEST_F(ExportReadBackTest, AFailedOrCancelledExportLeavesTheOldFileAndNothingElse)
{
    const QString path = dir.filePath(QStringLiteral("prints.html"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QString error;
    EXPECT_EQ(PrintExporter::Export(set, path, &error, [] { return true; }), PrintExporter::kCancelled);
    EXPECT_EQ(ReadFile(path), QByteArray("old"));
    EXPECT_EQ(
        PrintExporter::Export(set, dir.filePath(QStringLiteral("none/prints.html")), &error), PrintExporter::kFailed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(PrintExporter::Export(set, dir.path(), &error), PrintExporter::kFailed);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before);
}

} // namespace
