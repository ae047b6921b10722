#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "core/geo/CityPosition.h"
#include "core/world/WorldView.h"

namespace {

// One quake of magnitude 5.0, 12 hours before --now, at Sydney.
const char kFeed[] = R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "properties": {"mag": 5.0, "place": "Sydney", "time": 1709251200000},
   "geometry": {"type": "Point", "coordinates": [151.2093, -33.8688, 10.0]}, "id": "t1"}]})";

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs tremolux-cli world without any display.
CliRun RunWorld(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(TREMOLUX_CLI, QStringList{"world"} + arguments);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class WorldCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile feed(m_dir.filePath("feed.geojson"));
        ASSERT_TRUE(feed.open(QIODevice::WriteOnly));
        feed.write(kFeed);
        m_feed = feed.fileName();
    }

    QTemporaryDir m_dir;
    QString m_feed;
};

TEST_F(WorldCommand, PaintsTheQuakeWhereTheProjectionPutsIt)
{
    const QString png = m_dir.filePath("world.png");
    const CliRun run = RunWorld({"--feed", m_feed, "--now", "2024-03-01 12:00:00", "--at",
                                 "35.6895,139.6917", "--size", "600x500", "--out", png});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage image(png, "PNG");
    ASSERT_EQ(image.size(), QSize(600, 500));

    tremolux::CityPosition tokyo;
    tokyo.latDecimal = 35.6895;
    tokyo.lonDecimal = 139.6917;
    const tremolux::ScreenPoint sydney =
        tremolux::ViewProjection(tokyo, 600, 500, {}).Project(-33.8688, 151.2093);
    EXPECT_EQ(image.pixel(static_cast<int>(std::lround(sydney.x)),
                          static_cast<int>(std::lround(sydney.y))),
              qRgb(127, 127, 0));                       // magnitude 5's colour
    EXPECT_EQ(image.pixel(2, 2), qRgb(228, 228, 224));  // around the Earth
}

TEST_F(WorldCommand, TraceListsPolygonsByRingSizesAndBounds)
{
    const CliRun run =
        RunWorld({"--feed", m_feed, "--now", "2024-03-01 12:00:00", "--city", "Sydney", "--trace"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 100);
    EXPECT_EQ(lines[0], "fill 0 0 800 600 228 228 224");
    EXPECT_TRUE(lines[1].startsWith("polygon ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(" 130 30 670 570 205 222 236")) << lines[1].toStdString();
    EXPECT_GT(lines
                  .filter(QRegularExpression(
                      "^polygon [0-9,]+ -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+ 238 234 218$"))
                  .size(),
              100);
    EXPECT_EQ(lines.filter(QRegularExpression("^ellipse ")).size(), 2);  // the city and the quake
}

TEST_F(WorldCommand, WrongUsageNamesTheProblem)
{
    const CliRun noCity = RunWorld({"--feed", m_feed, "--trace"});
    EXPECT_EQ(noCity.status, 2);
    EXPECT_TRUE(noCity.err.startsWith("tremolux-cli: world needs --at LAT,LON or --city NAME"))
        << noCity.err.toStdString();
    const CliRun mapOnly = RunWorld({"--at", "1,2", "--trace", "--pie", "3"});
    EXPECT_TRUE(mapOnly.err.startsWith("tremolux-cli: --pie is not an option of world"))
        << mapOnly.err.toStdString();
    const CliRun negative = RunWorld({"--at", "1,2", "--trace", "--hours", "-1"});
    EXPECT_TRUE(negative.err.startsWith("tremolux-cli: --hours: must not be negative, got -1"))
        << negative.err.toStdString();
}

}  // namespace
