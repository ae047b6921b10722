// Any bytes as the body of a land file, behind a good header and in front of
// a matching checksum, so that the fuzzer reaches the polygons; and the same
// bytes as a whole file. What is accepted is land in range; what is refused
// says why and leaves no land.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/world/LandFile.h"

namespace {

std::uint32_t Fnv1a(std::string_view bytes)
{
    std::uint32_t hash = 0x811c9dc5u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193u;
    return hash;
}

void Check(std::string_view bytes)
{
    const tremolux::Result<tremolux::Land> land = tremolux::ParseLand(bytes);
    if (!land) {
        FUZZ_CHECK(!land.error().empty());
        return;
    }
    for (const tremolux::LandPolygon& polygon : *land) {
        FUZZ_CHECK(!polygon.rings.empty());
        for (const auto& ring : polygon.rings) {
            FUZZ_CHECK(ring.size() >= 3);
            for (const tremolux::GeoPoint& point : ring) {
                FUZZ_CHECK(point.latitude >= -90.0 && point.latitude <= 90.0);
                FUZZ_CHECK(point.longitude >= -180.0 && point.longitude <= 180.0);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    Check(input);
    std::string file = "TRMLAND1" + std::string(input);
    const std::uint32_t sum = Fnv1a(file);
    for (int i = 0; i < 4; ++i)
        file += static_cast<char>((sum >> (8 * i)) & 0xff);
    Check(file);
    return 0;
}
