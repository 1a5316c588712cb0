#pragma once

#include <QVariant>
#include <QWidget>

// Controls of the program's dialogs carry their numeric resource id
// (res/ResourceIds.h) as the dynamic property "controlId", so that callers
// and tests can find them by the ids of the dialog tables.
inline constexpr char ControlIdProperty[] = "controlId";

inline void SetControlId(QWidget* control, int id)
{
    control->setProperty(ControlIdProperty, id);
}

inline int ControlIdOf(const QWidget* control)
{
    const QVariant id = control->property(ControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

// The control below `dialog` with id `id` and type T, or null.
template <typename T = QWidget>
T* FindControl(const QObject* dialog, int id)
{
    for (T* control : dialog->findChildren<T*>()) {
        if (ControlIdOf(control) == id)
            return control;
    }
    return nullptr;
}
