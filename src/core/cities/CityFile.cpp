#include "core/cities/CityFile.h"

#include <charconv>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/common/CNumbers.h"
#include "core/common/Charset.h"
#include "core/common/PrintableText.h"
#include "core/common/RegularFile.h"

namespace tremolux {

std::string StartupDirectory;
std::string DefaultCityFile;

namespace {

// Thousands of cities take a few hundred kilobytes.
constexpr std::size_t kMaxCityFileBytes = 16 * 1024 * 1024;
constexpr std::size_t kMaxCityLineBytes = 4096;

std::vector<std::string> SplitAtTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (line[pos] == '\t') {
            ++pos;
            continue;
        }
        const std::size_t end = std::min(line.find('\t', pos), line.size());
        fields.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}

std::string Shortest(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

CityEntry MakeEntry(const std::string& name, double latitude, double longitude)
{
    CityEntry entry;
    entry.name = name;
    entry.position.latDecimal = latitude;
    entry.position.lonDecimal = longitude;
    entry.position.ComputeDegrees();
    return entry;
}

}  // namespace

Result<CityFileContent> ReadCityFile(const std::string& path)
{
    const Result<std::string> file = ReadRegularFile(path, kMaxCityFileBytes);
    if (!file)
        return Failure{file.error()};

    CityFileContent result;
    std::string_view rest = *file;
    for (int number = 1; !rest.empty(); ++number) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view text = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (text.empty())
            continue;
        // No name or two numbers need this much; such a line is something else.
        if (text.size() > kMaxCityLineBytes) {
            result.skipped.push_back({number, "too long"});
            continue;
        }
        // Older lists are in the Windows code page. The whole line is decoded,
        // not the name alone: ToUtf8 drops what looks like a character cut
        // off at the end, as the 0xE1 (á) that ends "Bogotá" would.
        const std::string line = ToUtf8(std::string(text), "windows-1252");
        const std::vector<std::string> fields = SplitAtTabs(line);
        if (fields.size() != 3) {
            result.skipped.push_back(
                {number, "expected 3 fields, found " + std::to_string(fields.size())});
            continue;
        }
        const double latitude = CAtof(fields[1]);
        const double longitude = CAtof(fields[2]);
        if (!(latitude >= -90.0 && latitude < 90.0)) {
            result.skipped.push_back(
                {number, "latitude " + Shortest(latitude) + " outside -90 ... <90"});
            continue;
        }
        if (!(longitude >= -180.0 && longitude < 180.0)) {
            result.skipped.push_back(
                {number, "longitude " + Shortest(longitude) + " outside -180 ... <180"});
            continue;
        }
        // A name is shown, saved in map window files and printed in lines:
        // control characters in it would act there.
        result.entries.push_back(MakeEntry(PrintableText(fields[0]), latitude, longitude));
    }
    return result;
}

void RecordStartupDirectory()
{
    std::error_code error;
    StartupDirectory = std::filesystem::current_path(error).string();
}

std::string CityFilePath()
{
    // A directory that could not be read must not turn into "/CITIES.TXT".
    if (StartupDirectory.empty())
        return DefaultCityFile;
    const std::string local = StartupDirectory + "/CITIES.TXT";
    std::error_code error;
    if (std::filesystem::is_regular_file(local, error))
        return local;
    return DefaultCityFile;
}

}  // namespace tremolux
