#include "core/view/DrawQuakes.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/common/OleDate.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/Canvas.h"
#include "core/view/MagnitudeColor.h"
#include "core/view/MapScale.h"

namespace tremolux {

namespace {

// The city's disc at the centre.
constexpr int kCityDiscRadius = 10;
// Rays run from the city through the quake to 100 times its radius, out of
// the window: only the direction and the width are seen.
constexpr double kRayLengthFactor = 100.0;
// The activity-index box in the top-left corner, and its number inside.
constexpr int kIndexBoxLeft = 10;
constexpr int kIndexBoxTop = 10;
constexpr int kIndexBoxWidth = 45;
constexpr int kIndexBoxHeight = 25;
constexpr int kIndexTextLeft = 20;
constexpr int kIndexTextTop = 15;

int Trunc(double value)
{
    return static_cast<int>(value);
}

// printf's "%.*f" without the process locale, which Qt applications adopt
// from the environment.
void AppendFixed(std::string& text, double value, int precision)
{
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value,
                                      std::chars_format::fixed, precision);
    text.append(digits, result.ptr);
}

// "[%.1f] %.0f km, %s (at %s)"
std::string QuakeLabel(const QuakeRecord& quake, double distance)
{
    std::string label = "[";
    AppendFixed(label, quake.magnitude, 1);
    label += "] ";
    AppendFixed(label, distance * 0.001, 0);
    label += " km, ";
    label += quake.region;
    label += " (at ";
    label += FormatOleDate(quake.time);
    label += ')';
    return label;
}

void DrawQuake(Canvas& canvas, int cx, int cy, double mapRadius, const DisplaySettings& settings,
               const CityPosition& city, const QuakeRecord& quake, OleDate now)
{
    const double m = quake.magnitude;
    if (!(m >= 1.0 && m <= 10.0))
        return;

    const double span = OleDayDifference(now, quake.time);
    const double ageHours = WholeUnitsOfAge(span, 24.0);
    const double ageSeconds = WholeUnitsOfAge(span, 86400.0);
    if (ageHours > settings.hours)
        return;

    const double r = AgeRadius(mapRadius, ageSeconds, settings.hours);
    const int ri = Trunc(r);
    const int d = Trunc(2.0 * r);

    double ccw = 0.0;
    const double distance =
        GreatCircle(city.latDecimal, city.lonDecimal, quake.latitude, quake.longitude, &ccw);
    double theta = 360.0 - ccw;
    // A quake at the city itself has no direction: draw it to the north.
    if (distance == 0.0 || !std::isfinite(theta))
        theta = 0.0;
    if (distance > settings.nearestRadius)
        return;
    const double sweep = PieSweep(distance, settings.pieRadius);

    const Rgb color = MagnitudeColor(m);
    const double t = theta * std::numbers::pi / 180.0;

    const Brush oldBrush = canvas.SelectBrush(Brush{color});
    if (sweep != 0.0) {
        const double k = sweep * std::numbers::pi / 360.0;
        const CanvasPoint start{cx + Trunc(r * std::sin(t + k)), cy - Trunc(r * std::cos(t + k))};
        const CanvasPoint end{cx + Trunc(r * std::sin(t - k)), cy - Trunc(r * std::cos(t - k))};
        // Coinciding points would make a full disc of a sector thinner than a pixel.
        if (start != end || sweep >= 180.0)
            canvas.Pie(cx - ri, cy - ri, cx - ri + d, cy - ri + d, start, end);
    }

    const Pen oldPen = canvas.SelectPen(Pen{RayWidth(m), color});
    canvas.MoveTo(cx, cy);
    canvas.LineTo(cx + Trunc(kRayLengthFactor * (r * std::sin(t))),
                  cy - Trunc(kRayLengthFactor * (r * std::cos(t))));

    if (settings.drawTexts)
        canvas.TextOut(cx + Trunc(r * std::sin(t)), cy - Trunc(r * std::cos(t)),
                       QuakeLabel(quake, distance));

    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
}

}  // namespace

void DrawQuakes(Canvas& canvas, int width, int height, const DisplaySettings& settings,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock)
{
    const int cx = Trunc(width * 0.5);
    const int cy = Trunc(height * 0.5);
    const double mapRadius = MapRadius(width, height);

    canvas.FillSolidRect(1, 1, width - 2, height - 2, kFieldColor);
    canvas.Ellipse(cx - kCityDiscRadius, cy - kCityDiscRadius, cx + kCityDiscRadius,
                   cy + kCityDiscRadius);

    const CanvasFont oldFont = canvas.SelectFont(CanvasFont::Label);
    const OleDate now = clock.Now();
    for (int i = 0; i < quakes.count(); ++i)
        DrawQuake(canvas, cx, cy, mapRadius, settings, city, quakes.at(i), now);
    canvas.SelectFont(oldFont);

    const int index = quakes.GetActivityIndex(city, clock);
    canvas.FillSolidRect(kIndexBoxLeft, kIndexBoxTop, kIndexBoxWidth, kIndexBoxHeight,
                         IndexColor(index));
    canvas.SetTextColor(kIndexTextColor);
    char number[16];
    std::snprintf(number, sizeof number, "%3d", index);
    canvas.TextOut(kIndexTextLeft, kIndexTextTop, number);
    canvas.Flush();
}

}  // namespace tremolux
