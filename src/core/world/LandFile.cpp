#include "core/world/LandFile.h"

#include <cstdint>
#include <utility>

#include "core/common/RegularFile.h"

namespace tremolux {

namespace {

constexpr std::string_view kMagic = "TRMLAND1";
constexpr double kUnitsPerDegree = 1000.0;
// Far above Natural Earth's largest ring and polygon count, small enough that
// a damaged count cannot ask for gigabytes.
constexpr std::uint64_t kMostPolygons = 100000;
constexpr std::uint64_t kMostRings = 10000;
constexpr std::uint64_t kMostVertices = 1000000;
// No step between two vertices can cross more than the whole globe.
constexpr std::int64_t kLongestStep = 360 * 1000;
constexpr std::string_view kVertexOutside =
    "a vertex lies outside -90 ... 90 latitude or -180 ... 180 longitude";

std::uint32_t Fnv1a(std::string_view bytes)
{
    std::uint32_t hash = 0x811c9dc5u;
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193u;
    return hash;
}

std::uint32_t ReadU32(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
    return value;
}

// Walks the body; every read checks that the bytes last.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    bool Varint(std::uint64_t& value)
    {
        value = 0;
        for (int shift = 0; shift < 64 && m_at < m_bytes.size(); shift += 7) {
            const auto byte = static_cast<unsigned char>(m_bytes[m_at++]);
            value |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
            if (!(byte & 0x80))
                return true;
        }
        return false;
    }

    bool Zigzag(std::int64_t& value)
    {
        std::uint64_t raw = 0;
        if (!Varint(raw))
            return false;
        value = static_cast<std::int64_t>(raw >> 1) ^ -static_cast<std::int64_t>(raw & 1);
        return true;
    }

    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

Result<std::vector<GeoPoint>> ReadRing(Reader& reader)
{
    std::uint64_t count = 0;
    if (!reader.Varint(count) || count < 3 || count > kMostVertices)
        return Failure{"a ring's vertex count is damaged"};
    std::vector<GeoPoint> ring;
    ring.reserve(count);
    std::int64_t x = 0;
    std::int64_t y = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::int64_t dx = 0;
        std::int64_t dy = 0;
        if (!reader.Zigzag(dx) || !reader.Zigzag(dy))
            return Failure{"the file ends inside a ring"};
        if (dx < -kLongestStep || dx > kLongestStep || dy < -kLongestStep || dy > kLongestStep)
            return Failure{std::string(kVertexOutside)};
        x += dx;
        y += dy;
        const double lon = static_cast<double>(x) / kUnitsPerDegree;
        const double lat = static_cast<double>(y) / kUnitsPerDegree;
        if (!(lon >= -180.0 && lon <= 180.0 && lat >= -90.0 && lat <= 90.0))
            return Failure{std::string(kVertexOutside)};
        ring.push_back({lat, lon});
    }
    return ring;
}

Result<Land> ParseBody(std::string_view body, std::uint32_t polygonCount)
{
    if (polygonCount > kMostPolygons)
        return Failure{"the polygon count is damaged"};
    Reader reader(body);
    Land land;
    land.reserve(polygonCount);
    for (std::uint32_t p = 0; p < polygonCount; ++p) {
        std::uint64_t ringCount = 0;
        if (!reader.Varint(ringCount) || ringCount == 0 || ringCount > kMostRings)
            return Failure{"a polygon's ring count is damaged"};
        LandPolygon& polygon = land.emplace_back();
        polygon.rings.reserve(ringCount);
        for (std::uint64_t r = 0; r < ringCount; ++r) {
            Result<std::vector<GeoPoint>> ring = ReadRing(reader);
            if (!ring)
                return Failure{ring.error()};
            polygon.rings.push_back(std::move(*ring));
        }
    }
    if (!reader.AtEnd())
        return Failure{"bytes follow the last polygon"};
    return land;
}

}  // namespace

Result<Land> ParseLand(std::string_view bytes)
{
    constexpr std::size_t kHeader = kMagic.size() + 4;
    if (bytes.size() < kHeader + 4 || bytes.substr(0, kMagic.size()) != kMagic)
        return Failure{"not a land file (it does not begin with " + std::string(kMagic) + ")"};
    const std::string_view checked = bytes.substr(0, bytes.size() - 4);
    if (Fnv1a(checked) != ReadU32(bytes.substr(bytes.size() - 4)))
        return Failure{"the land file is damaged (its checksum does not match)"};
    const std::uint32_t polygonCount = ReadU32(bytes.substr(kMagic.size()));
    Result<Land> land = ParseBody(checked.substr(kHeader), polygonCount);
    if (!land)
        return Failure{"the land file is damaged: " + land.error()};
    return land;
}

Result<Land> ReadLandFile(const std::string& path)
{
    // Far more than the shipped file's 0.2 MB; a bigger file is something else.
    constexpr std::size_t kMaxBytes = 64 * 1024 * 1024;
    const Result<std::string> read = ReadRegularFile(path, kMaxBytes);
    if (!read) {
        return Failure{
            "cannot read " + path + ": "
            + (read.error() == kFileTooLarge ? "it is larger than 64 MiB" : read.error())};
    }
    Result<Land> land = ParseLand(*read);
    if (!land)
        return Failure{path + ": " + land.error()};
    return land;
}

}  // namespace tremolux
