#include "core/feed/FeedTime.h"

#include <cstring>

namespace tremolux {

namespace {

bool IsDigits(std::string_view text, std::size_t at, std::size_t count)
{
    for (std::size_t i = at; i < at + count; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

}  // namespace

std::string_view FeedTime(std::string_view iso, char (&buffer)[19])
{
    if (iso.size() < 19 || !IsDigits(iso, 0, 4) || iso[4] != '-' || !IsDigits(iso, 5, 2)
        || iso[7] != '-' || !IsDigits(iso, 8, 2) || iso[10] != 'T' || !IsDigits(iso, 11, 2)
        || iso[13] != ':' || !IsDigits(iso, 14, 2) || iso[16] != ':' || !IsDigits(iso, 17, 2))
        return iso;
    std::size_t rest = 19;
    if (rest < iso.size() && iso[rest] == '.') {
        ++rest;
        while (rest < iso.size() && iso[rest] >= '0' && iso[rest] <= '9')
            ++rest;
    }
    if (rest < iso.size() && iso[rest] == 'Z')
        ++rest;
    if (rest != iso.size())
        return iso;
    std::memcpy(buffer, iso.data(), 19);
    buffer[4] = buffer[7] = '/';
    buffer[10] = ' ';
    return {buffer, 19};
}

OleDate IsoDate(std::string_view iso)
{
    char buffer[19];
    const std::string_view text = FeedTime(iso, buffer);
    return text.data() == buffer ? ParseOleDate(text) : OleDate{0.0, false};
}

}  // namespace tremolux
