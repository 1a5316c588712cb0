#pragma once

#include "automation/Dispatch.h"

#include <QHash>

#include <functional>

namespace Automation {

// A Dispatch whose members are kept in a table filled by the subclass:
// methods, and properties with a getter and an optional setter. Names are
// matched without regard to case, as automation does.
class NamedDispatch : public Dispatch {
public:
    int IdOfName(const QString& name) override;

    // The argument at `index`, or an omitted one when fewer were passed.
    static Variant Arg(const Arguments& args, size_t index);

protected:
    // The identifier of the interface named in the errors of this object.
    explicit NamedDispatch(QString interfaceId = QString::fromLatin1(Dispatch::Iid));

    using Method = std::function<Variant(Arguments&)>;
    using Getter = std::function<Variant(Arguments&)>;
    // Receives the index arguments and the value (last).
    using Setter = std::function<void(Arguments&)>;

    // A method; reading it as a property calls it too, as automation
    // clients commonly do.
    void AddMethod(const QString& name, Method method);
    // A property; without a setter it is read-only.
    void AddProperty(const QString& name, Getter getter, Setter setter = {});

    Variant InvokeId(int id, CallKind kind, Arguments& args) override;

    // An AutomationError on this object's interface.
    [[noreturn]] void Fail(int code, const QString& why) const;
    const QString& InterfaceId() const { return m_interfaceId; }

private:
    struct Member {
        QString name;
        Method call; // methods
        Getter get;  // properties
        Setter put;
    };
    int Add(const QString& name, Member member);

    QString m_interfaceId;
    std::vector<Member> m_members;
    QHash<QString, int> m_ids; // by lower-case name
};

} // namespace Automation
