#pragma once

#include <string_view>

namespace tremolux {

// Whether the text is a JSON object or array as far as its first few
// kilobytes show: valid JSON up to there, complete with nothing but blanks
// after it, or cut off before its end. Reading no further keeps the test
// cheap for a feed of megabytes; a page that merely starts with a bracket
// fails within its first words.
bool StartsAsJson(std::string_view text);

}  // namespace tremolux
