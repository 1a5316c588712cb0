#pragma once

#include "automation/NamedDispatch.h"

#include <QMap>

namespace Office {

// An Ichitaro object that holds named values read and written through
// "Item" (key or index): the option environment, a character attribute,
// the document layout, the text of a selection. Only keys that it holds
// are accepted.
class TaroValues : public Automation::NamedDispatch {
public:
    using Values = QMap<QString, Automation::Variant>;

    explicit TaroValues(Values values, bool writable = false);

    const Values& GetValues() const { return m_values; }

private:
    QString Key(const Automation::Variant& key) const;

    Values m_values;
};

} // namespace Office
