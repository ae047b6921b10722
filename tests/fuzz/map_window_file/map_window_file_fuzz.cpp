// Any bytes as a map window file. What it accepts with a city is written back
// as a file that opens to the same window: a saved window can always be opened
// again. (An empty file is the default window, which has no city until shown,
// and is never saved as it is.)
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/session/MapWindowFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tremolux::MapWindowReadResult read = tremolux::ReadMapWindow(text);
    if (!read.ok()) {
        FUZZ_CHECK(read.line >= 1);
        FUZZ_CHECK(read.window.city.name.empty());
        return 0;
    }
    if (read.window.city.name.empty())
        return 0;
    FUZZ_CHECK(tremolux::fuzz::IsUtf8(read.window.city.name));
    const std::string written = tremolux::WriteMapWindow(read.window);
    const tremolux::MapWindowReadResult reread = tremolux::ReadMapWindow(written);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(tremolux::WriteMapWindow(reread.window) == written);
    return 0;
}
