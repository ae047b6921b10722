#pragma once

#include "core/cities/CitiesDialogLogic.h"

namespace tremolux {

// Names compared as the user's locale sorts them, letter case ignored, and
// told apart by Unicode case folding. The C locale (as with LANG unset) sorts
// by code point only, which puts "Ürümqi" after "Zurich"; it gives way to
// the Unicode root order.
NameComparison LocaleNameComparison();

}  // namespace tremolux
