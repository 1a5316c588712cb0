#include "bookimport/BookTool.h"

#include "bookimport/BookChecker.h"
#include "bookimport/BookExporter.h"
#include "bookimport/BookImporter.h"
#include "bookimport/SourceFormat.h"

#include <QHash>

namespace {

const QString kUsageText
    = QStringLiteral("使い方:\n"
                     "  tavisko-book import 入力ファイル [--type 101|301|303] [--title 題名] [-o 出力.db] [--force]\n"
                     "                      [--from anki|quizlet|mnemosyne|sheet]\n"
                     "  tavisko-book check 本.db\n"
                     "  tavisko-book export 本.db -o シート.csv [--force] [--lossy]\n");

// Splits arguments into the positional ones and the options that take a
// value (`valued`) or none (`flags`). An unknown option or a missing value
// is an error.
struct Parsed {
    QStringList positional;
    QHash<QString, QString> options;
    QString error;
};

Parsed Parse(const QStringList& arguments, const QStringList& valued, const QStringList& flags)
{
    Parsed parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(u'-') || argument == QLatin1String("-")) {
            parsed.positional.append(argument);
        } else if (flags.contains(argument)) {
            parsed.options.insert(argument, QString());
        } else if (valued.contains(argument)) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("%1 の後に値がありません").arg(argument);
                return parsed;
            }
            parsed.options.insert(argument, arguments[++i]);
        } else {
            parsed.error = QStringLiteral("知らないオプション %1").arg(argument);
            return parsed;
        }
    }
    return parsed;
}

} // namespace

BookTool::BookTool(QTextStream& out, QTextStream& err, SpreadsheetReader* spreadsheets)
    : m_out(out)
    , m_err(err)
    , m_spreadsheets(spreadsheets)
{
}

int BookTool::Run(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return Usage(QString());
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("import"))
        return Import(rest);
    if (command == QLatin1String("check"))
        return Check(rest);
    if (command == QLatin1String("export"))
        return Export(rest);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        m_out << kUsageText;
        return kOk;
    }
    if (command == QLatin1String("--version")) {
        m_out << "tavisko-book " TV_VERSION "\n";
        return kOk;
    }
    return Usage(QStringLiteral("知らないコマンド %1").arg(command));
}

// A line at a time: a sheet with a note on every row has millions.
void BookTool::WriteProblems(const Problems& problems)
{
    for (const Problem& problem : problems.List())
        m_err << problem.Text() << "\n";
    m_err.flush();
}

int BookTool::Usage(const QString& message)
{
    if (!message.isEmpty())
        m_err << "tavisko-book: " << message << "\n";
    m_err << kUsageText;
    m_err.flush();
    return kUsage;
}

int BookTool::Import(const QStringList& arguments)
{
    const Parsed parsed = Parse(arguments,
        {QStringLiteral("--type"), QStringLiteral("--title"), QStringLiteral("-o"), QStringLiteral("--from")},
        {QStringLiteral("--force")});
    if (!parsed.error.isEmpty())
        return Usage(parsed.error);
    if (parsed.positional.size() != 1)
        return Usage(QStringLiteral("入力ファイルを一つ指定してください"));
    ImportRequest request;
    request.input = parsed.positional.first();
    request.type = parsed.options.value(QStringLiteral("--type"));
    request.title = parsed.options.value(QStringLiteral("--title"));
    request.output = parsed.options.value(QStringLiteral("-o"));
    request.force = parsed.options.contains(QStringLiteral("--force"));
    request.from = parsed.options.value(QStringLiteral("--from"));
    if (parsed.options.contains(QStringLiteral("--from")) && !SourceFormat::All().contains(request.from))
        return Usage(QStringLiteral("--from は %1 のどれかです").arg(SourceFormat::All().join(QStringLiteral("、"))));

    Problems problems;
    const QString written = BookImporter(m_spreadsheets).Import(request, problems);
    WriteProblems(problems);
    if (written.isEmpty())
        return kProblems;
    m_out << written << "\n";
    m_out.flush();
    return kOk;
}

int BookTool::Check(const QStringList& arguments)
{
    const Parsed parsed = Parse(arguments, {}, {});
    if (!parsed.error.isEmpty())
        return Usage(parsed.error);
    if (parsed.positional.size() != 1)
        return Usage(QStringLiteral("調べる本を一つ指定してください"));
    Problems problems;
    const bool sound = BookChecker::Check(parsed.positional.first(), problems);
    WriteProblems(problems);
    return sound ? kOk : kProblems;
}

int BookTool::Export(const QStringList& arguments)
{
    const Parsed parsed
        = Parse(arguments, {QStringLiteral("-o")}, {QStringLiteral("--force"), QStringLiteral("--lossy")});
    if (!parsed.error.isEmpty())
        return Usage(parsed.error);
    if (parsed.positional.size() != 1 || !parsed.options.contains(QStringLiteral("-o")))
        return Usage(QStringLiteral("本を一つと、-o で書き出すシートを指定してください"));
    Problems problems;
    const bool ok = BookExporter::Export(parsed.positional.first(), parsed.options.value(QStringLiteral("-o")),
        parsed.options.contains(QStringLiteral("--force")), problems,
        parsed.options.contains(QStringLiteral("--lossy")));
    WriteProblems(problems);
    return ok ? kOk : kProblems;
}
