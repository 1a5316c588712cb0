#include "print/CreatorTaro.h"

#include "automation/AutomationError.h"
#include "automation/ClassRegistry.h"
#include "markup/GaijiFace.h"

#include <QRegularExpression>
#include <QtDebug>
#include <exception>
#include <optional>

namespace Print {

namespace {

using Automation::Dispatch;
using Automation::Variant;

const QString ProgId = QStringLiteral("JXW.Application");
const QString Tab = QStringLiteral("\t");
const QString JapaneseFontKey = QStringLiteral("和文フォント名");
const QString WritingDirectionKey = QStringLiteral("文字組");
const QString SizeResetMark = QStringLiteral("〓");
const QString BracketedDigits = QStringLiteral("（[0-9]+）");

// Arguments of the calls whose values are Ichitaro's own codes.
constexpr int WindowMinimised = 2;
constexpr int WindowNormal = 0;
constexpr int SelectByCharacter = 2; // SelectRangeStart
constexpr int SubscriptSize = 8;     // CharacterSize
constexpr int StandardSize = 0;
constexpr int EndOfLineMove = 2;        // EndOfLine
constexpr int DiscardChanges = 3;       // Close
constexpr int VerticalWriting = 2;      // the layout's 文字組
constexpr int DecorationArguments = 13; // InputDecoration
constexpr int UnderlineArgument = 2;

// The answer of the availability probe, shared by every Ichitaro creator.
std::optional<bool>& Availability()
{
    static std::optional<bool> answer;
    return answer;
}

Automation::DispatchPtr RequireObject(const Variant& value, const QString& what)
{
    auto object = Automation::ToDispatch(value);
    if (!object)
        throw Automation::AutomationError(Automation::AutomationError::Fail, QString::fromLatin1(Dispatch::Iid),
            QStringLiteral("%1 gave no object").arg(what));
    return object;
}

bool ProbeAvailability()
{
    // A backend that can tell without starting the word processor does.
    if (const std::optional<bool> known = Automation::ClassRegistry::Availability(ProgId))
        return *known;
    try {
        const auto application = Automation::CreateObjectAs<Dispatch>(ProgId);
        if (!application)
            return false;
        bool hasLibrary = false;
        try {
            hasLibrary = Automation::ToDispatch(application->Get(QStringLiteral("TaroLibrary"))) != nullptr;
        } catch (...) {
            application->Call(QStringLiteral("Quit"), {Variant::Missing()});
            throw;
        }
        application->Call(QStringLiteral("Quit"), {Variant::Missing()});
        return hasLibrary;
    } catch (const std::exception& error) {
        qWarning("Ichitaro is not available: %s", error.what());
    } catch (...) {
        qWarning("Ichitaro is not available");
    }
    return false;
}

// InputDecoration takes 13 arguments, all omitted but the underline.
Dispatch::Arguments UnderlineArguments(bool on)
{
    Dispatch::Arguments args(DecorationArguments, Variant::Missing());
    args[UnderlineArgument] = on ? 1 : 0;
    return args;
}

} // namespace

CreatorTaro::CreatorTaro() = default;
CreatorTaro::~CreatorTaro() = default;

bool CreatorTaro::CanCreate() const
{
    return true;
}

bool CreatorTaro::IsAvailable()
{
    std::optional<bool>& answer = Availability();
    if (!answer)
        answer = ProbeAvailability();
    return *answer;
}

void CreatorTaro::ForgetAvailability()
{
    Availability().reset();
}

Variant CreatorTaro::Lib(const QString& name, Dispatch::Arguments args)
{
    return m_library->Invoke(name, Dispatch::CallKind::Method, args);
}

bool CreatorTaro::Open(const QString& templatePath)
{
    ReleaseAll();
    try {
        m_application = Automation::CreateObjectAs<Dispatch>(ProgId);
    } catch (const Automation::AutomationError& error) {
        qWarning("Ichitaro could not be started: %s", error.what());
    }
    if (!m_application)
        return false;
    m_library = Automation::ToDispatch(m_application->Get(QStringLiteral("TaroLibrary")));
    if (!m_library)
        return false;

    m_savedWarningMode = Lib(QStringLiteral("GetWarningMode"));
    m_presented = false;
    Lib(QStringLiteral("WarningMode"), {0});
    if (!OpenDocument(templatePath) || !PrepareEditing())
        return false;

    // Writing begins in the template's last row; the rows above it are
    // the header block.
    Lib(QStringLiteral("JumpEnd"));
    m_headerRows = std::max(Lib(QStringLiteral("GetRow")).ToInt() - 1, 0);
    return true;
}

bool CreatorTaro::OpenDocument(const QString& templatePath)
{
    Lib(QStringLiteral("OpenDocumentFile"), {templatePath});
    m_application->Put(QStringLiteral("WindowState"), WindowMinimised);
    m_application->Put(QStringLiteral("Visible"), false);
    m_document = Automation::ToDispatch(m_application->Get(QStringLiteral("ActiveDocument")));
    return m_document != nullptr;
}

// The display-mode probe tells whether the document can be worked on at
// all; then the key assignment and the input assistance are turned off so
// that typed text arrives as sent.
bool CreatorTaro::PrepareEditing()
{
    try {
        Lib(QStringLiteral("GetDisplayMode"));
        m_options.SwitchOff(m_library);
        Lib(QStringLiteral("EnableAssist"), {0});
        return true;
    } catch (const std::exception& error) {
        qWarning("The Ichitaro document cannot be prepared: %s", error.what());
    }
    return false;
}

bool CreatorTaro::WriteCommand(const Cmd& command)
{
    switch (command.kind) {
    case QuestionHead:
    case ItemNumber:
    case AnswerNumber: WriteNumber(command.kind, command.text); break;
    case NewParagraph: Lib(QStringLiteral("InsertReturn")); break;
    case NewPage: Lib(QStringLiteral("InsertPage")); break;
    case LineBreak: Lib(QStringLiteral("InsertReturn"), {1, 2}); break;
    case Text: Insert(command.text); break;
    case UnderlinedText:
        Lib(QStringLiteral("InputDecoration"), UnderlineArguments(true));
        Insert(command.text);
        Lib(QStringLiteral("InputDecoration"), UnderlineArguments(false));
        break;
    case SubscriptText: WriteSubscript(command.text); break;
    case PrintId:
        Insert(command.text);
        Lib(QStringLiteral("ParagraphStyle"), {StyleName(PrintId)});
        break;
    case PageHeader: PasteHeader(command.text); break;
    case ExternalChar: WriteExternalChar(command.text); break;
    default: break; // not a kind this creator writes
    }
    return true;
}

void CreatorTaro::Insert(const QString& text)
{
    Lib(QStringLiteral("Insert"), {text});
}

// The style is set after the text: it applies to the whole row anyway.
void CreatorTaro::WriteNumber(int kind, const QString& text)
{
    Insert(Decorate(kind, text) + Tab);
    Lib(QStringLiteral("ParagraphStyle"), {StyleName(kind)});
}

// The text is made small after it is typed. Text typed next would take on
// the small size from the character before it, so a stand-in character is
// typed, set back to the standard size and removed again: the input
// continues in the standard size.
void CreatorTaro::WriteSubscript(const QString& text)
{
    if (text.isEmpty())
        return;
    Insert(text);
    Lib(QStringLiteral("SelectRangeStart"));
    Lib(QStringLiteral("CursorLeft"), {static_cast<int>(text.size())});
    Lib(QStringLiteral("CharacterSize"), {SubscriptSize});
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("EndOfLine"), {EndOfLineMove});

    Insert(SizeResetMark);
    Lib(QStringLiteral("SelectRangeStart"));
    Lib(QStringLiteral("CursorLeft"), {1});
    Lib(QStringLiteral("CharacterSize"), {StandardSize});
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("CursorRight"), {1});
    Lib(QStringLiteral("BackSpace"));
}

void CreatorTaro::WriteExternalChar(const QString& character)
{
    const auto attribute
        = RequireObject(Lib(QStringLiteral("GetCharacterAttribute")), QStringLiteral("GetCharacterAttribute"));
    const Variant font = attribute->Call(QStringLiteral("Item"), {JapaneseFontKey});
    Lib(QStringLiteral("InputCharacter"), {GaijiFaceName.toString()});
    Insert(character);
    Lib(QStringLiteral("InputCharacter"), {font});
}

// Selects the header rows from the document start.
void CreatorTaro::SelectHeaderRows()
{
    Lib(QStringLiteral("JumpStart"));
    Lib(QStringLiteral("SelectRangeStart"), {SelectByCharacter});
    Lib(QStringLiteral("Row"), {m_headerRows});
}

// A template of a single row has no header block: copying an empty
// selection would leave the user's clipboard for Paste to insert, so
// nothing is copied or pasted then.
void CreatorTaro::PasteHeader(const QString& className)
{
    if (m_headerRows.ToInt() <= 0)
        return;
    SelectHeaderRows();
    Lib(QStringLiteral("Clip"));
    Lib(QStringLiteral("PointingMode"));
    Lib(QStringLiteral("JumpEnd"));
    const int pastedAt = className.isEmpty() ? 0 : Lib(QStringLiteral("GetRow")).ToInt();
    Lib(QStringLiteral("Pointing"));
    Lib(QStringLiteral("Paste"));
    if (!className.isEmpty())
        FillClassMarks(pastedAt, className);
}

// The "@class" marks of the copy pasted from row `firstRow` on take the
// class name; the copies before it have theirs already. Marks without a
// name are emptied with the rest at the end of the run. A match the search
// reports outside the main text (a page header) selects nothing: the
// search ends there. Writing goes on at the end.
void CreatorTaro::FillClassMarks(int firstRow, const QString& className)
{
    Lib(QStringLiteral("JumpStart"));
    Lib(QStringLiteral("Row"), {firstRow - 1});
    const QString pattern = QRegularExpression::escape(ClassPlaceholder);
    while (Lib(QStringLiteral("SearchRegexp"), {pattern}).ToInt() != 0) {
        const auto match = RequireObject(Lib(QStringLiteral("GetString")), QStringLiteral("GetString"));
        if (match->Call(QStringLiteral("Item"), {1}).ToString() != ClassPlaceholder)
            break;
        Insert(className);
    }
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("JumpEnd"));
}

// The document goes, unsaved. It is not closed a second time by Finish.
void CreatorTaro::Abort()
{
    if (!m_document)
        return;
    m_document->Call(QStringLiteral("Close"), {DiscardChanges});
    m_document.reset();
}

bool CreatorTaro::SetTitle(const QString& title)
{
    Lib(QStringLiteral("JumpStart"));
    ReplaceAll(TitlePlaceholder, title);
    // The teacher's window says which print it holds, not "Untitled 1";
    // a word processor that cannot be told keeps its own name.
    if (!title.trimmed().isEmpty()) {
        try {
            m_document->Call(QStringLiteral("SetCaption"), {title});
        } catch (const Automation::AutomationError&) {
        }
    }
    return true;
}

bool CreatorTaro::SetRange(const QString& rangeText)
{
    Lib(QStringLiteral("JumpStart"));
    ReplaceAll(RangePlaceholder, rangeText);
    return true;
}

bool CreatorTaro::ClearMark(const QString& mark)
{
    Lib(QStringLiteral("JumpStart"));
    ReplaceAll(mark, QString());
    return true;
}

// A search from the start, as the replacement went; the match found is
// let go again.
bool CreatorTaro::Holds(const QString& text)
{
    Lib(QStringLiteral("JumpStart"));
    const bool found = Lib(QStringLiteral("SearchRegexp"), {QRegularExpression::escape(text)}).ToInt() != 0;
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("JumpStart"));
    return found;
}

void CreatorTaro::ReplaceAll(const QString& search, const QString& replacement)
{
    Lib(QStringLiteral("ReplaceStringAll"), {search, replacement, 1, 0, 0});
}

bool CreatorTaro::IsVertical()
{
    const auto layout
        = RequireObject(Lib(QStringLiteral("GetDocumentStyleLayout")), QStringLiteral("GetDocumentStyleLayout"));
    return layout->Call(QStringLiteral("Item"), {WritingDirectionKey}).ToInt() == VerticalWriting;
}

// Brackets become full-width, except the parentheses around bare digit
// runs, which become half-width; the horizontal-in-vertical setting of
// the whole document then sets "(12)" across the vertical line.
void CreatorTaro::MakeDigitsUpright()
{
    ConvertDigitBrackets();
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("JumpStart"));

    Lib(QStringLiteral("SelectAll"));
    Lib(QStringLiteral("SelectSetTateChuYoko"), {1, 0, 4, 0});
    Lib(QStringLiteral("CancelSelectRange"));
    Lib(QStringLiteral("JumpStart"));
}

void CreatorTaro::ConvertDigitBrackets()
{
    ReplaceAll(QStringLiteral("["), QStringLiteral("［"));
    ReplaceAll(QStringLiteral("]"), QStringLiteral("］"));
    ReplaceAll(QStringLiteral("("), QStringLiteral("（"));
    ReplaceAll(QStringLiteral(")"), QStringLiteral("）"));

    Lib(QStringLiteral("JumpStart"));
    while (Lib(QStringLiteral("SearchRegexp"), {BracketedDigits}).ToInt() != 0) {
        StillWorking();
        const auto match = RequireObject(Lib(QStringLiteral("GetString")), QStringLiteral("GetString"));
        QString text = match->Call(QStringLiteral("Item"), {1}).ToString();
        text.replace(QStringLiteral("（"), QStringLiteral("(")).replace(QStringLiteral("）"), QStringLiteral(")"));
        Insert(text);
    }
}

bool CreatorTaro::Complete()
{
    if (m_headerRows.ToInt() > 0) {
        SelectHeaderRows();
        Lib(QStringLiteral("Delete"));
    }
    m_options.Restore();
    Lib(QStringLiteral("EnableAssist"), {1});
    // A document bound for a file stays hidden; Finish closes it.
    if (!WritesToFile()) {
        ShowApplication();
        m_presented = true;
    }
    return true;
}

bool CreatorTaro::SaveAs(const QString& path, const QString& format)
{
    m_document->Call(QStringLiteral("SaveAs"), {path, format});
    return true;
}

void CreatorTaro::ShowApplication()
{
    m_application->Put(QStringLiteral("Visible"), true);
    m_application->Put(QStringLiteral("WindowState"), WindowNormal);
}

// Every step is tried even when an earlier one fails, so that a failed
// run neither leaves the application hidden in the background nor keeps
// the teacher's key assignment switched off; the first failure is passed
// on afterwards. A presented document stays open in the running
// application.
void CreatorTaro::Finish()
{
    std::exception_ptr firstFailure;
    const auto attempt = [&firstFailure](const auto& step) {
        try {
            step();
        } catch (...) {
            if (!firstFailure)
                firstFailure = std::current_exception();
        }
    };
    if (!m_presented && m_document)
        attempt([this] { m_document->Call(QStringLiteral("Close"), {Variant::Missing()}); });
    if (m_library && !m_savedWarningMode.IsNull())
        attempt([this] { Lib(QStringLiteral("WarningMode"), {m_savedWarningMode}); });
    if (m_library)
        attempt([this] { m_options.Restore(); });
    if (!m_presented && m_application)
        attempt([this] { m_application->Call(QStringLiteral("Quit"), {Variant::Missing()}); });
    ReleaseAll();
    if (firstFailure)
        std::rethrow_exception(firstFailure);
}

void CreatorTaro::ReleaseAll()
{
    m_options.Release();
    m_document.reset();
    m_library.reset();
    m_application.reset();
    m_headerRows = Variant();
    m_savedWarningMode = Variant();
    m_presented = false;
}

} // namespace Print
