#pragma once

#include <QString>
#include <rtl/ustring.hxx>

namespace Office {

using rtl::OUString;

// Both sides use UTF-16, so the texts convert without recoding.
inline OUString ToOUString(const QString& text)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), static_cast<sal_Int32>(text.size()));
}

inline QString ToQString(const OUString& text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.getStr()), text.getLength());
}

} // namespace Office
