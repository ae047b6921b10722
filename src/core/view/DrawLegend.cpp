#include "core/view/DrawLegend.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/common/DisplaySettings.h"
#include "core/view/LegendText.h"
#include "core/view/MagnitudeColor.h"
#include "core/view/MapScale.h"

namespace tremolux {

namespace {

constexpr int kMargin = kLegendMargin;
constexpr int kRayLength = 30;
constexpr int kAgeDiagramMaxRadius = 110;
constexpr int kPieDiameter = 26;
constexpr double kPieShares[] = {0.0, 0.25, 0.5, 0.75};
// A sample of the index box, and its number inside.
constexpr int kIndexBoxWidth = 45;
constexpr int kIndexBoxHeight = 25;
constexpr int kIndexTextLeft = 10;
constexpr int kIndexTextTop = 5;
constexpr Rgb kOutlineColor{0, 0, 0};
constexpr Rgb kCityColor{255, 255, 255};
constexpr int kCityDiscRadius = 4;
// Round ring spacings in hours, from a quarter hour to a year.
constexpr double kRingSteps[] = {0.25, 0.5, 1, 2, 3, 6, 12, 24, 48, 72, 168, 336, 720, 2160, 8760};
constexpr int kMaxRingSteps = 4;

std::string Number(double value, int precision)
{
    char digits[400];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    return std::string(digits, result.ptr);
}

std::string Kilometres(double metres)
{
    return Number(metres * 0.001, 0) + " km";
}

bool Whole(double value)
{
    return std::fabs(value - std::round(value)) < 1e-9;
}

void DrawMagnitudes(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings,
                    int& y)
{
    LegendTextColumn text(canvas, style, y);
    text.Line("Magnitude: colour and width of the ray");
    y += 4;
    const int columns = static_cast<int>(std::size(kLegendMagnitudes));
    const int step = std::max(20, (style.width - 2 * kMargin) / columns);
    for (int i = 0; i < columns; ++i) {
        const double m = kLegendMagnitudes[i];
        const int x = kMargin + i * step + step / 2;
        const Pen old = canvas.SelectPen(Pen{RayWidth(m), MagnitudeColor(m)});
        canvas.MoveTo(x, y);
        canvas.LineTo(x, y + kRayLength);
        canvas.SelectPen(old);
        const std::string label = std::to_string(kLegendMagnitudes[i]);
        text.Put(x - 3 * static_cast<int>(label.size()), y + kRayLength + 4, label);
    }
    y += kRayLength + 4 + style.lineHeight;
    text.Line("Under 1 and over 10 are not drawn.");
    if (settings.drawTexts) {
        text.Line("Label: [magnitude] distance km,");
        text.Line("region (at time, in UTC)");
    }
}

void DrawAges(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings, int& y)
{
    LegendTextColumn text(canvas, style, y);
    text.Line("Age: fresh quakes on the outer ring,");
    text.Line(AgeLabel(settings.hours) + " old ones at the centre");
    y += 4;
    const double radius = std::clamp((style.width - 2 * kMargin) / 2 - 1, 40, kAgeDiagramMaxRadius);
    const int cx = kMargin + static_cast<int>(radius);
    const int cy = y + static_cast<int>(radius);

    const Pen oldPen = canvas.SelectPen(Pen{1, kOutlineColor});
    const Brush oldBrush = canvas.SelectBrush(Brush{kFieldColor});
    const std::vector<AgeRing> rings = AgeRings(settings.hours);
    // Widest first, so that each ring's outline stays on top of the ones outside it.
    for (const AgeRing& ring : rings) {
        const double r = AgeRadius(radius, ring.hours * 3600.0, settings.hours);
        const int ri = static_cast<int>(r);
        const int d = static_cast<int>(2.0 * r);
        if (ri > 0)
            canvas.Ellipse(cx - ri, cy - ri, cx - ri + d, cy - ri + d);
    }
    canvas.SelectBrush(Brush{kCityColor});
    canvas.Ellipse(cx - kCityDiscRadius, cy - kCityDiscRadius, cx + kCityDiscRadius,
                   cy + kCityDiscRadius);
    canvas.SelectBrush(oldBrush);
    canvas.SelectPen(oldPen);
    for (const AgeRing& ring : rings) {
        const int ri = static_cast<int>(AgeRadius(radius, ring.hours * 3600.0, settings.hours));
        const int top = ri > 0 ? cy - ri + 2 : cy + kCityDiscRadius + 2;
        text.Put(cx + 3, top, ring.label);
    }
    y = cy + static_cast<int>(radius) + 4;
}

void DrawPies(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings, int& y)
{
    LegendTextColumn text(canvas, style, y);
    if (!(settings.pieRadius > 0.0)) {
        text.Line("Pie radius 0: no quake is drawn as a pie.");
    } else {
        text.Line("Pie: nearer than " + Kilometres(settings.pieRadius) + ", fuller when nearer");
        y += 4;
        const int step = std::max(kPieDiameter + 8, (style.width - 2 * kMargin) / 4);
        const double r = kPieDiameter / 2.0;
        const Brush oldBrush = canvas.SelectBrush(Brush{MagnitudeColor(5.0)});
        for (std::size_t i = 0; i < std::size(kPieShares); ++i) {
            const double distance = kPieShares[i] * settings.pieRadius;
            const double sweep = PieSweep(distance, settings.pieRadius);
            const int cx = kMargin + static_cast<int>(i) * step + kPieDiameter / 2;
            const int cy = y + kPieDiameter / 2;
            // Pointing north, as a quake due north of the city.
            const double k = sweep * std::numbers::pi / 360.0;
            const CanvasPoint start{cx + static_cast<int>(r * std::sin(k)),
                                    cy - static_cast<int>(r * std::cos(k))};
            const CanvasPoint end{cx + static_cast<int>(r * std::sin(-k)),
                                  cy - static_cast<int>(r * std::cos(-k))};
            canvas.Pie(cx - kPieDiameter / 2, cy - kPieDiameter / 2, cx + kPieDiameter / 2,
                       cy + kPieDiameter / 2, start, end);
            text.Put(cx - kPieDiameter / 2, y + kPieDiameter + 2, Kilometres(distance));
        }
        canvas.SelectBrush(oldBrush);
        y += kPieDiameter + 2 + style.lineHeight;
    }
    text.Line("Not drawn: farther than " + Kilometres(settings.nearestRadius) + ".");
}

void DrawIndex(Canvas& canvas, const LegendStyle& style, int& y)
{
    LegendTextColumn text(canvas, style, y);
    text.Line("Activity index (the box at the top left):");
    text.Line("magnitude / (minutes old x km away),");
    text.Line("summed over all quakes, x 10000");
    y += 4;
    for (std::size_t i = 0; i < std::size(kLegendIndexValues); ++i) {
        const int value = kLegendIndexValues[i];
        const int left = kMargin + static_cast<int>(i) * (kIndexBoxWidth + 6);
        canvas.FillSolidRect(left, y, kIndexBoxWidth, kIndexBoxHeight, IndexColor(value));
        canvas.SetTextColor(kIndexTextColor);
        char number[16];
        std::snprintf(number, sizeof number, i + 1 == std::size(kLegendIndexValues) ? "%d+" : "%3d",
                      value);
        canvas.TextOut(left + kIndexTextLeft, y + kIndexTextTop, number);
    }
    y += kIndexBoxHeight;
}

}  // namespace

std::string AgeLabel(double hours)
{
    if (!std::isfinite(hours))
        return "?";
    if (hours < 1.0 || (!Whole(hours) && Whole(hours * 60.0)))
        return Number(hours * 60.0, 0) + " min";
    if (!Whole(hours))
        return Number(hours, 1) + " h";
    if (hours >= 72.0 && Whole(hours / 24.0))
        return Number(hours / 24.0, 0) + " d";
    return Number(hours, 0) + " h";
}

std::vector<AgeRing> AgeRings(double hours)
{
    std::vector<AgeRing> rings{{0.0, "now"}};
    if (!(hours > 0.0) || !std::isfinite(hours))
        return rings;
    double step = hours / kMaxRingSteps;
    for (double round : kRingSteps) {
        if (hours / round <= kMaxRingSteps) {
            step = round;
            break;
        }
    }
    // A ring close to the centre's would only crowd its label.
    for (int i = 1; i * step < hours - step / 2; ++i)
        rings.push_back({i * step, {}});
    rings.push_back({hours, {}});

    // One unit for all the rings: days only when every ring is whole days.
    bool days = hours >= 72.0;
    for (const AgeRing& ring : rings)
        days = days && Whole(ring.hours / 24.0);
    for (std::size_t i = 1; i < rings.size(); ++i) {
        const double age = rings[i].hours;
        rings[i].label = days ? Number(age / 24.0, 0) + " d"
                              : (age >= 72.0 && Whole(age) ? Number(age, 0) + " h" : AgeLabel(age));
    }
    return rings;
}

int DrawLegend(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings)
{
    return DrawLegendSections(canvas, {[&](int& y) { DrawMagnitudes(canvas, style, settings, y); },
                                       [&](int& y) { DrawAges(canvas, style, settings, y); },
                                       [&](int& y) { DrawPies(canvas, style, settings, y); },
                                       [&](int& y) { DrawIndex(canvas, style, y); }});
}

}  // namespace tremolux
