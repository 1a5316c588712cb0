#include "print/TaroOptionKeeper.h"

#include "automation/AutomationError.h"

namespace Print {

using Automation::Variant;

const QString TaroOptionKeeper::KeyAssignment = QStringLiteral("JW型ｷｰ割付");

namespace {

Automation::DispatchPtr OptionEnvironment(const Automation::DispatchPtr& library)
{
    auto environment
        = Automation::ToDispatch(library->Call(QStringLiteral("GetOptionEnvironment"), {Variant::Missing()}));
    if (!environment)
        throw Automation::AutomationError(Automation::AutomationError::Fail,
            QString::fromLatin1(Automation::Dispatch::Iid), QStringLiteral("GetOptionEnvironment gave no object"));
    return environment;
}

} // namespace

void TaroOptionKeeper::SwitchOff(Automation::DispatchPtr library)
{
    m_library = std::move(library);
    m_saved = Variant();
    const auto environment = OptionEnvironment(m_library);
    const Variant value = environment->Call(QStringLiteral("Item"), {KeyAssignment});
    if (value.ToInt() == 0)
        return;
    m_saved = value;
    Write(environment, 0);
}

void TaroOptionKeeper::Restore()
{
    if (!IsHolding())
        return;
    const Variant saved = std::exchange(m_saved, Variant());
    Write(OptionEnvironment(m_library), saved);
}

void TaroOptionKeeper::Write(const Automation::DispatchPtr& environment, const Variant& value)
{
    environment->Put(QStringLiteral("Item"), {KeyAssignment}, value);
    m_library->Call(
        QStringLiteral("OptionEnvironment"), {Variant(std::static_pointer_cast<Automation::Object>(environment))});
}

void TaroOptionKeeper::Release()
{
    m_library.reset();
    m_saved = Variant();
}

} // namespace Print
