// Any bytes as a city file. What it accepts is a usable city: a UTF-8 name
// that fits on its line, a position in range whose degree fields give the
// same decimals back.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/cities/CityFile.h"

namespace {

// The reader takes a path: each input goes through one in-memory file of
// this process, so that fuzzing does not wait on a disk.
class ScratchFile {
public:
    ScratchFile() : m_descriptor(memfd_create("cities", 0))
    {
        FUZZ_CHECK(m_descriptor >= 0);
        m_path = "/proc/self/fd/" + std::to_string(m_descriptor);
    }
    ~ScratchFile() { close(m_descriptor); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Write(const std::uint8_t* data, std::size_t size) const
    {
        FUZZ_CHECK(ftruncate(m_descriptor, 0) == 0);
        FUZZ_CHECK(pwrite(m_descriptor, data, size, 0) == static_cast<ssize_t>(size));
        return m_path;
    }

private:
    int m_descriptor;
    std::string m_path;
};

bool Near(double a, double b)
{
    return std::fabs(a - b) <= 1e-9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile file;
    const tremolux::Result<tremolux::CityFileContent> read =
        tremolux::ReadCityFile(file.Write(data, size));
    FUZZ_CHECK(read.ok());
    const tremolux::CityFileContent& result = *read;

    for (const tremolux::CityEntry& entry : result.entries) {
        FUZZ_CHECK(!entry.name.empty());
        FUZZ_CHECK(entry.name.find_first_of("\t\n") == std::string::npos);
        FUZZ_CHECK(tremolux::fuzz::IsUtf8(entry.name));
        const tremolux::CityPosition& position = entry.position;
        FUZZ_CHECK(position.latDecimal >= -90.0 && position.latDecimal < 90.0);
        FUZZ_CHECK(position.lonDecimal >= -180.0 && position.lonDecimal < 180.0);
        tremolux::CityPosition recomputed = position;
        recomputed.ComputeDecimal();
        FUZZ_CHECK(Near(recomputed.latDecimal, position.latDecimal));
        FUZZ_CHECK(Near(recomputed.lonDecimal, position.lonDecimal));
    }

    int previous = 0;
    for (const tremolux::SkippedCityLine& skipped : result.skipped) {
        FUZZ_CHECK(skipped.line > previous);
        FUZZ_CHECK(!skipped.reason.empty());
        previous = skipped.line;
    }
    return 0;
}
