#include "automation/office/TaroLibrary.h"

#include "automation/AutomationError.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroCall.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/TaroValues.h"
#include "automation/office/WriterDocument.h"

#include <mutex>

using Automation::AutomationError;
using Automation::Variant;

namespace Office {
namespace {

const QString KeyAssignment = QStringLiteral("JW型ｷｰ割付");

struct OptionStore {
    std::mutex mutex;
    TaroValues::Values values{{KeyAssignment, 0}};
};

OptionStore& Options()
{
    static OptionStore store;
    return store;
}

Variant ObjectValue(std::shared_ptr<Automation::Object> object)
{
    return Variant(std::move(object));
}

// The integer argument at `index`; `omitted` when it was left out.
int IntArg(const Automation::Dispatch::Arguments& args, size_t index, int omitted)
{
    const Variant value = Automation::NamedDispatch::Arg(args, index);
    return value.IsNull() ? omitted : value.ToInt();
}

QString TextArg(const Automation::Dispatch::Arguments& args, size_t index)
{
    return Automation::NamedDispatch::Arg(args, index).ToString();
}

} // namespace

TaroLibrary::TaroLibrary(std::weak_ptr<TaroApplication> application)
    : m_application(std::move(application))
{
    AddEditing();
    AddSelection();
    AddFormatting();
    AddSearching();
    AddSettings();
}

Variant TaroLibrary::Option(const QString& name)
{
    OptionStore& store = Options();
    std::lock_guard lock(store.mutex);
    return store.values.value(name);
}

void TaroLibrary::SetOption(const QString& name, const Variant& value)
{
    OptionStore& store = Options();
    std::lock_guard lock(store.mutex);
    store.values[name] = value;
}

TaroApplication& TaroLibrary::Application() const
{
    const auto application = m_application.lock();
    if (!application)
        throw AutomationError(AutomationError::Disconnected, InterfaceId(), QStringLiteral("the application is gone"));
    application->EnsureRunning();
    return *application;
}

void TaroLibrary::AddEdit(const QString& name, std::function<Variant(TaroEditor&, Arguments&)> edit)
{
    AddMethod(name, [this, edit = std::move(edit)](Arguments& args) {
        TaroDocument& document = Application().RequireDocument();
        document.CheckOpen();
        return TaroCall(Application().Session(), [&] { return edit(document.Editor(), args); });
    });
}

void TaroLibrary::AddEditing()
{
    AddMethod(QStringLiteral("OpenDocumentFile"), [this](Arguments& args) {
        const Variant path = Arg(args, 0);
        if (path.IsNull() || path.ToString().isEmpty())
            Fail(AutomationError::InvalidArgument, QStringLiteral("OpenDocumentFile needs a file"));
        Application().OpenDocument(path.ToString());
        return Variant(1);
    });
    AddEdit(QStringLiteral("JumpStart"), [](TaroEditor& e, Arguments&) {
        e.JumpStart();
        return Variant();
    });
    AddEdit(QStringLiteral("JumpEnd"), [](TaroEditor& e, Arguments&) {
        e.JumpEnd();
        return Variant();
    });
    AddEdit(QStringLiteral("GetRow"), [](TaroEditor& e, Arguments&) { return Variant(e.Row()); });
    AddEdit(QStringLiteral("Row"), [](TaroEditor& e, Arguments& args) {
        e.MoveRows(IntArg(args, 0, 1));
        return Variant();
    });
    AddEdit(QStringLiteral("CursorLeft"), [](TaroEditor& e, Arguments& args) {
        e.CursorLeft(IntArg(args, 0, 1));
        return Variant();
    });
    AddEdit(QStringLiteral("CursorRight"), [](TaroEditor& e, Arguments& args) {
        e.CursorRight(IntArg(args, 0, 1));
        return Variant();
    });
    AddEdit(QStringLiteral("EndOfLine"), [](TaroEditor& e, Arguments&) {
        e.EndOfLine();
        return Variant();
    });
    AddEdit(QStringLiteral("Insert"), [](TaroEditor& e, Arguments& args) {
        e.Insert(TextArg(args, 0));
        return Variant();
    });
    // With the arguments 1 and 2 a line break within the row, else a new row.
    AddEdit(QStringLiteral("InsertReturn"), [](TaroEditor& e, Arguments& args) {
        if (IntArg(args, 0, 0) == 1)
            e.InsertLineBreak();
        else
            e.InsertParagraphBreak();
        return Variant();
    });
    AddEdit(QStringLiteral("InsertPage"), [](TaroEditor& e, Arguments&) {
        e.InsertPageBreak();
        return Variant();
    });
    AddEdit(QStringLiteral("Delete"), [](TaroEditor& e, Arguments&) {
        e.Delete();
        return Variant();
    });
    AddEdit(QStringLiteral("BackSpace"), [](TaroEditor& e, Arguments&) {
        e.BackSpace();
        return Variant();
    });
    AddEdit(QStringLiteral("Clip"), [this](TaroEditor& e, Arguments&) {
        TaroApplication& application = Application();
        application.SetCopy(e.Copy(), &application.RequireDocument());
        return Variant();
    });
    AddEdit(QStringLiteral("Paste"), [this](TaroEditor& e, Arguments&) {
        e.Paste(Application().Copy());
        return Variant();
    });
}

void TaroLibrary::AddSelection()
{
    AddEdit(QStringLiteral("SelectRangeStart"), [](TaroEditor& e, Arguments&) {
        e.StartSelection();
        return Variant();
    });
    AddEdit(QStringLiteral("CancelSelectRange"), [](TaroEditor& e, Arguments&) {
        e.CancelSelection();
        return Variant();
    });
    AddEdit(QStringLiteral("SelectAll"), [](TaroEditor& e, Arguments&) {
        e.SelectAll();
        return Variant();
    });
    // Pointing mode places the insertion point without selecting: it ends
    // a range selection, so that the moves that follow do not stretch it.
    AddEdit(QStringLiteral("PointingMode"), [](TaroEditor& e, Arguments&) {
        e.CancelSelection();
        return Variant();
    });
    AddEdit(QStringLiteral("Pointing"), [](TaroEditor& e, Arguments&) {
        e.CancelSelection();
        return Variant();
    });
    AddEdit(QStringLiteral("GetString"), [](TaroEditor& e, Arguments&) {
        return ObjectValue(std::make_shared<TaroValues>(TaroValues::Values{{QStringLiteral("1"), e.SelectedText()}}));
    });
}

void TaroLibrary::AddFormatting()
{
    AddEdit(QStringLiteral("ParagraphStyle"), [](TaroEditor& e, Arguments& args) {
        e.SetParagraphStyle(TextArg(args, 0));
        return Variant();
    });
    // The third of its thirteen arguments turns the underline on (1) or off (0).
    AddEdit(QStringLiteral("InputDecoration"), [](TaroEditor& e, Arguments& args) {
        if (!Arg(args, 2).IsNull())
            e.SetInputUnderline(IntArg(args, 2, 0) != 0);
        return Variant();
    });
    AddEdit(QStringLiteral("CharacterSize"), [](TaroEditor& e, Arguments& args) {
        e.SetCharacterSize(IntArg(args, 0, 0));
        return Variant();
    });
    AddEdit(QStringLiteral("InputCharacter"), [](TaroEditor& e, Arguments& args) {
        e.SetInputFont(TextArg(args, 0));
        return Variant();
    });
    AddEdit(QStringLiteral("GetCharacterAttribute"), [](TaroEditor& e, Arguments&) {
        return ObjectValue(std::make_shared<TaroValues>(
            TaroValues::Values{{QStringLiteral("和文フォント名"), e.FontAtInsertionPoint(true)},
                {QStringLiteral("欧文フォント名"), e.FontAtInsertionPoint(false)}}));
    });
    // Arguments: 1 sets, 0 clears; then whether Latin letters count, the
    // longest run, and one not used here.
    AddEdit(QStringLiteral("SelectSetTateChuYoko"), [](TaroEditor& e, Arguments& args) {
        e.SetHorizontalInVertical(IntArg(args, 0, 1) != 0, IntArg(args, 1, 0) != 0, IntArg(args, 2, 0));
        return Variant();
    });
    AddEdit(QStringLiteral("GetDocumentStyleLayout"), [](TaroEditor& e, Arguments&) {
        return ObjectValue(
            std::make_shared<TaroValues>(TaroValues::Values{{QStringLiteral("文字組"), e.IsVertical() ? 2 : 1}}));
    });
}

void TaroLibrary::AddSearching()
{
    // Search and replacement texts (passed by reference) are left as they are.
    AddEdit(QStringLiteral("ReplaceStringAll"),
        [](TaroEditor& e, Arguments& args) { return Variant(e.ReplaceAll(TextArg(args, 0), TextArg(args, 1))); });
    AddEdit(QStringLiteral("SearchRegexp"),
        [](TaroEditor& e, Arguments& args) { return Variant(e.SearchRegexp(TextArg(args, 0)) ? 1 : 0); });
}

void TaroLibrary::AddSettings()
{
    AddMethod(QStringLiteral("GetWarningMode"), [this](Arguments&) { return Variant(Application().warningMode); });
    AddMethod(QStringLiteral("WarningMode"), [this](Arguments& args) {
        Application().warningMode = IntArg(args, 0, 1);
        return Variant();
    });
    AddMethod(QStringLiteral("EnableAssist"), [this](Arguments& args) {
        Application().assist = IntArg(args, 0, 1) != 0;
        return Variant();
    });
    // Only a document that is open has a display mode (0, the page view).
    AddMethod(QStringLiteral("GetDisplayMode"), [this](Arguments&) {
        Application().RequireDocument().Writer()->EnsureOpen(Iid);
        return Variant(0);
    });
    AddMethod(QStringLiteral("GetOptionEnvironment"), [this](Arguments&) {
        Application();
        OptionStore& store = Options();
        std::lock_guard lock(store.mutex);
        return ObjectValue(std::make_shared<TaroValues>(store.values, true));
    });
    AddMethod(QStringLiteral("OptionEnvironment"), [this](Arguments& args) {
        Application();
        const auto environment = std::dynamic_pointer_cast<TaroValues>(Arg(args, 0).ToObject());
        if (!environment)
            Fail(AutomationError::InvalidArgument, QStringLiteral("OptionEnvironment takes an option environment"));
        OptionStore& store = Options();
        std::lock_guard lock(store.mutex);
        store.values = environment->GetValues();
        return Variant();
    });
}

} // namespace Office
