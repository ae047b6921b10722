#pragma once

#include <string_view>

namespace tremolux {

// isspace in the "C" locale, whatever the process locale.
inline bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atof in the "C" locale whatever the process locale: leading white space,
// the longest prefix that forms a number, 0.0 when there is none.
double CAtof(std::string_view text);

// atoi rules (leading white space, optional sign, decimal digits up to the
// first other character, 0 when there are none); a value beyond 32 bits
// saturates at INT_MIN or INT_MAX.
int CAtoi(std::string_view text);

}  // namespace tremolux
