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
