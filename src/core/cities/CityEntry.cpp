#include "core/cities/CityEntry.h"

namespace tremolux {

CityEntry CurrentCity;

}  // namespace tremolux
