#include "bookimport/BookComparison.h"

#include "model/CppSQLite3DB.h"

#include <algorithm>

namespace {

struct TableQuery {
    const char* name;
    const char* sql;
};

// Positions of keywords, entries, formats and sentences in book order.
#define TV_POSITIONS                                                                                                   \
    "with kp as (select kid, row_number() over (order by sort_key) n from Keywords), "                                 \
    "ip as (select iid, row_number() over (order by sort_key) n from Indices), "                                       \
    "qp as (select qid, row_number() over (order by sort_key) n from Questions), "                                     \
    "sp as (select sid, row_number() over (order by sort_key) n from Sentences) "

const TableQuery kTables[] = {
    {"本の設定", "select name, value from Info where name <> 'DBID' order by name"},
    {"書名", "select title from BookInfo"},
    {"目次",
        "with recursive tree(iid, depth) as (select iid, 0 from Indices where parent_iid = 0 "
        "union all select i.iid, t.depth + 1 from Indices i join tree t on i.parent_iid = t.iid) "
        "select t.depth, i.page, i.enable, i.title from Indices i join tree t using(iid) order by i.sort_key"},
    {"出題形式", "select title, question, ans_field, ans_field_spc, is_alter from Questions order by sort_key"},
    {"属性の種類", "select name, long_name, type, is_range from AttrClasses order by sort_key"},
    {"数値の範囲",
        "select c.name, r.min_value, r.max_value from KeywordAttrRange r join AttrClasses c using(acid) "
        "order by c.sort_key"},
    {"見出し語", "select word, enable from Keywords order by sort_key"},
    {"見出し語の属性",
        TV_POSITIONS "select kp.n, c.name, a.seq, a.type, a.value from KeywordAttrs a join kp using(kid) "
                     "join AttrClasses c using(acid) order by kp.n, c.sort_key, a.seq"},
    {"問題",
        TV_POSITIONS "select kp.n, qp.n, s.sentence, s.answer from Sentences s join kp using(kid) join qp using(qid) "
                     "order by s.sort_key"},
    {"問題の属性",
        TV_POSITIONS "select sp.n, c.name, a.seq, a.type, a.value from SentenceAttrs a join sp using(sid) "
                     "join AttrClasses c using(acid) order by sp.n, c.sort_key, a.seq"},
    {"目次と見出し語の対応",
        TV_POSITIONS "select ip.n, kp.n from IKRelations r join ip using(iid) join kp using(kid) order by 1, 2"},
};

#undef TV_POSITIONS

} // namespace

std::vector<BookComparison::Table> BookComparison::Content(const QString& path)
{
    CppSQLite3DB db;
    db.Open(path.toStdString(), CppSQLite3DB::OpenMode::ReadOnly);
    std::vector<Table> tables;
    for (const TableQuery& query : kTables) {
        Table table{QString::fromUtf8(query.name), {}};
        for (CppSQLite3Query q = db.Query(query.sql); !q.AtEnd(); q.Next()) {
            QStringList cells;
            for (int i = 0; i < q.ColumnCount(); ++i)
                cells.append(q.FieldIsNull(i) ? QStringLiteral("NULL") : QString::fromUtf8(q.TextField(i)));
            table.rows.append(cells.join(u'|'));
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

QStringList BookComparison::Differences(const QString& expected, const QString& actual)
{
    const std::vector<Table> before = Content(expected);
    const std::vector<Table> after = Content(actual);
    QStringList differences;
    for (std::size_t t = 0; t < before.size(); ++t) {
        const QStringList& a = before[t].rows;
        const QStringList& b = after[t].rows;
        if (a == b)
            continue;
        const auto first = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
        const auto row = static_cast<int>(first.first - a.begin());
        differences.append(QStringLiteral("%1: %2 行が %3 行に、%4 行目から違います（%5 → %6）")
                               .arg(before[t].name)
                               .arg(a.size())
                               .arg(b.size())
                               .arg(row + 1)
                               .arg(first.first == a.end() ? QStringLiteral("なし") : *first.first,
                                   first.second == b.end() ? QStringLiteral("なし") : *first.second));
    }
    return differences;
}
