#include "core/common/PrintableText.h"

#include "core/common/Utf8.h"

namespace tremolux {

namespace {

bool IsControl(std::string_view character)
{
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1)
        return lead < 0x20 || lead == 0x7F;
    return lead == 0xC2 && static_cast<unsigned char>(character[1]) <= 0x9F;
}

}  // namespace

std::string PrintableText(std::string_view utf8)
{
    std::string printable;
    printable.reserve(utf8.size());
    while (!utf8.empty()) {
        const std::size_t length = Utf8SequenceLength(utf8);
        const std::string_view character = utf8.substr(0, length == 0 ? 1 : length);
        if (length == 0 || IsControl(character))
            printable += kReplacementCharacter;
        else
            printable += character;
        utf8.remove_prefix(character.size());
    }
    return printable;
}

}  // namespace tremolux
