#include "bookimport/QuizletTextReader.h"

#include "bookimport/ColumnName.h"
#include "bookimport/DelimitedSheetReader.h"
#include "bookimport/SourceFormat.h"

#include <algorithm>
#include <optional>

namespace {

struct Piece {
    int line = 0;
    QString text;
};

// The text without spaces and line ends at its ends (a tab there still
// separates an empty term or definition).
QString TrimLines(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\n' || c == u'\r'; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// The non-blank pieces of the text between `separator`s, each with the
// line it starts on.
std::vector<Piece> PiecesOf(const QString& text, QChar separator)
{
    std::vector<Piece> pieces;
    int line = 1;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(separator, start);
        if (end < 0)
            end = text.size();
        const QString piece = text.mid(start, end - start);
        int pieceLine = line;
        for (const QChar c : piece) {
            if (!c.isSpace())
                break;
            if (c == u'\n')
                ++pieceLine;
        }
        const QString trimmed = TrimLines(piece);
        if (!trimmed.isEmpty())
            pieces.push_back(Piece{pieceLine, trimmed});
        line += static_cast<int>(piece.count(u'\n')) + (separator == u'\n' ? 1 : 0);
        start = end + 1;
    }
    return pieces;
}

bool AllHold(const std::vector<Piece>& pieces, QChar c)
{
    return !pieces.empty()
        && std::all_of(pieces.begin(), pieces.end(), [c](const Piece& p) { return p.text.contains(c); });
}

struct Pairs {
    std::vector<Piece> rows;
    QChar between;
};

std::optional<Pairs> PairsOf(const QByteArray& utf8)
{
    QString text = QString::fromUtf8(utf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const std::vector<Piece> lines = PiecesOf(text, u'\n');
    for (const QChar between : {QChar(u'\t'), QChar(u',')}) {
        if (text.contains(u';')) {
            std::vector<Piece> rows = PiecesOf(text, u';');
            if (AllHold(rows, between) && (!AllHold(lines, between) || rows.size() > lines.size()))
                return Pairs{std::move(rows), between};
        }
        if (AllHold(lines, between))
            return Pairs{lines, between};
    }
    return std::nullopt;
}

} // namespace

bool QuizletTextReader::Fits(const QByteArray& utf8)
{
    return PairsOf(utf8).has_value();
}

bool QuizletTextReader::Read(const QByteArray& utf8, Sheet& sheet, Problems& problems)
{
    sheet.format = SourceFormat::Quizlet;
    sheet.header.cells = QStringList{QStringLiteral("用語"), QStringLiteral("定義")};
    sheet.roles = QStringList{ColumnName::Word, ColumnName::Meaning};
    const std::optional<Pairs> pairs = PairsOf(utf8);
    if (!pairs) {
        problems.Error(0, 0,
            QStringLiteral("Quizlet のコピーとして読めません。用語と定義をタブかコンマで区切り、1 行に 1 組"
                           "（または「;」で区切って）書いてください"));
        return false;
    }
    for (const Piece& piece : pairs->rows) {
        const qsizetype split = piece.text.indexOf(pairs->between);
        SheetRow row;
        row.row = piece.line;
        row.cells = QStringList{DelimitedSheetReader::TrimBlanks(piece.text.left(split)),
            DelimitedSheetReader::TrimBlanks(piece.text.mid(split + 1))};
        sheet.rows.push_back(std::move(row));
    }
    return true;
}
