#include "print/RecordingTaro.h"

#include "automation/ClassRegistry.h"

namespace RecordingTaro {

using Automation::Dispatch;
using Automation::Variant;
using StatePtr = std::shared_ptr<State>;

void State::Log(const QString& call)
{
    log << call;
    if (onCall)
        onCall(call);
}

QStringList State::LogWithout(const QStringList& names) const
{
    QStringList kept;
    for (const QString& call : log) {
        const QString name = call.section(QLatin1Char('('), 0, 0).section(QLatin1Char('='), 0, 0);
        if (!names.contains(name))
            kept << call;
    }
    return kept;
}

namespace {

QString Shown(const Variant& value)
{
    switch (value.GetType()) {
    case Variant::Type::Missing: return QStringLiteral("-");
    case Variant::Type::Empty: return QStringLiteral("empty");
    case Variant::Type::Bool: return value.ToBool() ? QStringLiteral("true") : QStringLiteral("false");
    case Variant::Type::String: return QLatin1Char('"') + value.ToString() + QLatin1Char('"');
    case Variant::Type::Object: return QStringLiteral("object");
    default: return value.ToString();
    }
}

QString ArgumentList(const Dispatch::Arguments& args, size_t count)
{
    QStringList shown;
    for (size_t i = 0; i < count; ++i)
        shown << Shown(args[i]);
    return QLatin1Char('(') + shown.join(QLatin1Char(',')) + QLatin1Char(')');
}

// One object of the server: the names it knows, and what each answers.
class FakeObject : public Dispatch {
public:
    using Answer = std::function<Variant(const QString& name, CallKind kind, Arguments& args)>;

    FakeObject(StatePtr state, QString prefix, QStringList names, Answer answer)
        : m_state(std::move(state))
        , m_prefix(std::move(prefix))
        , m_names(std::move(names))
        , m_answer(std::move(answer))
    {
    }

    int IdOfName(const QString& name) override
    {
        if (m_state->unknownNames.contains(name))
            return UnknownId;
        for (int i = 0; i < m_names.size(); ++i)
            if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return UnknownId;
    }

protected:
    Variant InvokeId(int id, CallKind kind, Arguments& args) override
    {
        const QString& name = m_names[id];
        QString call = m_prefix + name;
        if (kind == CallKind::PropertyPut)
            call += (args.size() > 1 ? ArgumentList(args, args.size() - 1) : QString()) + QLatin1Char('=')
                + Shown(args.back());
        else if (kind == CallKind::Method)
            call += ArgumentList(args, args.size());
        m_state->Log(call);
        return m_answer ? m_answer(name, kind, args) : Variant();
    }

private:
    StatePtr m_state;
    QString m_prefix;
    QStringList m_names;
    Answer m_answer;
};

Variant ObjectValue(std::shared_ptr<FakeObject> object)
{
    return Variant(std::static_pointer_cast<Automation::Object>(std::move(object)));
}

Variant KeyedValues(const StatePtr& state, const QString& prefix)
{
    return ObjectValue(std::make_shared<FakeObject>(state, prefix, QStringList{"Item"},
        [state](const QString&, Dispatch::CallKind kind, Dispatch::Arguments& args) -> Variant {
            const QString key = args.empty() ? QString() : args.front().ToString();
            if (key == QStringLiteral("JW型ｷｰ割付")) {
                if (kind == Dispatch::CallKind::PropertyPut)
                    state->keyAssignment = args.back().ToInt();
                return state->keyAssignment;
            }
            if (key == QStringLiteral("和文フォント名"))
                return state->japaneseFont;
            if (key == QStringLiteral("文字組"))
                return state->writingDirection;
            return {};
        }));
}

Variant MatchValue(const StatePtr& state, const QString& text)
{
    return ObjectValue(std::make_shared<FakeObject>(state, QStringLiteral("Match."), QStringList{"Item"},
        [text](const QString&, Dispatch::CallKind, Dispatch::Arguments&) { return Variant(text); }));
}

const QStringList LibraryNames = {"GetWarningMode", "WarningMode", "OpenDocumentFile", "GetDisplayMode",
    "GetOptionEnvironment", "OptionEnvironment", "EnableAssist", "JumpStart", "JumpEnd", "GetRow", "Row",
    "SelectRangeStart", "CancelSelectRange", "SelectAll", "Clip", "PointingMode", "Pointing", "Paste", "Delete",
    "Insert", "InsertReturn", "InsertPage", "ParagraphStyle", "InputDecoration", "CharacterSize", "CursorLeft",
    "CursorRight", "EndOfLine", "BackSpace", "GetCharacterAttribute", "InputCharacter", "ReplaceStringAll",
    "SearchRegexp", "GetString", "SelectSetTateChuYoko", "GetDocumentStyleLayout"};

std::shared_ptr<FakeObject> MakeLibrary(const StatePtr& state)
{
    auto current = std::make_shared<QString>(); // the last match found
    return std::make_shared<FakeObject>(state, QString(), LibraryNames,
        [state, current](const QString& name, Dispatch::CallKind, Dispatch::Arguments& args) -> Variant {
            if (name == "GetWarningMode")
                return state->warningMode;
            if (name == "WarningMode")
                state->warningMode = args.front();
            if (name == "GetRow")
                return state->row;
            if (name == "GetOptionEnvironment")
                return KeyedValues(state, QStringLiteral("Options."));
            if (name == "GetCharacterAttribute")
                return KeyedValues(state, QStringLiteral("Attribute."));
            if (name == "GetDocumentStyleLayout")
                return KeyedValues(state, QStringLiteral("Layout."));
            if (name == "SearchRegexp") {
                if (state->matches.isEmpty())
                    return 0;
                *current = state->matches.takeFirst();
                return 1;
            }
            if (name == "GetString")
                return MatchValue(state, *current);
            return 1;
        });
}

std::shared_ptr<FakeObject> MakeApplication(const StatePtr& state)
{
    auto library = MakeLibrary(state);
    auto document = std::make_shared<FakeObject>(state, QStringLiteral("Doc."), QStringList{"Close"}, nullptr);
    return std::make_shared<FakeObject>(state, QStringLiteral("App."),
        QStringList{"TaroLibrary", "ActiveDocument", "Visible", "WindowState", "Quit"},
        [state, library, document](const QString& name, Dispatch::CallKind kind, Dispatch::Arguments&) -> Variant {
            if (kind == Dispatch::CallKind::PropertyPut)
                return {};
            if (name == "TaroLibrary")
                return state->hasLibrary ? ObjectValue(library) : Variant();
            if (name == "ActiveDocument")
                return state->hasDocument ? ObjectValue(document) : Variant();
            return {};
        });
}

} // namespace

Registration::Registration(std::shared_ptr<State> state)
{
    Automation::ClassRegistry::Register(QStringLiteral("JXW.Application"), [this, state] {
        ++created;
        return std::static_pointer_cast<Automation::Object>(MakeApplication(state));
    });
}

Registration::~Registration()
{
    Automation::ClassRegistry::Unregister(QStringLiteral("JXW.Application"));
}

} // namespace RecordingTaro
