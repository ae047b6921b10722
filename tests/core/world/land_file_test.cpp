#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "core/world/LandFile.h"

namespace tremolux {
namespace {

const std::string kShippedLand = std::string(TREMOLUX_SAMPLES) + "/land-50m.bin";

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A land file written by hand: the body's varints, the header and the checksum.
class LandBytes {
public:
    LandBytes& Varint(std::uint64_t v)
    {
        for (; v >= 0x80; v >>= 7)
            m_body += static_cast<char>((v & 0x7f) | 0x80);
        m_body += static_cast<char>(v);
        return *this;
    }
    LandBytes& Step(std::int64_t v) { return Varint(v < 0 ? -2 * v - 1 : 2 * v); }

    std::string File(std::uint32_t polygons) const
    {
        std::string bytes = "TRMLAND1" + U32(polygons) + m_body;
        std::uint32_t hash = 0x811c9dc5u;
        for (const char c : bytes)
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x01000193u;
        return bytes + U32(hash);
    }

private:
    static std::string U32(std::uint32_t v)
    {
        return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                static_cast<char>(v >> 24)};
    }
    std::string m_body;
};

LandBytes Triangle()
{
    LandBytes bytes;
    bytes.Varint(1).Varint(3);
    bytes.Step(10000).Step(-20500);  // 10 E, 20.5 S
    bytes.Step(1000).Step(0);
    bytes.Step(0).Step(1000);
    return bytes;
}

TEST(LandFile, ShippedLandHoldsTheWorld)
{
    const Result<Land> read = ReadLandFile(kShippedLand);
    ASSERT_TRUE(read) << read.error();
    const Land& land = *read;
    EXPECT_GT(land.size(), 1000u);
    std::size_t vertices = 0;
    bool antarctica = false;
    for (const LandPolygon& polygon : land) {
        ASSERT_FALSE(polygon.rings.empty());
        for (const auto& ring : polygon.rings) {
            vertices += ring.size();
            for (const GeoPoint& p : ring)
                antarctica = antarctica || p.latitude < -85.0;
        }
    }
    EXPECT_GT(vertices, 50000u);
    EXPECT_TRUE(antarctica);
}

TEST(LandFile, ReadsVerticesInThousandthsOfADegree)
{
    const Result<Land> read = ParseLand(Triangle().File(1));
    ASSERT_TRUE(read) << read.error();
    const Land& land = *read;
    ASSERT_EQ(land.size(), 1u);
    ASSERT_EQ(land[0].rings.size(), 1u);
    const auto& ring = land[0].rings[0];
    ASSERT_EQ(ring.size(), 3u);
    EXPECT_DOUBLE_EQ(ring[0].longitude, 10.0);
    EXPECT_DOUBLE_EQ(ring[0].latitude, -20.5);
    EXPECT_DOUBLE_EQ(ring[1].longitude, 11.0);
    EXPECT_DOUBLE_EQ(ring[2].latitude, -19.5);
}

TEST(LandFile, DamagedFilesAreRefusedWithAReason)
{
    const std::string shipped = FileBytes(kShippedLand);
    std::string flipped = shipped;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x10);
    LandBytes outOfRange;
    outOfRange.Varint(1).Varint(3).Step(200000).Step(0).Step(0).Step(0).Step(0).Step(0);
    LandBytes tooFewVertices;
    tooFewVertices.Varint(1).Varint(2).Step(0).Step(0).Step(1).Step(1);

    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "not a land file"},
        {"another format", "GIF89a......................", "not a land file"},
        {"cut short", shipped.substr(0, shipped.size() / 3), "checksum"},
        {"a flipped bit", flipped, "checksum"},
        {"more polygons than written", Triangle().File(2), "ring count"},
        {"bytes after the last polygon", Triangle().Varint(0).File(1), "bytes follow"},
        {"a vertex beyond 180 degrees", outOfRange.File(1), "outside"},
        {"a ring of two vertices", tooFewVertices.File(1), "vertex count"},
    };
    for (const auto& c : cases) {
        const Result<Land> read = ParseLand(c.bytes);
        ASSERT_FALSE(read) << c.what;
        EXPECT_NE(read.error().find(c.reason), std::string::npos) << c.what << ": " << read.error();
    }
}

// A land file that is no file at all is a failure that says why, never an
// exception or a wait for a writer.
TEST(LandFile, WhatIsNotARegularFileIsNamedAndRefused)
{
    const std::string fifo = ::testing::TempDir() + "land_file_test_fifo";
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string error;
    } rows[] = {
        {"/nonexistent/land.bin", "cannot read /nonexistent/land.bin: No such file or directory"},
        {"/tmp", "cannot read /tmp: it is a directory, not a file"},
        {fifo, "cannot read " + fifo + ": it is a FIFO, not a regular file"},
        {"/dev/zero", "cannot read /dev/zero: it is a device, not a regular file"},
    };
    for (const auto& row : rows) {
        const Result<Land> read = ReadLandFile(row.path);
        ASSERT_FALSE(read) << row.path;
        EXPECT_EQ(read.error(), row.error);
    }
    ::unlink(fifo.c_str());
}

}  // namespace
}  // namespace tremolux
