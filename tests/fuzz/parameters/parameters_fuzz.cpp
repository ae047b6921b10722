// Any texts typed into the Parameters dialog. No value outside its range is
// ever written, nothing after a rejected field is, and accepted settings
// reopen as a form that reads back the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/view/ParametersLogic.h"

namespace {

using tremolux::DisplaySettings;

bool Same(const DisplaySettings& a, const DisplaySettings& b)
{
    return a.drawTexts == b.drawTexts && a.hours == b.hours && a.nearestRadius == b.nearestRadius
           && a.pieRadius == b.pieRadius;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    tremolux::ParametersForm form;
    form.drawTexts = input.ConsumeBool();
    form.hours = input.ConsumeRandomLengthString(32);
    form.nearest = input.ConsumeRandomLengthString(32);
    form.pie = input.ConsumeRandomLengthString(32);

    const DisplaySettings before;
    DisplaySettings settings = before;
    const std::optional<std::string> error = tremolux::ApplyParametersForm(form, settings);
    FUZZ_CHECK(settings.drawTexts == (form.drawTexts ? 1 : 0));
    if (error) {
        FUZZ_CHECK(!error->empty());
        // Nothing is written past a rejected field, and the pie radius comes last.
        FUZZ_CHECK(settings.pieRadius == before.pieRadius);
    }
    // Whatever was written, accepted or not, lies in range.
    FUZZ_CHECK(settings.hours >= 0.0 && settings.hours <= 168.0);
    FUZZ_CHECK(settings.nearestRadius >= 0.0 && settings.nearestRadius <= 15000000.0);
    FUZZ_CHECK(settings.pieRadius >= 0.0 && settings.pieRadius <= 1000000.0);
    if (error)
        return 0;

    DisplaySettings reopened;
    FUZZ_CHECK(!tremolux::ApplyParametersForm(tremolux::ParametersFormFrom(settings), reopened));
    FUZZ_CHECK(Same(reopened, settings));
    return 0;
}
