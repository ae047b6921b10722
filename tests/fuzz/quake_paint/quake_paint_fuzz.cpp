// Any bytes as a map window's quakes and parameters, painted as the watcher
// paints them (hidden labels and ray ends left out) and with every operation
// drawn in turn: the two pictures must be the same, pixel for pixel.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "FuzzCheck.h"
#include "core/common/Clock.h"
#include "core/common/DisplaySettings.h"
#include "core/feed/QuakeList.h"
#include "core/geo/CityPosition.h"
#include "core/view/DrawQuakes.h"
#include "gui/view/MapLabelFont.h"
#include "gui/view/QPainterCanvas.h"
#include "support/OneByOneCanvas.h"

namespace {

using namespace tremolux;

const OleDate kNow = OleDateFromCalendar(2025, 12, 7, 6, 0, 0);

// Reads the input a few bytes at a time, zeros once it runs out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool more() const { return m_at < m_size; }
    unsigned Next(int count)
    {
        unsigned value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 8 | (m_at < m_size ? m_data[m_at++] : 0u);
        return value;
    }
    // A value from low to high in steps of a 16-bit number.
    double Between(double low, double high) { return low + (high - low) * Next(2) / 65535.0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

QImage Paint(int width, int height, const DisplaySettings& settings, const CityPosition& city,
             const QuakeList& quakes, bool eachInTurn)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, MapLabelFont());
    const FixedClock clock(kNow);
    if (eachInTurn) {
        test::OneByOneCanvas each(canvas);
        DrawQuakes(each, width, height, settings, city, quakes, clock);
    } else {
        DrawQuakes(canvas, width, height, settings, city, quakes, clock);
    }
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes(data, size);
    const int width = 20 + static_cast<int>(bytes.Next(1)) * 3;
    const int height = 20 + static_cast<int>(bytes.Next(1)) * 3;
    DisplaySettings settings;
    settings.drawTexts = bytes.Next(1) % 2;
    settings.hours = 1 + bytes.Next(1) % kMaxHours;
    settings.nearestRadius = bytes.Between(0.0, kMaxNearestKm * 1000.0);
    settings.pieRadius = bytes.Between(0.0, 4 * kMaxPieKm * 1000.0);
    CityPosition city;
    city.latDecimal = bytes.Between(-90.0, 90.0);
    city.lonDecimal = bytes.Between(-180.0, 180.0);
    QuakeList quakes;
    while (bytes.more() && quakes.count() < 3000) {
        QuakeRecord quake;
        quake.magnitude = bytes.Between(0.5, 10.5);
        quake.latitude = bytes.Between(-90.0, 90.0);
        quake.longitude = bytes.Between(-180.0, 180.0);
        quake.time = OleDate{kNow.value - bytes.Between(-0.1, 7.5), true};
        quake.region = std::string(bytes.Next(1) % 40, 'M');
        quakes.Append(quake);
    }
    FUZZ_CHECK(Paint(width, height, settings, city, quakes, false)
               == Paint(width, height, settings, city, quakes, true));
    return 0;
}
