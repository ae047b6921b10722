#pragma once

#include <string_view>

namespace tremolux {

// The encoding a charset label names, under its name in glibc's iconv: every
// label a browser accepts, matched as browsers match them (ignoring case and
// surrounding blanks) and read as the encoding browsers read it as, so
// "iso-8859-1" and "us-ascii" give "WINDOWS-1252". The labels browsers read as
// nothing but one replacement character (ISO-2022-KR and its kind) give
// kReplacementEncoding. Empty for a label no browser knows.
std::string_view EncodingOfLabel(std::string_view label);

inline constexpr std::string_view kReplacementEncoding = "replacement";

}  // namespace tremolux
