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
    const tremolux::Result<tremolux::MapWindow> read = tremolux::ReadMapWindow(text);
    if (!read) {
        FUZZ_CHECK(read.error().rfind("line ", 0) == 0);
        return 0;
    }
    if (read->city.name.empty())
        return 0;
    FUZZ_CHECK(tremolux::fuzz::IsUtf8(read->city.name));
    const std::string written = tremolux::WriteMapWindow(*read);
    const tremolux::Result<tremolux::MapWindow> reread = tremolux::ReadMapWindow(written);
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(tremolux::WriteMapWindow(*reread) == written);
    return 0;
}
