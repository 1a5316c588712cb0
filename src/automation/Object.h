#pragma once

#include <memory>

namespace Automation {

// The common base of every automation object (what IUnknown is to COM).
// Objects are held by std::shared_ptr; a caller asks for a particular
// interface with std::dynamic_pointer_cast.
class Object {
public:
    virtual ~Object() = default;

protected:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
};

using ObjectPtr = std::shared_ptr<Object>;

} // namespace Automation
