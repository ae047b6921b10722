#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <random>
#include <string>

#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "core/view/QuakeLayout.h"
#include "gui/view/QPainterCanvas.h"
#include "support/OneByOneCanvas.h"
#include "support/QuakeBuilders.h"
#include "../../../bench/SyntheticQuakes.h"

namespace tremolux {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kField = qRgb(0, 200, 0);

QFont LabelFont()
{
    return MapLabelFont();
}

// A white image of the given size with whatever paint() draws on its canvas.
template <typename Paint>
QImage Painted(int width, int height, Paint paint)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, LabelFont());
    paint(canvas);
    return image;
}

TEST(QPainterCanvas, LabelFontIsArialOrItsMetricTwin)
{
    const QString family = QFontInfo(LabelFont()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
}

// A label's opaque box is one character cell high: 12 pixels.
TEST(QPainterCanvas, LabelBoxIsTwelvePixelsHigh)
{
    const QImage image = Painted(200, 40, [](Canvas& canvas) {
        canvas.FillSolidRect(0, 0, 1, 1, Rgb{0, 0, 255});  // the text background
        canvas.SelectFont(CanvasFont::Label);
        canvas.TextOut(10, 10, "[5.4] 120 km, Honshu");
    });
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 2; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    EXPECT_EQ(top, 10);
    EXPECT_EQ(bottom - top + 1, 12);
}

TEST(QPainterCanvas, EmptyMapFieldMarginCityDiscAndIndexBox)
{
    const OleDate now = OleDateFromCalendar(2024, 3, 1, 12);
    CityPosition city;
    const QImage image = Painted(800, 600, [&](Canvas& canvas) {
        DrawQuakes(canvas, 800, 600, DisplaySettings(), city, QuakeList(), FixedClock(now));
    });

    // The outer pixel stays as the surface was; the field covers the rest.
    for (const QPoint& margin : {QPoint(0, 0), QPoint(799, 599), QPoint(400, 0), QPoint(0, 300)})
        EXPECT_EQ(image.pixel(margin), kWhite) << margin.x() << "," << margin.y();
    for (const QPoint& field : {QPoint(1, 1), QPoint(798, 598), QPoint(60, 300), QPoint(389, 300)})
        EXPECT_EQ(image.pixel(field), kField) << field.x() << "," << field.y();

    // The disc inscribed in (390, 290)-(410, 310): black outline on its
    // left, right, top and bottom edges, white inside.
    EXPECT_EQ(image.pixel(400, 300), kWhite);
    EXPECT_EQ(image.pixel(390, 300), kBlack);
    EXPECT_EQ(image.pixel(409, 300), kBlack);
    EXPECT_EQ(image.pixel(400, 290), kBlack);
    EXPECT_EQ(image.pixel(400, 309), kBlack);
    EXPECT_EQ(image.pixel(410, 300), kField);
    EXPECT_EQ(image.pixel(400, 310), kField);

    // The index box (10, 10)-(55, 35) in index-0 green.
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(54, 34), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(55, 35), kField);
    EXPECT_EQ(image.pixel(9, 9), kField);
}

TEST(QPainterCanvas, PieRunsAnticlockwiseFromStartToEnd)
{
    // From the radial through the top anticlockwise to the one through the
    // bottom: the left half. Swapped points give the right half.
    const QRgb red = qRgb(255, 0, 0);
    const QImage left = Painted(300, 300, [](Canvas& canvas) {
        canvas.SelectBrush(Brush{{255, 0, 0}});
        canvas.Pie(50, 50, 250, 250, {150, 60}, {150, 240});
    });
    EXPECT_EQ(left.pixel(80, 150), red);
    EXPECT_EQ(left.pixel(220, 150), kWhite);
    EXPECT_EQ(left.pixel(170, 60), kWhite);

    const QImage right = Painted(300, 300, [](Canvas& canvas) {
        canvas.SelectBrush(Brush{{255, 0, 0}});
        canvas.Pie(50, 50, 250, 250, {150, 240}, {150, 60});
    });
    EXPECT_EQ(right.pixel(80, 150), kWhite);
    EXPECT_EQ(right.pixel(220, 150), red);

    // A narrow sector to the north-east, and a full disc when the radials coincide.
    const QImage narrow = Painted(300, 300, [](Canvas& canvas) {
        canvas.SelectBrush(Brush{{255, 0, 0}});
        canvas.Pie(50, 50, 250, 250, {250, 80}, {200, 50});
    });
    EXPECT_EQ(narrow.pixel(200, 90), red);
    EXPECT_EQ(narrow.pixel(100, 90), kWhite);
    EXPECT_EQ(narrow.pixel(200, 210), kWhite);
    const QImage full = Painted(300, 300, [](Canvas& canvas) {
        canvas.SelectBrush(Brush{{255, 0, 0}});
        canvas.Pie(50, 50, 250, 250, {150, 60}, {150, 60});
    });
    for (const QPoint& inside :
         {QPoint(80, 150), QPoint(220, 150), QPoint(150, 80), QPoint(150, 220)})
        EXPECT_EQ(full.pixel(inside), red);
}

TEST(QPainterCanvas, RayEndingFarOutsideDrawsItsVisiblePart)
{
    // The second quake's ray of the map's worked example, 5 pixels wide.
    const QRgb olive = qRgb(107, 147, 0);
    const QImage image = Painted(800, 600, [](Canvas& canvas) {
        canvas.SelectPen(Pen{5, {107, 147, 0}});
        canvas.MoveTo(400, 300);
        canvas.LineTo(-16056, 20267);
    });
    // On the line: x = 400 - (y - 300) * 16456 / 19967.
    for (int y : {310, 450, 598}) {
        const int x = 400 - (y - 300) * 16456 / 19967;
        EXPECT_EQ(image.pixel(x, y), olive) << y;
        EXPECT_EQ(image.pixel(x - 6, y), kWhite) << y;
        EXPECT_EQ(image.pixel(x + 6, y), kWhite) << y;
    }
    EXPECT_EQ(image.pixel(400, 200), kWhite);  // nothing on the other side of the start
}

// A region a megabyte long is shown as its start and "…", and measured so,
// for ASCII and for other text alike.
TEST(QPainterCanvas, LongLabelsAreCutToTheirStart)
{
    QImage device(1, 1, QImage::Format_RGB32);
    const LabelMeasure measure = MapLabelMeasure(LabelFont(), &device);
    for (const std::string& piece : {std::string("x"), std::string("\u00E9")}) {
        std::string whole = "[5.0] 10 km, ";
        std::string shown = whole;
        for (int i = 0; i < 1'000'000; ++i)
            whole += piece;
        for (std::size_t i = shown.size(); i < kShownLabelMax - 1; ++i)
            shown += piece;
        shown += "\u2026";
        const auto draw = [](const std::string& text) {
            return Painted(2400, 20, [&](Canvas& canvas) {
                canvas.SelectFont(CanvasFont::Label);
                canvas.TextOut(0, 0, text);
            });
        };
        EXPECT_EQ(draw(whole), draw(shown)) << piece;
        EXPECT_EQ(measure.extent(whole).width, measure.extent(shown).width) << piece;
    }
}

TEST(QPainterCanvas, TextSitsBelowItsPointOnAnOpaqueBackground)
{
    const QRgb red = qRgb(255, 0, 0);
    const QImage image = Painted(200, 100, [](Canvas& canvas) {
        canvas.SelectPen(Pen{3, {255, 0, 0}});
        canvas.MoveTo(0, 50);
        canvas.LineTo(200, 50);
        canvas.FillSolidRect(0, 0, 10, 10, {0, 0, 255});  // text background now blue
        canvas.TextOut(40, 45, "   ");
    });
    // The spaces' box starts at the point and hides the line beneath it.
    EXPECT_EQ(image.pixel(41, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(41, 45), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(41, 44), kWhite);
    EXPECT_EQ(image.pixel(39, 50), red);
    EXPECT_EQ(image.pixel(120, 50), red);
}

TEST(QPainterCanvas, ZeroLengthRayAndEmptyPieLeaveNoMark)
{
    const QImage image = Painted(100, 100, [](Canvas& canvas) {
        canvas.SelectPen(Pen{6, {255, 0, 0}});
        canvas.SelectBrush(Brush{{255, 0, 0}});
        canvas.Pie(50, 50, 50, 50, {50, 50}, {50, 50});
        canvas.MoveTo(50, 50);
        canvas.LineTo(50, 50);
    });
    for (int y = 45; y < 55; ++y)
        for (int x = 45; x < 55; ++x)
            ASSERT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
}

// Texts hidden under later opaque boxes are left out; leaving them out must
// not change a pixel. A Flush after every text keeps all of them.
TEST(QPainterCanvas, LeavingOutHiddenTextsChangesNoPixel)
{
    const auto scene = [](bool flushEachText) {
        return [flushEachText](Canvas& canvas) {
            std::mt19937 random(7);
            std::uniform_int_distribution<int> x(-100, 380), y(-10, 290), colour(0, 255);
            const std::string texts[] = {"[4.2] 99 km, Izu Islands (at Fri Mar  1 10:00:00 2024)",
                                         "jjj fff", "Tōhoku, Japan", "  7", "Wy_|"};
            canvas.FillSolidRect(0, 0, 400, 300, {0, 200, 0});
            for (int i = 0; i < 400; ++i) {
                canvas.SelectPen(Pen{1 + i % 7, {colour(random), 0, 0}});
                canvas.MoveTo(200, 150);
                canvas.LineTo(x(random) * 40, y(random) * 40);
                canvas.SetTextColor({0, 0, colour(random)});
                if (i % 50 == 0)
                    canvas.FillSolidRect(x(random), y(random), 60, 30, {colour(random), 200, 0});
                canvas.TextOut(x(random), y(random), texts[i % 5]);
                if (flushEachText)
                    canvas.Flush();
            }
        };
    };
    const QImage batched = Painted(400, 300, scene(false));
    const QImage oneByOne = Painted(400, 300, scene(true));
    EXPECT_TRUE(batched == oneByOne);

    // The hook of a "j" reaches left of its box: a later box over the whole
    // box, but not the hook, leaves the hook showing.
    const auto hook = [](bool flushEachText) {
        return [flushEachText](Canvas& canvas) {
            canvas.TextOut(41, 40, "j");
            if (flushEachText)
                canvas.Flush();
            canvas.TextOut(41, 40, "MMMMMM");
        };
    };
    EXPECT_TRUE(Painted(100, 100, hook(false)) == Painted(100, 100, hook(true)));
}

// A map window measures its labels once, as it lays them out, and the canvas
// takes those extents: the picture is the one a plain paint gives. Some
// labels are not ASCII and go through the full text engine.
TEST(QPainterCanvas, MeasuredLayoutPaintsThePlainPicture)
{
    const OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> latitude(-60.0, 70.0), longitude(-180.0, 180.0),
        hours(0.0, 50.0), magnitude(1.0, 9.5);
    std::vector<QuakeRecord> records;
    for (int i = 0; i < 1500; ++i)
        records.push_back(test::QuakeBefore(now, hours(random), magnitude(random), latitude(random),
                                            longitude(random),
                                            i % 3 ? "Izu Islands" : "Tōhoku, Japan"));
    const QuakeList quakes = test::ListOf(records);
    const CityPosition city = test::At(35.68, 139.69);
    const DisplaySettings settings{1, 48.0, 15000000.0, 3000000.0};
    const FixedClock clock(now);

    const QImage plain = Painted(900, 700, [&](Canvas& canvas) {
        DrawQuakes(canvas, 900, 700, settings, city, quakes, clock);
    });
    const QImage measured = Painted(900, 700, [&](Canvas& canvas) {
        QImage device(1, 1, QImage::Format_RGB32);
        const QuakeLayout layout = LayOutQuakes(900, 700, settings, city, quakes, now,
                                                MapLabelMeasure(LabelFont(), &device));
        DrawQuakes(canvas, 900, 700, layout, city, quakes, clock);
    });
    EXPECT_TRUE(plain == measured);
}

TEST(QPainterCanvas, PartlyCoveredTextStillShows)
{
    const auto labels = [](bool first) {
        return [first](Canvas& canvas) {
            if (first)
                canvas.TextOut(40, 40, "MMMMMMMM");
            canvas.TextOut(40, 46, "MMMMMMMMMMMMMMMM");
        };
    };
    const QImage both = Painted(300, 100, labels(true));
    const QImage second = Painted(300, 100, labels(false));
    EXPECT_FALSE(both == second);
    EXPECT_EQ(both.copy(0, 46, 300, 54), second.copy(0, 46, 300, 54));
}

// Labels and ray ends hidden under later ones are left out: the picture of a
// whole map is the one every operation drawn in turn gives, pixel for pixel,
// with and without labels, in windows large and small, rays of every width.
TEST(QPainterCanvas, WholeMapPaintsAsEveryOperationDrawnInTurn)
{
    struct Case {
        int quakes;
        int width;
        int height;
        DisplaySettings settings;
    };
    const Case cases[] = {
        {10000, 1000, 800, {1, 168.0, 15000000.0, 300000.0}},
        {4000, 1000, 800, {0, 168.0, 15000000.0, 3000000.0}},
        {3000, 333, 211, {0, 48.0, 15000000.0, 20000000.0}},
        {600, 640, 480, {1, 24.0, 8000000.0, 1500000.0}},
    };
    const OleDate now = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);
    const FixedClock clock(now);
    const CityPosition city = test::At(35.68, 139.69);
    for (const Case& c : cases) {
        std::mt19937 random(static_cast<unsigned>(c.quakes + c.width));
        std::uniform_real_distribution<double> latitude(-60.0, 70.0), longitude(-180.0, 180.0),
            hours(0.0, c.settings.hours), magnitude(1.0, 9.9);
        std::vector<QuakeRecord> records;
        for (int i = 0; i < c.quakes; ++i)
            records.push_back(test::QuakeBefore(now, hours(random), magnitude(random),
                                                latitude(random), longitude(random),
                                                "Izu Islands"));
        const QuakeList quakes = test::ListOf(records);
        const QImage batched = Painted(c.width, c.height, [&](Canvas& canvas) {
            DrawQuakes(canvas, c.width, c.height, c.settings, city, quakes, clock);
        });
        const QImage oneByOne = Painted(c.width, c.height, [&](Canvas& canvas) {
            test::OneByOneCanvas each(canvas);
            DrawQuakes(each, c.width, c.height, c.settings, city, quakes, clock);
        });
        EXPECT_TRUE(batched == oneByOne) << c.quakes << " quakes in " << c.width << "x" << c.height;
    }
}

// The benchmark's month of quakes, where most rays and labels lie under later
// ones and are left out: the picture is still the one every operation drawn
// in turn gives, on a screen of one device pixel a pixel, of two (each ray
// grows by a pixel's diagonal) and of one and a half (no ray left out).
TEST(QPainterCanvas, BenchmarkMapPaintsAsEveryOperationDrawnInTurn)
{
    const QuakeList quakes = bench::RandomQuakes(10000);
    const FixedClock clock(bench::kNow);
    DisplaySettings settings;
    settings.hours = 168.0;
    settings.nearestRadius = 15000000.0;
    for (const double ratio : {1.0, 2.0, 1.5}) {
        const auto paint = [&](bool eachInTurn) {
            QImage image(static_cast<int>(1000 * ratio), static_cast<int>(800 * ratio),
                         QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(kWhite);
            QPainter painter(&image);
            QPainterCanvas canvas(painter, LabelFont());
            test::OneByOneCanvas each(canvas);
            DrawQuakes(eachInTurn ? static_cast<Canvas&>(each) : canvas, 1000, 800, settings,
                       bench::Tokyo(), quakes, clock);
            painter.end();
            return image;
        };
        EXPECT_TRUE(paint(false) == paint(true)) << "device pixel ratio " << ratio;
    }
}

}  // namespace
}  // namespace tremolux
