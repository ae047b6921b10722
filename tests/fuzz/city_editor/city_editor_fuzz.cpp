// Any texts typed into the city editor. What it accepts is a usable city;
// Convert either leaves the fields alone with the message OK would show, or
// writes decimals that read back as the position the degree fields describe.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/cities/CityEditorLogic.h"
#include "core/common/CNumbers.h"

namespace {

using tremolux::CityEditorFields;

CityEditorFields ConsumeFields(FuzzedDataProvider& input)
{
    CityEditorFields fields;
    for (std::string* text :
         {&fields.name, &fields.latDecimal, &fields.lonDecimal, &fields.latDeg, &fields.latMin,
          &fields.latSec, &fields.lonDeg, &fields.lonMin, &fields.lonSec})
        *text = input.ConsumeRandomLengthString(64);
    // The hemispheres are chosen from lists, never typed.
    fields.latHemisphere = input.PickValueInArray({"N", "S", ""});
    fields.lonHemisphere = input.PickValueInArray({"O", "W", ""});
    return fields;
}

bool SameTexts(const CityEditorFields& a, const CityEditorFields& b)
{
    return a.name == b.name && a.latDecimal == b.latDecimal && a.lonDecimal == b.lonDecimal
           && a.latDeg == b.latDeg && a.latMin == b.latMin && a.latSec == b.latSec
           && a.latHemisphere == b.latHemisphere && a.lonDeg == b.lonDeg && a.lonMin == b.lonMin
           && a.lonSec == b.lonSec && a.lonHemisphere == b.lonHemisphere;
}

// Within rounding to six decimals, or to the precision of a double.
bool ReadsBackAs(const std::string& text, double value)
{
    if (!std::isfinite(value))
        return true;
    return std::fabs(tremolux::CAtof(text) - value) <= 5e-7 + std::fabs(value) * 1e-15;
}

void CheckAccepted(const CityEditorFields& fields, const tremolux::CityEntry& city)
{
    FUZZ_CHECK(city.name == fields.name);
    FUZZ_CHECK(city.name.find_first_of("\t\r\n") == std::string::npos);
    const tremolux::CityPosition& position = city.position;
    FUZZ_CHECK(position.latDecimal >= -90.0 && position.latDecimal < 90.0);
    FUZZ_CHECK(position.lonDecimal >= -180.0 && position.lonDecimal < 180.0);
    tremolux::CityPosition recomputed = position;
    recomputed.ComputeDecimal();
    FUZZ_CHECK(std::fabs(recomputed.latDecimal - position.latDecimal) <= 1e-9);
    FUZZ_CHECK(std::fabs(recomputed.lonDecimal - position.lonDecimal) <= 1e-9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const CityEditorFields fields = ConsumeFields(input);

    const tremolux::Result<tremolux::CityEntry> city = tremolux::ReadCityEditor(fields);
    if (city)
        CheckAccepted(fields, *city);

    CityEditorFields converted = fields;
    if (!tremolux::FillDecimalFields(converted) || !tremolux::HasDegreeFields(fields)) {
        FUZZ_CHECK(SameTexts(converted, fields));
        return 0;
    }
    CityEditorFields named = fields;
    named.name = "City";
    // Only a position in range is handed back to compare with.
    const tremolux::Result<tremolux::CityEntry> fromDegrees = tremolux::ReadCityEditor(named);
    if (!fromDegrees)
        return 0;
    FUZZ_CHECK(ReadsBackAs(converted.latDecimal, fromDegrees->position.latDecimal));
    FUZZ_CHECK(ReadsBackAs(converted.lonDecimal, fromDegrees->position.lonDecimal));
    return 0;
}
