#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// The text when it is an absolute http or https address with a host and
// nothing a browser would have to guess at (spaces, control characters);
// empty otherwise. A feed's link is opened in the user's browser: other
// schemes (file:, javascript:, a program's own) are never passed on.
std::string WebAddress(std::string_view text);

}  // namespace tremolux
