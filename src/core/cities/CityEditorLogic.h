#pragma once

#include <string>

#include "core/cities/CityEntry.h"
#include "core/common/Result.h"

namespace tremolux {

// The texts of the city editor's fields, as typed or chosen.
struct CityEditorFields {
    std::string name;
    std::string latDecimal;
    std::string lonDecimal;
    std::string latDeg;
    std::string latMin;
    std::string latSec;
    std::string latHemisphere;  // "N", "S" or empty
    std::string lonDeg;
    std::string lonMin;
    std::string lonSec;
    std::string lonHemisphere;  // "O" (east), "W" or empty
};

// True when any degree, minute or second field is filled in; the position
// is then taken from that side, otherwise from the decimal fields.
bool HasDegreeFields(const CityEditorFields& fields);

// The city the fields describe, or the message for the first field that does
// not describe one. The name must be filled in and fit on one line of the
// city file; the latitude must lie in [-90, 90), the longitude in [-180, 180).
Result<CityEntry> ReadCityEditor(const CityEditorFields& fields);

// Puts the decimal equivalent of the degree, minute and second fields into
// the decimal fields, or fails with the message for a field that is not a
// number; the fields are then unchanged. With no degree field filled in there
// is nothing to convert and the decimal fields stay as they are.
Result<> FillDecimalFields(CityEditorFields& fields);

}  // namespace tremolux
