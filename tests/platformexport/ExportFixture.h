#pragma once
// A model over a book database with prints filled from it, and the small
// test book with texts that try every escape of every export format.
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "platformexport/ExportSet.h"
#include "quiz/Model.h"
#include "support/BookFixture.h"
#include "support/FilledPrints.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class ExportFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The small book whose texts hold markup, markup of the formats and
    // script: every one of them must come out as text.
    static QString HostileBookSql()
    {
        return BookFixture::SmallBookSql(QStringLiteral("TV-HOSTILE"), 1, QStringLiteral("英単語/テスト & <b>本</b>"))
            + QStringLiteral(R"sql(
UPDATE Sentences SET sentence = '<script>alert(1)</script>{=x ~y #z} a:b @次の行 <S=2>と<G=98C6>', answer = '［名］～の答え，*星* / a&b' WHERE sid = 51;
UPDATE Sentences SET sentence = '"quoted" ''single'' \back\slash', answer = '=SUM(A1)' WHERE sid = 52;
UPDATE Sentences SET sentence = '<img src=x onerror=alert(2)>]]></text>', answer = '<L=under> line' WHERE sid = 53;
UPDATE Questions SET question = 'Write <A=note> it; 1 < 2' WHERE qid = 11;
UPDATE Keywords SET word = 'app<S=le>' WHERE kid = 201;
)sql");
    }

    QString Build(const QString& sql, const QString& name = QStringLiteral("hostile"))
    {
        const QString path = dir.filePath(name + QStringLiteral("_main.db"));
        const QString error = BookFixture::Build(path, sql);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    void Load(const QString& bookPath)
    {
        model.Db().SetUserEnabled(false);
        ASSERT_TRUE(model.LoadBooks({bookPath}));
    }

    void FillPrints(int prints, int perFormat) { ::FillPrints(model, prints, perFormat); }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    QTemporaryDir dir;
    Model model;
};
