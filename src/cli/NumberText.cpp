#include "cli/NumberText.h"

#include <charconv>
#include <cmath>

#include "core/list/QuakeText.h"

namespace tremolux {

std::optional<double> ParseNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()
        || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FormatNumber(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string FormatTime(OleDate time)
{
    std::string text = UtcText(time);
    return text.empty() ? "invalid" : text;
}

}  // namespace tremolux
