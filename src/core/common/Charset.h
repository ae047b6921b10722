#pragma once

#include <string>
#include <string_view>

namespace tremolux {

// The charset an HTML page declares near its start (meta charset, the
// Content-Type of a meta http-equiv, or an XML declaration), lower case;
// empty when it declares none. A declared UTF-16 reads as "utf-8", as in a
// browser: a declaration that could be read byte by byte is not in UTF-16.
std::string DeclaredCharset(std::string_view page);

bool StartsWithUtf16Bom(std::string_view bytes);

// The text as UTF-8, read the way a browser reads it. A byte order mark
// (UTF-8, UTF-16LE or UTF-16BE) outweighs `charset` and is dropped. Otherwise
// valid UTF-8 passes unchanged whatever `charset` says, unless that names an
// encoding whose text can pass for UTF-8 (UTF-16, ISO-2022-JP). Anything else
// is decoded from the encoding `charset` labels (any label a browser knows),
// with U+FFFD for each bad sequence, and without a known label as
// Windows-1252. A character cut off at the very end is dropped.
std::string ToUtf8(std::string bytes, std::string_view charset);

}  // namespace tremolux
