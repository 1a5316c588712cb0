#include "platformexport/AnswerNormalizer.h"

#include "platformexport/MarkupRenderer.h"

namespace {

// A string of at most `capacity` characters written in place: these
// functions run on every answer of an export, and appending a character
// at a time to a QString was most of their time.
class TextBuilder {
public:
    explicit TextBuilder(qsizetype capacity)
        : m_text(capacity, Qt::Uninitialized)
        , m_at(m_text.data())
    {
    }
    void Add(QChar c) { *m_at++ = c; }
    bool IsEmpty() const { return m_at == m_text.constData(); }
    qsizetype Size() const { return m_at - m_text.constData(); }
    void Truncate(qsizetype size) { m_at = m_text.data() + size; }
    QString Take()
    {
        m_text.truncate(m_at - m_text.constData());
        return std::move(m_text);
    }

private:
    QString m_text;
    QChar* m_at;
};

bool IsSeparator(QChar c)
{
    // After NFKC the wide forms "，", "／" and "；" are these narrow ones.
    return c == u',' || c == u'、' || c == u'/' || c == u';';
}

bool IsPlaceholder(QChar c)
{
    // "～" (U+FF5E) is "~" after NFKC; the wave dash U+301C is typed too.
    return c == u'~' || c == u'〜';
}

// NFKC of a character when it can be made a character at a time: ASCII,
// kana and ideographs stay (none of them composes with another of them),
// the wide forms of ASCII and the ideographic space become ASCII. False
// for anything else, which Qt's normalisation takes.
bool NfkcOf(char16_t u, QChar* nfkc)
{
    if (u < 0x80 || (u >= 0x3041 && u <= 0x3096) || (u >= 0x30a1 && u <= 0x30fc) || (u >= 0x4e00 && u <= 0x9fff)
        || u == 0x3001 || u == 0x3002 || u == 0x3005 || (u >= 0x300c && u <= 0x300f) || u == 0x301c)
        *nfkc = QChar(u);
    else if (u >= 0xff01 && u <= 0xff5e)
        *nfkc = QChar(static_cast<char16_t>(u - 0xfee0));
    else if (u == 0x3000)
        *nfkc = QChar(u' ');
    else
        return false;
    return true;
}

// NFKC text written a character at a time with "[…]" marks (and
// placeholders unless kept) dropped: a "[" is written until its "]"
// comes, and what was written from it is then taken back; an unclosed "["
// stays.
class UnifiedText {
public:
    UnifiedText(qsizetype capacity, bool keepPlaceholders)
        : m_out(capacity)
        , m_keepPlaceholders(keepPlaceholders)
    {
    }
    void Add(QChar c)
    {
        if (c == u']' && m_open >= 0) {
            m_out.Truncate(m_open);
            m_open = -1;
            return;
        }
        if (c == u'[' && m_open < 0)
            m_open = m_out.Size();
        if (m_keepPlaceholders || !IsPlaceholder(c))
            m_out.Add(c);
    }
    QString Take() { return m_out.Take(); }

private:
    TextBuilder m_out;
    qsizetype m_open = -1; // where the "[" waiting for its "]" was written
    bool m_keepPlaceholders;
};

// NFKC, with "[…]" marks (and placeholders unless kept) dropped. An
// unclosed "[" stays.
QString Unify(const QString& text, bool keepPlaceholders = false)
{
    UnifiedText unified(text.size(), keepPlaceholders);
    QChar nfkc;
    bool byCharacter = true;
    for (const QChar c : text) {
        if (!NfkcOf(c.unicode(), &nfkc)) {
            byCharacter = false;
            break;
        }
        unified.Add(nfkc);
    }
    if (byCharacter)
        return unified.Take();
    const QString normalized = text.normalized(QString::NormalizationForm_KC);
    UnifiedText slow(normalized.size(), keepPlaceholders);
    for (const QChar c : normalized)
        slow.Add(c);
    return slow.Take();
}

// What follows an object slot at the start of an alternative ("～を…",
// "（お金）を…") and its particle, or an empty view when it does not
// start so: a pupil who writes the verb alone is right too.
QStringView AfterSlotAndParticle(QStringView part)
{
    static const QStringView particles[]
        = {u"から", u"より", u"を", u"に", u"が", u"と", u"で", u"へ", u"の", u"は", u"も"};
    part = part.trimmed();
    qsizetype slotEnd = 0;
    if (!part.isEmpty() && IsPlaceholder(part.front()))
        slotEnd = 1;
    else if (part.startsWith(u'('))
        slotEnd = part.indexOf(u')') + 1;
    if (slotEnd <= 0)
        return {};
    const QStringView rest = part.mid(slotEnd).trimmed();
    for (const QStringView particle : particles) {
        if (rest.startsWith(particle) && rest.size() > particle.size())
            return rest.mid(particle.size());
    }
    return {};
}

// Kana and the CJK ideographs (U+3040 to U+9FFF): neither white space nor
// Latin letters, which is most of a Japanese answer.
bool IsKanaOrIdeograph(char16_t c)
{
    return c >= 0x3040 && c < 0xa000;
}

bool IsSpace(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u == u' ' || (u >= u'\t' && u <= u'\r');
    return !IsKanaOrIdeograph(u) && c.isSpace();
}

QChar Folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? QChar(u + (u'a' - u'A')) : c;
    if (IsKanaOrIdeograph(u) || c.script() != QChar::Script_Latin)
        return c;
    return c.toLower();
}

// Latin letters in lower case, runs of spaces as one, no space at the ends;
// placeholders dropped unless kept.
QString Tidy(QStringView text, bool dropPlaceholders = false)
{
    TextBuilder out(text.size());
    bool pendingSpace = false;
    for (const QChar c : text) {
        if (dropPlaceholders && IsPlaceholder(c))
            continue;
        if (IsSpace(c)) {
            pendingSpace = !out.IsEmpty();
            continue;
        }
        if (pendingSpace)
            out.Add(u' ');
        pendingSpace = false;
        out.Add(Folded(c));
    }
    return out.Take();
}

// Calls `part` with each part of `text` between separators.
template <typename Part>
void ForEachPart(QStringView text, Part part)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || IsSeparator(text[i])) {
            part(text.mid(start, i - start));
            start = i + 1;
        }
    }
}

void AddOnce(QStringList& list, const QString& form)
{
    if (!form.isEmpty() && !list.contains(form))
        list.append(form);
}

// The part as written, with the parenthesised pieces' brackets dropped,
// and with those pieces left out.
void AddForms(QStringList& forms, const QString& part)
{
    AddOnce(forms, part);
    if (!part.contains(u'(') || !part.contains(u')'))
        return;
    QString kept;
    QString left;
    for (qsizetype i = 0; i < part.size(); ++i) {
        const qsizetype close = part[i] == u'(' ? part.indexOf(u')', i + 1) : -1;
        if (close < 0) {
            kept += part[i];
            left += part[i];
            continue;
        }
        kept += part.mid(i + 1, close - i - 1);
        i = close;
    }
    AddOnce(forms, Tidy(kept));
    AddOnce(forms, Tidy(left));
}

} // namespace

QStringList AnswerNormalizer::Alternatives(const QString& answer)
{
    const QString unified = Unify(MarkupRenderer::ToPlain(answer, QStringLiteral(" ")), true);
    QStringList forms;
    forms.reserve(4);
    ForEachPart(unified, [&](QStringView part) {
        AddForms(forms, Tidy(part, true));
        const QStringView verb = AfterSlotAndParticle(part);
        if (!verb.isEmpty())
            AddForms(forms, Tidy(verb, true));
    });
    return forms;
}

bool AnswerNormalizer::Accepts(const QString& answer, const QString& typed)
{
    const QStringList accepted = Alternatives(answer);
    const QString unified = Unify(typed);
    bool any = false;
    bool all = true;
    ForEachPart(unified, [&](QStringView part) {
        const QString form = Tidy(part);
        if (form.isEmpty())
            return;
        all = all && accepted.contains(form);
        any = true;
    });
    return any && all;
}
