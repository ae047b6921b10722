#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// The text with every control character (C0, DEL, C1) and every byte that is
// not part of a UTF-8 character replaced by U+FFFD: feed text goes to
// terminals and into TAB-separated lines, where such characters would act.
std::string PrintableText(std::string_view utf8);

}  // namespace tremolux
