#include "bookimport/ClozeMaker.h"

namespace {

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'\'' || c == u'-';
}

// The first character a reader sees: markup openers ("<", "<S=" and the
// like) and closers are skipped, so the blank never opens a tag.
QString FirstVisible(const QString& word)
{
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] == u'<') {
            if (i + 2 < word.size() && word[i + 2] == u'=')
                i += 2;
            continue;
        }
        if (word[i] != u'>')
            return QString(word[i]);
    }
    return QString();
}

} // namespace

ClozeMaker::Cloze ClozeMaker::Make(const QString& headword, const QString& example)
{
    Cloze cloze;
    const QString word = headword.trimmed();
    if (word.isEmpty())
        return cloze;
    qsizetype at = -1;
    for (qsizetype from = 0; (at = example.indexOf(word, from, Qt::CaseInsensitive)) >= 0; from = at + 1) {
        if (at == 0 || !IsWordChar(example[at - 1]))
            break;
    }
    if (at < 0)
        return cloze;
    qsizetype end = at + word.size();
    while (end < example.size() && example[end].isLetter())
        ++end;
    cloze.found = true;
    cloze.answer = example.mid(at, end - at);
    const QString blank = QStringLiteral("( ") + FirstVisible(cloze.answer) + QStringLiteral("　　　 )");
    cloze.sentence = example.left(at) + blank + example.mid(end);
    return cloze;
}
