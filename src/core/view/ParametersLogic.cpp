#include "core/view/ParametersLogic.h"

#include "core/common/CNumbers.h"
#include "core/common/DisplaySettings.h"

namespace tremolux {

namespace {

std::string WholeText(double value)
{
    return std::to_string(static_cast<int>(value));
}

bool Inside(int value, int max)
{
    return value >= 0 && value <= max;
}

}  // namespace

ParametersForm ParametersFormFrom(const DisplaySettings& settings)
{
    ParametersForm form;
    form.drawTexts = settings.drawTexts != 0;
    form.hours = WholeText(settings.hours);
    form.nearest = WholeText(settings.nearestRadius * 0.001);
    form.pie = WholeText(settings.pieRadius * 0.001);
    return form;
}

std::optional<std::string> ApplyParametersForm(const ParametersForm& form,
                                               DisplaySettings& settings)
{
    settings.drawTexts = form.drawTexts ? 1 : 0;

    const int hours = CAtoi(form.hours);
    if (!Inside(hours, kMaxHours))
        return "Show last must be inside 0 ... 168 hours";
    settings.hours = hours;

    const int nearest = CAtoi(form.nearest);
    if (!Inside(nearest, kMaxNearestKm))
        return "Show nearest must be inside 0 ... 15000 km";
    settings.nearestRadius = nearest * 1000.0;

    const int pie = CAtoi(form.pie);
    if (!Inside(pie, kMaxPieKm))
        return "Draw Pie near must be inside 0 ... 1000 km";
    settings.pieRadius = pie * 1000.0;

    return std::nullopt;
}

}  // namespace tremolux
