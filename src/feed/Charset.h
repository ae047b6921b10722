#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// The charset an HTML page declares near its start (meta charset, the
// Content-Type of a meta http-equiv, or an XML declaration), lower case;
// empty when it declares none.
std::string DeclaredCharset(std::string_view page);

// The text as UTF-8. Valid UTF-8 passes unchanged (a character cut off at the
// very end is dropped). Anything else is decoded from `charset`: UTF-8 with
// U+FFFD for each bad sequence, and every other name, or none, as
// Windows-1252, which is how browsers read ISO-8859-1 pages.
std::string ToUtf8(std::string bytes, std::string_view charset);

}  // namespace tremolux
