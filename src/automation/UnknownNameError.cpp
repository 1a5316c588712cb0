#include "automation/UnknownNameError.h"

#include "automation/Dispatch.h"

namespace Automation {

UnknownNameError::UnknownNameError(const QString& name)
    : AutomationError(
        UnknownName, QString::fromLatin1(Dispatch::Iid), QStringLiteral("DispidOfName %1 error").arg(name))
    , m_name(name)
{
    m_text = Description().toUtf8();
}

const char* UnknownNameError::what() const noexcept
{
    return m_text.constData();
}

} // namespace Automation
