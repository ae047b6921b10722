#include "core/cities/CityEditorLogic.h"

#include <charconv>
#include <string_view>

#include "core/common/CNumbers.h"

namespace tremolux {

namespace {

const char* const LATITUDE_RANGE = "Latitude must be inside -90 ... 90 degrees (90 excluded)";
const char* const LONGITUDE_RANGE = "Longitude must be inside -180 ... 180 degrees (180 excluded)";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(std::string_view text)
{
    for (char c : text)
        if (!IsCSpace(c))
            return false;
    return true;
}

// True when atof would find a number at the start of the text, so that a
// field of letters is told apart from one that reads as 0.
bool StartsWithNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && text[i] == '.')
        ++i;
    return i < text.size() && IsDigit(text[i]);
}

// An empty degree, minute or second field counts as 0.
bool ReadPart(const std::string& text, double& value)
{
    if (IsBlank(text)) {
        value = 0.0;
        return true;
    }
    if (!StartsWithNumber(text))
        return false;
    value = CAtof(text);
    return true;
}

Result<> ReadDegreeFields(const CityEditorFields& fields, CityPosition& position)
{
    const struct {
        const std::string& text;
        double& value;
        const char* message;
    } parts[] = {
        {fields.latDeg, position.latDeg, "Latitude degrees must be a number"},
        {fields.latMin, position.latMin, "Latitude minutes must be a number"},
        {fields.latSec, position.latSec, "Latitude seconds must be a number"},
        {fields.lonDeg, position.lonDeg, "Longitude degrees must be a number"},
        {fields.lonMin, position.lonMin, "Longitude minutes must be a number"},
        {fields.lonSec, position.lonSec, "Longitude seconds must be a number"},
    };
    for (const auto& part : parts) {
        if (!ReadPart(part.text, part.value))
            return Failure{part.message};
    }
    // A hemisphere left unchosen counts as north and east.
    position.north = fields.latHemisphere != "S";
    position.west = fields.lonHemisphere == "W";
    position.ComputeDecimal();
    return {};
}

bool ReadDecimal(const std::string& text, double& value)
{
    if (!StartsWithNumber(text))
        return false;
    value = CAtof(text);
    return true;
}

// Six decimals (about 0.1 m) without trailing zeros, independent of the
// process locale.
std::string DecimalText(double value)
{
    char buffer[400];  // room for the largest double in fixed notation
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
    std::string text(buffer, end);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

Result<> CheckName(const std::string& name)
{
    if (name.empty())
        return Failure{"Name must not be empty"};
    if (name.find_first_of("\t\r\n") != std::string::npos)
        return Failure{"Name must not contain TAB or line-break characters"};
    return {};
}

}  // namespace

bool HasDegreeFields(const CityEditorFields& fields)
{
    for (const std::string* text : {&fields.latDeg, &fields.latMin, &fields.latSec, &fields.lonDeg,
                                    &fields.lonMin, &fields.lonSec}) {
        if (!IsBlank(*text))
            return true;
    }
    return false;
}

Result<CityEntry> ReadCityEditor(const CityEditorFields& fields)
{
    if (Result<> name = CheckName(fields.name); !name)
        return Failure{name.error()};
    CityEntry city;
    city.name = fields.name;

    CityPosition& position = city.position;
    if (HasDegreeFields(fields)) {
        if (Result<> degrees = ReadDegreeFields(fields, position); !degrees)
            return Failure{degrees.error()};
    } else {
        if (!ReadDecimal(fields.latDecimal, position.latDecimal))
            return Failure{LATITUDE_RANGE};
        if (!ReadDecimal(fields.lonDecimal, position.lonDecimal))
            return Failure{LONGITUDE_RANGE};
        // A position entered in decimal degrees gets its degree fields and
        // flags as well, so that the city handed on is complete.
        position.ComputeDegrees();
    }

    if (!(position.latDecimal >= -90.0 && position.latDecimal < 90.0))
        return Failure{LATITUDE_RANGE};
    if (!(position.lonDecimal >= -180.0 && position.lonDecimal < 180.0))
        return Failure{LONGITUDE_RANGE};
    return city;
}

Result<> FillDecimalFields(CityEditorFields& fields)
{
    if (!HasDegreeFields(fields))
        return {};
    CityPosition position;
    if (Result<> degrees = ReadDegreeFields(fields, position); !degrees)
        return degrees;
    fields.latDecimal = DecimalText(position.latDecimal);
    fields.lonDecimal = DecimalText(position.lonDecimal);
    return {};
}

}  // namespace tremolux
