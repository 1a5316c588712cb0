#include "automation/office/WriterFind.h"

#include "automation/WordConstants.h"
#include "automation/office/DocumentTexts.h"
#include "automation/office/TextMatcher.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"
#include "automation/office/WriterReplacement.h"

#include <QRegularExpression>

using namespace css;
using Automation::AutomationError;
using Automation::Variant;

namespace Office {
namespace {

void Take(const Variant& v, QString& setting)
{
    if (!v.IsNull())
        setting = v.ToString();
}

void Take(const Variant& v, bool& setting)
{
    if (!v.IsNull())
        setting = v.ToBool();
}

void Take(const Variant& v, int& setting)
{
    if (!v.IsNull())
        setting = v.ToInt();
}

// The replacement stays within its paragraph: line and paragraph breaks
// in it become spaces.
QString SingleLine(QString text)
{
    static const QRegularExpression breaks(QStringLiteral("\\r\\n|[\\r\\n\\v\\f\\x{2028}\\x{2029}]"));
    return text.replace(breaks, QStringLiteral(" "));
}

} // namespace

WriterFind::WriterFind(std::shared_ptr<WriterDocument> document)
    : m_document(std::move(document))
{
}

void WriterFind::ClearFormatting()
{
    // Formatting is never searched for here, so there is none to clear.
    m_document->EnsureOpen(Iid);
}

#define TV_FIND_SETTING(Type, Name, field)                                                                             \
    Type WriterFind::Get##Name()                                                                                       \
    {                                                                                                                  \
        m_document->EnsureOpen(Iid);                                                                                   \
        return m_document->Find().field;                                                                               \
    }                                                                                                                  \
    void WriterFind::Put##Name(Type value)                                                                             \
    {                                                                                                                  \
        m_document->EnsureOpen(Iid);                                                                                   \
        m_document->Find().field = value;                                                                              \
    }

TV_FIND_SETTING(bool, Forward, forward)
TV_FIND_SETTING(int, Wrap, wrap)
TV_FIND_SETTING(bool, MatchCase, matchCase)
TV_FIND_SETTING(bool, MatchByte, matchByte)
TV_FIND_SETTING(bool, MatchAllWordForms, matchAllWordForms)
TV_FIND_SETTING(bool, MatchSoundsLike, matchSoundsLike)
TV_FIND_SETTING(bool, MatchWildcards, matchWildcards)
#undef TV_FIND_SETTING

QString WriterFind::GetText()
{
    m_document->EnsureOpen(Iid);
    return m_document->Find().text;
}

void WriterFind::PutText(const QString& text)
{
    m_document->EnsureOpen(Iid);
    m_document->Find().text = text;
}

std::shared_ptr<Word::Replacement> WriterFind::GetReplacement()
{
    m_document->EnsureOpen(Iid);
    return std::make_shared<WriterReplacement>(m_document);
}

void WriterFind::ReplaceAt(int position, int length, const QString& replacement)
{
    const uno::Reference<text::XTextCursor> cursor = m_document->CursorFor(position, position + length, false);
    cursor->setString(ToOUString(replacement));
    m_document->NoteRemoved(position, length);
    m_document->NoteInserted(position, replacement);
}

bool WriterFind::Execute(const Variant& findText, const Variant& matchCase, const Variant& matchWholeWord,
    const Variant& matchWildcards, const Variant& matchSoundsLike, const Variant& matchAllWordForms,
    const Variant& forward, const Variant& wrap, const Variant& /*format: formatting is not searched for*/,
    const Variant& replaceWith, const Variant& replace)
{
    m_document->EnsureOpen(Iid);
    FindSettings& s = m_document->Find();
    Take(findText, s.text);
    Take(matchCase, s.matchCase);
    Take(matchWholeWord, s.matchWholeWord);
    Take(matchWildcards, s.matchWildcards);
    Take(matchSoundsLike, s.matchSoundsLike);
    Take(matchAllWordForms, s.matchAllWordForms);
    Take(forward, s.forward);
    Take(wrap, s.wrap);
    Take(replaceWith, s.replacementText);
    const int mode = replace.IsNull() ? Word::wdReplaceNone : replace.ToInt();
    if (s.matchWildcards)
        throw AutomationError(AutomationError::NotImplemented, QString::fromLatin1(Iid),
            QStringLiteral("wildcard searches are not supported"));

    const TextMatcher matcher(s.text, {s.matchCase, s.matchByte, s.matchWholeWord});
    if (matcher.IsEmpty())
        return false;
    // The final paragraph mark is never part of a match.
    const QString text = m_document->Story().chopped(1);
    const TextSpan selection = m_document->SelectionSpan();
    const QString replacement = SingleLine(s.replacementText);
    const bool wraps = s.wrap != Word::wdFindStop;

    if (mode == Word::wdReplaceAll) {
        QList<int> hits;
        if (wraps)
            hits = matcher.FindAll(text);
        else if (s.forward)
            hits = matcher.FindAll(text, selection.start);
        else
            hits = matcher.FindAll(text, 0, selection.end);
        if (hits.isEmpty() && !wraps)
            return false;
        int others = 0;
        UnoCall(m_document->Session(), Iid, [&] {
            // From the last match back, so the earlier positions hold.
            for (auto it = hits.crbegin(); it != hits.crend(); ++it)
                ReplaceAt(*it, matcher.Length(), replacement);
            m_document->ResyncSelection();
            if (wraps)
                others = ReplaceBesideMain(m_document->Model(), matcher, replacement);
            if (others > 0) {
                m_document->NoteTablesChanged();
                m_document->ResyncSelection();
            }
        });
        return !hits.isEmpty() || others > 0;
    }

    int hit = s.forward ? matcher.FindNext(text, selection.end) : matcher.FindPrevious(text, selection.start);
    if (hit < 0 && wraps)
        hit = s.forward ? matcher.FindNext(text, 0) : matcher.FindPrevious(text, static_cast<int>(text.size()));
    // A search through the whole document finds the text in a page header,
    // a frame, a table or a text box too; the selection, which lies in the
    // main text, stays where it is.
    if (hit < 0 && wraps && mode == Word::wdReplaceNone)
        return UnoCall(m_document->Session(), Iid, [&] {
            return FoundBesideMain(
                m_document->Model(), [&matcher](const QString& units) { return matcher.FindNext(units, 0) >= 0; });
        });
    if (hit < 0)
        return false;
    UnoCall(m_document->Session(), Iid, [&] {
        if (mode == Word::wdReplaceOne) {
            ReplaceAt(hit, matcher.Length(), replacement);
            m_document->Select(hit, hit + static_cast<int>(replacement.size()));
        } else {
            m_document->Select(hit, hit + matcher.Length());
        }
    });
    return true;
}

} // namespace Office
