#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>

namespace Office {

// The program's own UNO component context, made once per process. The UNO
// runtime finds its type libraries through URE_BOOTSTRAP, which is set
// here (to LibreOffice's fundamentalrc) unless the environment already has
// it. Throws css::uno::RuntimeException when UNO cannot be bootstrapped.
css::uno::Reference<css::uno::XComponentContext> LocalContext();

} // namespace Office
