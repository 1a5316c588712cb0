#include "automation/NamedDispatch.h"

#include "automation/AutomationError.h"

namespace Automation {
namespace {

// DISP_E_MEMBERNOTFOUND: the member exists but not for this kind of call.
constexpr int MemberNotFound = static_cast<int>(0x80020003u);

} // namespace

NamedDispatch::NamedDispatch(QString interfaceId)
    : m_interfaceId(std::move(interfaceId))
{
}

int NamedDispatch::IdOfName(const QString& name)
{
    return m_ids.value(name.toLower(), UnknownId);
}

Variant NamedDispatch::Arg(const Arguments& args, size_t index)
{
    return index < args.size() ? args[index] : Variant::Missing();
}

int NamedDispatch::Add(const QString& name, Member member)
{
    const int id = static_cast<int>(m_members.size());
    member.name = name;
    m_members.push_back(std::move(member));
    m_ids.insert(name.toLower(), id);
    return id;
}

void NamedDispatch::AddMethod(const QString& name, Method method)
{
    Member member;
    member.call = std::move(method);
    Add(name, std::move(member));
}

void NamedDispatch::AddProperty(const QString& name, Getter getter, Setter setter)
{
    Member member;
    member.get = std::move(getter);
    member.put = std::move(setter);
    Add(name, std::move(member));
}

Variant NamedDispatch::InvokeId(int id, CallKind kind, Arguments& args)
{
    if (id < 0 || id >= static_cast<int>(m_members.size()))
        Fail(MemberNotFound, QStringLiteral("no member with the identifier %1").arg(id));
    Member& member = m_members[static_cast<size_t>(id)];
    switch (kind) {
    case CallKind::Method:
    case CallKind::PropertyGet:
        if (member.call)
            return member.call(args);
        if (member.get)
            return member.get(args);
        break;
    case CallKind::PropertyPut:
        if (member.put) {
            if (args.empty())
                Fail(AutomationError::InvalidArgument, QStringLiteral("%1 needs a value to put").arg(member.name));
            member.put(args);
            return {};
        }
        break;
    }
    Fail(MemberNotFound,
        QStringLiteral("%1 cannot be %2")
            .arg(member.name, kind == CallKind::PropertyPut ? QStringLiteral("written") : QStringLiteral("read")));
}

void NamedDispatch::Fail(int code, const QString& why) const
{
    throw AutomationError(code, m_interfaceId, why);
}

} // namespace Automation
