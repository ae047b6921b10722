#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <simdjson.h>

// A property every input must keep. A broken one aborts, which libFuzzer
// records as a crash with the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace tremolux::fuzz {

// Texts the program hands on are UTF-8, whatever bytes they were read from.
inline bool IsUtf8(std::string_view text)
{
    return simdjson::validate_utf8(text.data(), text.size());
}

}  // namespace tremolux::fuzz
