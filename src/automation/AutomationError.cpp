#include "automation/AutomationError.h"

namespace Automation {

AutomationError::AutomationError(int code, QString interfaceId, QString description)
    : m_code(code)
    , m_interfaceId(std::move(interfaceId))
    , m_description(std::move(description))
{
    m_what = Message().toUtf8();
}

AutomationError& AutomationError::WithFault(DocumentFault fault, QString subject)
{
    m_fault = fault;
    m_faultSubject = std::move(subject);
    return *this;
}

QString AutomationError::Message() const
{
    QString text = QStringLiteral("Automation error 0x%1 on %2")
                       .arg(static_cast<quint32>(m_code), 8, 16, QLatin1Char('0'))
                       .arg(m_interfaceId);
    if (!m_description.isEmpty())
        text += QStringLiteral(": ") + m_description;
    return text;
}

const char* AutomationError::what() const noexcept
{
    return m_what.constData();
}

} // namespace Automation
