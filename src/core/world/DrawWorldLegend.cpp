#include "core/world/DrawWorldLegend.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/common/DisplaySettings.h"
#include "core/common/PrintableText.h"
#include "core/view/LegendText.h"
#include "core/view/MagnitudeColor.h"
#include "core/world/DrawWorld.h"
#include "core/world/WorldPaths.h"
#include "core/world/WorldStyle.h"

namespace tremolux {

namespace {

using namespace world_style;

constexpr int kMargin = kLegendMargin;
constexpr int kDiscGap = 8;
// A ring's sample: a stroke this long, its text after it.
constexpr int kSampleLength = 30;
constexpr int kSampleTextLeft = kMargin + kSampleLength + 8;
constexpr int kDashLength = 5;
// The marks' sample quake, of a middling size.
constexpr double kSampleMagnitude = 5.0;

int Rounded(double value)
{
    return static_cast<int>(std::lround(value));
}

std::string Kilometres(double metres)
{
    return std::to_string(std::lround(metres * 0.001)) + " km";
}

// A disc as the map draws a quake's, centred on (x, y).
void Disc(Canvas& canvas, double x, double y, double r, Rgb fill)
{
    const Brush oldBrush = canvas.SelectBrush(Brush{fill});
    canvas.Ellipse(Rounded(x - r), Rounded(y - r), Rounded(x + r) + 1, Rounded(y + r) + 1);
    canvas.SelectBrush(oldBrush);
}

void DrawDiscs(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings, int& y)
{
    LegendTextColumn text(canvas, style, y);
    text.Line("Quake: a disc, colour and size by magnitude");
    y += 4;
    const double tallest = 2.0 * QuakeDiscRadius(*std::rbegin(kWorldLegendMagnitudes));
    const double cy = std::round(y + tallest / 2.0);
    const Pen oldPen = canvas.SelectPen(Pen{1, kQuakeOutlineColor});
    double x = kMargin;
    for (const int magnitude : kWorldLegendMagnitudes) {
        const double r = QuakeDiscRadius(magnitude);
        const double cx = std::round(x + std::max(r, 5.0));
        Disc(canvas, cx, cy, r, MagnitudeColor(magnitude));
        const std::string label = std::to_string(magnitude);
        text.Put(Rounded(cx) - 3 * static_cast<int>(label.size()), Rounded(y + tallest) + 4, label);
        x = cx + std::max(r, 5.0) + kDiscGap;
    }
    canvas.SelectPen(oldPen);
    y += Rounded(tallest) + 4 + style.lineHeight;
    text.Line("Quakes of the last " + AgeLabel(settings.hours) + ", the newest on top;");
    text.Line("under 1 and over 10 are not drawn.");
}

void SolidSample(Canvas& canvas, int y, const Pen& pen)
{
    const Pen oldPen = canvas.SelectPen(pen);
    canvas.MoveTo(kMargin, y);
    canvas.LineTo(kMargin + kSampleLength, y);
    canvas.SelectPen(oldPen);
}

void DashedSample(Canvas& canvas, int y, const Pen& pen)
{
    const Pen oldPen = canvas.SelectPen(pen);
    for (int x = kMargin; x < kMargin + kSampleLength; x += 2 * kDashLength) {
        canvas.MoveTo(x, y);
        canvas.LineTo(std::min(x + kDashLength, kMargin + kSampleLength), y);
    }
    canvas.SelectPen(oldPen);
}

void DrawRings(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings, int& y)
{
    LegendTextColumn text(canvas, style, y);
    text.Line("Rings about the city:");
    const auto ring = [&](const Pen& pen, const std::string& meaning) {
        SolidSample(canvas, y + style.lineHeight / 2, pen);
        text.Line(meaning, kSampleTextLeft);
    };
    ring(Pen{1, kDistanceRingColor}, "every 1,000 km");
    if (settings.nearestRadius > 0.0)
        ring(Pen{kRadiusRingWidth, kNearestColor},
             "nearest radius, " + Kilometres(settings.nearestRadius));
    if (settings.pieRadius > 0.0)
        ring(Pen{kRadiusRingWidth, kPieColor}, "pie radius, " + Kilometres(settings.pieRadius));
    ring(Pen{kRadiusRingWidth, kRimColor}, "the outer circle: the antipode");
}

void DrawRuleRings(Canvas& canvas, const LegendStyle& style,
                   const std::vector<std::string>& ruleRings, int& y)
{
    LegendTextColumn text(canvas, style, y);
    if (ruleRings.empty()) {
        text.Line("Alert rules: none with a radius is on.");
        return;
    }
    text.Line("Alert rules' rings:");
    std::vector<std::string> listed;
    for (const std::string& label : ruleRings) {
        if (std::find(listed.begin(), listed.end(), label) != listed.end())
            continue;
        listed.push_back(label);
        DashedSample(canvas, y + style.lineHeight / 2, Pen{kRadiusRingWidth, kAlertRingColor});
        text.Line(PrintableText(label), kSampleTextLeft);
    }
}

// The city, and a quake with each of the rings the map draws about one.
void DrawMarks(Canvas& canvas, const LegendStyle& style, int& y)
{
    LegendTextColumn text(canvas, style, y);
    const double r = QuakeDiscRadius(kSampleMagnitude);
    const int row = std::max(style.lineHeight, Rounded(2.0 * (r + kSelectionGap)) + 4);
    const double cx = kMargin + kSampleLength / 2.0;
    const int textTop = (row - style.lineHeight) / 2;
    const Pen oldPen = canvas.SelectPen(Pen{1, kQuakeOutlineColor});

    Disc(canvas, cx, y + row / 2.0, kCityDiscRadius, kCityColor);
    text.Put(kSampleTextLeft, y + textTop, "the city");
    y += row;

    canvas.SelectPen(Pen{kLatestLoadWidth, kLatestLoadColor});
    Disc(canvas, cx, y + row / 2.0, r + kLatestLoadGap, MagnitudeColor(kSampleMagnitude));
    text.Put(kSampleTextLeft, y + textTop, "new: brought by the latest load");
    y += row;

    canvas.SelectPen(Pen{1, kQuakeOutlineColor});
    Disc(canvas, cx, y + row / 2.0, r, MagnitudeColor(kSampleMagnitude));
    canvas.SelectPen(Pen{kSelectionWidth, kSelectionColor});
    canvas.Polyline(CirclePath(cx, y + row / 2.0, r + kSelectionGap));
    text.Put(kSampleTextLeft, y + textTop, "the selected quake");
    y += row;
    canvas.SelectPen(oldPen);
}

}  // namespace

int DrawWorldLegend(Canvas& canvas, const LegendStyle& style, const DisplaySettings& settings,
                    const std::vector<std::string>& ruleRings)
{
    return DrawLegendSections(canvas, {[&](int& y) { DrawDiscs(canvas, style, settings, y); },
                                       [&](int& y) { DrawRings(canvas, style, settings, y); },
                                       [&](int& y) { DrawRuleRings(canvas, style, ruleRings, y); },
                                       [&](int& y) { DrawMarks(canvas, style, y); }});
}

}  // namespace tremolux
