#include "core/view/DrawQuakes.h"

#include <cstdio>

#include "core/common/Clock.h"
#include "core/feed/QuakeList.h"
#include "core/view/Canvas.h"
#include "core/view/MapScale.h"
#include "core/view/QuakeLayout.h"

namespace tremolux {

namespace {

// The city's disc at the centre.
constexpr int kCityDiscRadius = 10;
// The activity index's number inside its box.
constexpr int kIndexTextLeft = 20;
constexpr int kIndexTextTop = 15;

void DrawQuake(Canvas& canvas, CanvasPoint centre, const QuakeShape& shape)
{
    const Brush oldBrush = canvas.SelectBrush(Brush{shape.color});
    if (shape.hasPie) {
        const CanvasRect& r = shape.pieRect;
        canvas.Pie(r.left, r.top, r.right, r.bottom, shape.pieStart, shape.pieEnd);
    }

    const Pen oldPen = canvas.SelectPen(Pen{shape.penWidth, shape.color});
    canvas.MoveTo(centre.x, centre.y);
    canvas.LineTo(shape.rayEnd.x, shape.rayEnd.y);

    if (shape.label != nullptr) {
        if (shape.labelBox.right > shape.labelBox.left)
            canvas.TextOut(shape.position.x, shape.position.y, *shape.label, shape.labelExtent);
        else
            canvas.TextOut(shape.position.x, shape.position.y, *shape.label);
    }

    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
}

}  // namespace

void DrawQuakes(Canvas& canvas, int width, int height, const DisplaySettings& settings,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock)
{
    DrawQuakes(canvas, width, height,
               LayOutQuakes(width, height, settings, city, quakes, clock.Now()), city, quakes,
               clock);
}

void DrawQuakes(Canvas& canvas, int width, int height, const QuakeLayout& layout,
                const CityPosition& city, const QuakeList& quakes, const Clock& clock)
{
    const CanvasPoint centre = layout.centre;
    canvas.FillSolidRect(1, 1, width - 2, height - 2, kFieldColor);
    canvas.Ellipse(centre.x - kCityDiscRadius, centre.y - kCityDiscRadius,
                   centre.x + kCityDiscRadius, centre.y + kCityDiscRadius);

    const CanvasFont oldFont = canvas.SelectFont(CanvasFont::Label);
    for (const QuakeShape& shape : layout.shapes)
        DrawQuake(canvas, centre, shape);
    canvas.SelectFont(oldFont);

    const bool measured = layout.seen && layout.seen->Fits(quakes, city);
    const int index = measured ? quakes.GetActivityIndex(layout.seen->Distances(), clock)
                               : quakes.GetActivityIndex(city, clock);
    const CanvasRect& box = layout.indexBox;
    canvas.FillSolidRect(box.left, box.top, box.right - box.left, box.bottom - box.top,
                         IndexColor(index));
    canvas.SetTextColor(kIndexTextColor);
    char number[16];
    std::snprintf(number, sizeof number, "%3d", index);
    canvas.TextOut(kIndexTextLeft, kIndexTextTop, number);
    canvas.Flush();
}

}  // namespace tremolux
