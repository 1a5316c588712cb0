#pragma once

#include "automation/AutomationError.h"

namespace Automation {

// A late-bound call named a member that the object does not have. Its
// text is "DispidOfName <name> error".
class UnknownNameError : public AutomationError {
public:
    // DISP_E_UNKNOWNNAME
    static constexpr int UnknownName = static_cast<int>(0x80020006u);

    explicit UnknownNameError(const QString& name);

    const QString& Name() const { return m_name; }
    const char* what() const noexcept override;

private:
    QString m_name;
    QByteArray m_text;
};

} // namespace Automation
