#include "print/CreatorWord.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "automation/WordApplication.h"
#include "automation/WordConstants.h"
#include "markup/GaijiFace.h"

#include <QtDebug>
#include <optional>

namespace Print {

namespace {

using Automation::Variant;

const QString Tab = QStringLiteral("\t");
const QString LineBreakChar = QStringLiteral("\v");

// Word's save format for a destination's format; -1 for one it has not.
int SaveFormat(const QString& format)
{
    if (format == QLatin1String("pdf"))
        return Word::wdFormatPDF;
    if (format == QLatin1String("odt"))
        return Word::wdFormatOpenDocumentText;
    if (format == QLatin1String("docx"))
        return Word::wdFormatXMLDocument;
    if (format == QLatin1String("doc"))
        return Word::wdFormatDocument97;
    return -1;
}

// The answer of the availability probe, shared by every Word creator.
std::optional<bool>& Availability()
{
    static std::optional<bool> answer;
    return answer;
}

bool ProbeAvailability()
{
    // A backend that can tell without starting the word processor does.
    if (const std::optional<bool> known
        = Automation::ClassRegistry::Availability(QString::fromLatin1(Word::_Application::ProgId)))
        return *known;
    try {
        auto application
            = Automation::CreateObjectAs<Word::_Application>(QString::fromLatin1(Word::_Application::ProgId));
        if (!application)
            return false;
        application->Quit();
        return true;
    } catch (const std::exception& error) {
        qWarning("Word is not available: %s", error.what());
    } catch (...) {
        qWarning("Word is not available");
    }
    return false;
}

bool IsAsciiDigit(const QString& text)
{
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace

CreatorWord::CreatorWord() = default;
CreatorWord::~CreatorWord() = default;

bool CreatorWord::CanCreate() const
{
    return true;
}

bool CreatorWord::IsAvailable()
{
    std::optional<bool>& answer = Availability();
    if (!answer)
        answer = ProbeAvailability();
    return *answer;
}

void CreatorWord::ForgetAvailability()
{
    Availability().reset();
}

bool CreatorWord::Open(const QString& templatePath)
{
    ReleaseAll();
    try {
        m_application = Automation::CreateObjectAs<Word::_Application>(QString::fromLatin1(Word::_Application::ProgId));
    } catch (const Automation::AutomationError& error) {
        qWarning("Word could not be started: %s", error.what());
    }
    if (!m_application)
        return false;

    m_application->PutVisible(false);
    m_application->PutWindowState(Word::wdWindowStateMinimize);
    m_application->PutDisplayAlerts(Word::wdAlertsNone);

    m_document = m_application->GetDocuments()->Add(templatePath);

    m_header = m_document->Range();
    m_header->PutEnd(m_header->GetEnd() - 1);

    SelectEnd();
    m_selection = m_application->GetSelection();
    return true;
}

void CreatorWord::SelectEnd()
{
    const int end = m_document->Range()->GetEnd();
    m_document->Range(end, end)->Select();
}

bool CreatorWord::WriteCommand(const Cmd& command)
{
    switch (command.kind) {
    case QuestionHead:
    case ItemNumber:
    case AnswerNumber:
        SetParagraphStyle(StyleName(command.kind));
        m_selection->TypeText(Decorate(command.kind, command.text) + Tab);
        break;
    case NewParagraph: m_selection->TypeParagraph(); break;
    case NewPage: m_selection->InsertBreak(static_cast<int>(Word::wdPageBreak)); break;
    case LineBreak: m_selection->TypeText(LineBreakChar); break;
    case Text: m_selection->TypeText(command.text); break;
    case UnderlinedText: TypeWithUnderline(command.text); break;
    case SubscriptText: TypeAsSubscript(command.text); break;
    case PrintId:
        SetParagraphStyle(StyleName(PrintId));
        m_selection->TypeText(command.text);
        break;
    case PageHeader: PasteHeader(command.text); break;
    case ExternalChar: TypeExternalChar(command.text); break;
    default: break; // not a kind this creator writes
    }
    return true;
}

// The style is set before the text is typed so that it applies to the
// paragraph being written.
void CreatorWord::SetParagraphStyle(const QString& style)
{
    m_selection->GetParagraphFormat()->PutStyle(style);
}

void CreatorWord::TypeWithUnderline(const QString& text)
{
    auto font = m_selection->GetFont();
    font->PutUnderline(Word::wdUnderlineSingle);
    m_selection->TypeText(text);
    font->PutUnderline(Word::wdUnderlineNone);
}

void CreatorWord::TypeAsSubscript(const QString& text)
{
    auto font = m_selection->GetFont();
    font->PutSubscript(1);
    m_selection->TypeText(text);
    font->PutSubscript(0);
}

void CreatorWord::TypeExternalChar(const QString& character)
{
    auto font = m_selection->GetFont();
    const QString previousFace = font->GetName();
    font->PutName(GaijiFaceName.toString());
    m_selection->TypeText(character);
    font->PutName(previousFace);
}

// A template that holds nothing but its final paragraph mark has an empty
// header block. Copying an empty range would leave the user's clipboard in
// place for Paste to insert, so nothing is copied or pasted then.
// The copy's "@class" marks take the print's class name; the copies before
// it have theirs already, so the search runs from where the copy begins
// (the paragraph mark before it and the final one, which the selection
// may take in, cannot hold a mark). Marks without a name are emptied with
// the rest at the end of the run.
void CreatorWord::PasteHeader(const QString& className)
{
    if (HeaderIsEmpty())
        return;
    const int before = className.isEmpty() ? 0 : m_document->Range()->GetEnd();
    m_header->Copy();
    m_selection->Paste();
    if (className.isEmpty())
        return;
    m_document->Range(before - 1, m_document->Range()->GetEnd())->Select();
    const Variant missing = Variant::Missing();
    PrepareFind(ClassPlaceholder, className, FindScope::Selection)
        ->Execute(missing, missing, missing, missing, missing, missing, missing, missing, missing, missing,
            static_cast<int>(Word::wdReplaceAll));
    SelectEnd();
}

bool CreatorWord::HeaderIsEmpty()
{
    return m_header->GetEnd() <= m_header->GetStart();
}

void CreatorWord::Abort()
{
    if (m_application)
        m_application->GetDocuments()->Close(static_cast<int>(Word::wdDoNotSaveChanges));
}

bool CreatorWord::SetTitle(const QString& title)
{
    ReplaceAll(TitlePlaceholder, title);
    // The teacher's window says which print it holds, not "Untitled 1".
    if (!title.trimmed().isEmpty())
        m_document->SetCaption(title);
    return true;
}

bool CreatorWord::SetRange(const QString& rangeText)
{
    ReplaceAll(RangePlaceholder, rangeText);
    return true;
}

bool CreatorWord::ClearMark(const QString& mark)
{
    ReplaceAll(mark, QString());
    return true;
}

void CreatorWord::ReplaceAll(const QString& placeholder, const QString& text)
{
    const Variant missing = Variant::Missing();
    PrepareFind(placeholder, text)
        ->Execute(missing, missing, missing, missing, missing, missing, missing, missing, missing, missing,
            static_cast<int>(Word::wdReplaceAll));
}

// The same search as ReplaceAll, without replacing: found anywhere.
bool CreatorWord::Holds(const QString& text)
{
    return PrepareFind(text, std::nullopt)->Execute();
}

std::shared_ptr<Word::Find> CreatorWord::PrepareFind(
    const QString& text, const std::optional<QString>& replacement, FindScope scope)
{
    if (scope == FindScope::Document)
        m_selection->HomeKey(static_cast<int>(Word::wdStory));
    auto find = m_selection->GetFind();
    find->ClearFormatting();
    auto replacing = find->GetReplacement();
    replacing->ClearFormatting();
    find->PutText(text);
    if (replacement)
        replacing->PutText(*replacement);
    find->PutForward(true);
    find->PutWrap(scope == FindScope::Document ? Word::wdFindContinue : Word::wdFindStop);
    find->PutMatchCase(false);
    find->PutMatchByte(false);
    find->PutMatchAllWordForms(false);
    find->PutMatchSoundsLike(false);
    find->PutMatchWildcards(false);
    return find;
}

// Deleting an empty range would delete the character after it (the first
// character of the first print), so an empty header block is left alone.
bool CreatorWord::Complete()
{
    if (!HeaderIsEmpty())
        m_header->Delete();
    m_selection->HomeKey(static_cast<int>(Word::wdStory));
    return true;
}

bool CreatorWord::IsVertical()
{
    const int orientation = m_selection->GetOrientation();
    return orientation == Word::wdTextOrientationVerticalFarEast || orientation == Word::wdTextOrientationVertical;
}

// Every run of ASCII digits, the final paragraph mark aside, is set
// horizontally in the vertical line; full-width digits stand upright anyway.
void CreatorWord::MakeDigitsUpright()
{
    const int end = m_document->Range()->GetEnd();
    if (end < 2)
        return;
    const int last = end - 2;
    int runStart = -1;
    for (int c = 0; c <= last; ++c) {
        const bool digit = IsAsciiDigit(m_document->Range(c, c + 1)->GetText());
        StillWorking();
        if (digit && runStart < 0) {
            runStart = c;
        } else if (!digit && runStart >= 0) {
            SetUpright(runStart, c);
            runStart = -1;
        }
    }
    if (runStart >= 0)
        SetUpright(runStart, last + 1);
}

void CreatorWord::SetUpright(int start, int end)
{
    m_document->Range(start, end)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
}

// Word stays running and visible: with the finished document after a
// successful run, without it after Abort. The references are dropped even
// when showing the application fails.
// The document of a run into a file is not handed over: it goes unsaved
// with the hidden application, which ends the word processor when it
// shows nothing else.
void CreatorWord::Finish()
{
    auto application = std::move(m_application);
    ReleaseAll();
    if (!application)
        return;
    if (WritesToFile()) {
        application->Quit(static_cast<int>(Word::wdDoNotSaveChanges));
        return;
    }
    application->PutVisible(true);
    application->PutWindowState(Word::wdWindowStateNormal);
}

bool CreatorWord::SaveAs(const QString& path, const QString& format)
{
    const int saveFormat = SaveFormat(format);
    if (saveFormat < 0)
        return false;
    m_document->SaveAs2(path, saveFormat);
    return true;
}

void CreatorWord::ReleaseAll()
{
    m_header.reset();
    m_selection.reset();
    m_document.reset();
    m_application.reset();
}

} // namespace Print
