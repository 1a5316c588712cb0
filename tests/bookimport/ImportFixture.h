#pragma once
// Files for import tests in a temporary folder, and a dump of a book
// database's content that leaves out what differs between two imports of
// the same sheet (its identity).
#include "bookimport/BookImporter.h"
#include "support/SampleBooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iconv.h>
#include <zip.h>

class ImportFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString PathOf(const QString& name) const { return dir.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = PathOf(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The book made from `input` at `output`; empty when it failed.
    QString Import(
        const QString& input, const QString& output, const QString& type = QString(), Problems* problemsOut = nullptr)
    {
        ImportRequest request;
        request.input = input;
        request.output = output;
        request.type = type;
        request.title = QStringLiteral("テストの本");
        Problems problems;
        const QString written = BookImporter().Import(request, problems);
        if (problemsOut)
            *problemsOut = problems;
        return written;
    }

    static QByteArray ToCp932(const QString& text)
    {
        QByteArray in = text.toUtf8();
        QByteArray out(in.size() * 2 + 8, '\0');
        iconv_t cd = iconv_open("CP932", "UTF-8");
        char* inPtr = in.data();
        std::size_t inLeft = static_cast<std::size_t>(in.size());
        char* outPtr = out.data();
        std::size_t outLeft = static_cast<std::size_t>(out.size());
        const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv_close(cd);
        EXPECT_NE(result, static_cast<std::size_t>(-1)) << "not representable in CP932";
        out.truncate(outPtr - out.data());
        return out;
    }

    // A zip archive of the given entries, deflated (but for the type of an
    // ODS) as an office saves them.
    static QByteArray Zipped(const std::vector<std::pair<const char*, QByteArray>>& entries)
    {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
        zip_source_keep(buffer);
        zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
        for (const auto& [name, content] : entries) {
            const zip_int64_t index
                = zip_file_add(archive, name, zip_source_buffer(archive, content.constData(), content.size(), 0), 0);
            if (qstrcmp(name, "mimetype") == 0)
                zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        }
        zip_close(archive);
        zip_source_open(buffer);
        zip_source_seek(buffer, 0, SEEK_END);
        QByteArray bytes(static_cast<qsizetype>(zip_source_tell(buffer)), '\0');
        zip_source_seek(buffer, 0, SEEK_SET);
        zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(bytes.size()));
        zip_source_close(buffer);
        zip_source_free(buffer);
        return bytes;
    }

    // An ODS whose one table has the header row 見出し語, 意味 and then
    // `rows`, the table's rows as content.xml writes them.
    static QByteArray Ods(const QByteArray& rows)
    {
        return Zipped({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"META-INF/manifest.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><manifest:manifest "
                "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" manifest:version=\"1.2\">"
                "<manifest:file-entry manifest:full-path=\"/\" "
                "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/><manifest:file-entry "
                "manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/></manifest:manifest>"},
            {"content.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
                "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
                "<table:table table:name=\"S\"><table:table-row><table:table-cell><text:p>見出し語</text:p>"
                "</table:table-cell><table:table-cell><text:p>意味</text:p></table:table-cell></table:table-row>"
                    + rows + "</table:table></office:spreadsheet></office:body></office:document-content>"}});
    }

    // Everything a book holds except its DBID and book id, one line per row.
    static QStringList Content(const QString& path)
    {
        QStringList lines;
        const char* queries[] = {
            "select name, value from Info where name <> 'DBID' order by name",
            "select title from BookInfo",
            "select iid, parent_iid, page, sort_key, enable, title from Indices order by sort_key",
            "select * from Questions order by sort_key",
            "select * from AttrClasses order by sort_key",
            "select * from KeywordAttrRange order by acid",
            "select * from KeywordsWithAttrs",
            "select * from SentencesWithAttrs",
            "select * from IKRelations order by iid, kid",
        };
        for (const char* sql : queries) {
            lines.append(QString::fromLatin1(sql));
            for (const SqlRow& row : QueryRows(path, QString::fromLatin1(sql))) {
                QStringList cells;
                for (const QVariant& cell : row)
                    cells.append(cell.isNull() ? QStringLiteral("NULL") : cell.toString());
                lines.append(cells.join(u'|'));
            }
        }
        return lines;
    }

    QTemporaryDir dir;
};
