#include <gtest/gtest.h>

#include <sstream>

#include "core/view/TraceCanvas.h"

namespace tremolux {
namespace {

TEST(TraceCanvas, FreshStateSelectionsAndOneLinePerOperation)
{
    std::ostringstream out;
    TraceCanvas canvas(out);
    canvas.Pie(0, 0, 20, 20, {10, 0}, {10, 0});  // white brush
    canvas.MoveTo(5, 6);
    canvas.LineTo(7, 8);                   // black 1-pixel pen
    canvas.TextOut(1, 2, "two\r\nlines");  // black text

    const Pen oldPen = canvas.SelectPen(Pen{4, {1, 2, 3}});
    const Brush oldBrush = canvas.SelectBrush(Brush{{4, 5, 6}});
    const Rgb oldText = canvas.SetTextColor({7, 8, 9});
    canvas.LineTo(9, 10);  // from where the last line ended
    canvas.Pie(1, 2, 3, 4, {5, 6}, {7, 8});
    canvas.TextOut(3, 4, "  0");
    canvas.SelectPen(oldPen);
    canvas.SelectBrush(oldBrush);
    canvas.SetTextColor(oldText);
    canvas.MoveTo(0, 0);
    canvas.LineTo(1, 1);
    canvas.Ellipse(1, 2, 3, 4);
    canvas.FillSolidRect(1, 2, 3, 4, {0, 200, 0});

    EXPECT_EQ(out.str(), "pie 0 0 20 20 10 0 10 0 255 255 255\n"
                         "line 5 6 7 8 1 0 0 0\n"
                         "text 1 2 0 0 0 two  lines\n"
                         "line 7 8 9 10 4 1 2 3\n"
                         "pie 1 2 3 4 5 6 7 8 4 5 6\n"
                         "text 3 4 7 8 9   0\n"
                         "line 0 0 1 1 1 0 0 0\n"
                         "ellipse 1 2 3 4\n"
                         "fill 1 2 3 4 0 200 0\n");
}

}  // namespace
}  // namespace tremolux
