#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// One quake of magnitude 5.0, 12 hours before --now, north-east of Tokyo.
const char kFeed[] = R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "properties": {"mag": 5.0, "place": "Off Miyagi", "time": 1709251200000},
   "geometry": {"type": "Point", "coordinates": [142.373, 38.297, 30.0]}, "id": "t1"}]})";

// Runs tremolux-cli map without any display; returns its exit status.
int RunMap(const QStringList& arguments, QString* errors = nullptr)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(TREMOLUX_CLI, QStringList{"map"} + arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

QString WriteFeed(const QTemporaryDir& dir)
{
    QFile feed(dir.filePath("feed.geojson"));
    EXPECT_TRUE(feed.open(QIODevice::WriteOnly));
    feed.write(kFeed);
    return feed.fileName();
}

TEST(MapCommand, WritesThePictureAsPng)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString feed = WriteFeed(dir);

    const QString png = dir.filePath("map.png");
    QString errors;
    ASSERT_EQ(RunMap({"--feed", feed, "--now", "2024-03-01 12:00:00", "--at",
                      "35.68948888888889,139.69170555555556", "--out", png},
                     &errors),
              0)
        << errors.toStdString();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();

    QImage image(png, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(799, 599), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(700, 500), qRgb(0, 200, 0));
    // The ray towards (13032, -15526), 6 pixels wide, crosses y = 200 at x = 479.8.
    EXPECT_EQ(image.pixel(480, 200), qRgb(127, 127, 0));
    EXPECT_EQ(image.pixel(470, 200), qRgb(0, 200, 0));
    // Index 0: the green end of the scale.
    EXPECT_EQ(image.pixel(11, 11), qRgb(0, 255, 0));

    EXPECT_EQ(RunMap({"--feed", feed, "--at", "0,0", "--size", "320x240", "--out", png}), 0);
    EXPECT_EQ(QImage(png, "PNG").size(), QSize(320, 240));
}

TEST(MapCommand, FailuresLeaveNoPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString feed = WriteFeed(dir);
    const QString png = dir.filePath("map.png");
    EXPECT_EQ(RunMap({"--feed", dir.filePath("missing.geojson"), "--at", "0,0", "--out", png}), 1);
    EXPECT_EQ(RunMap({"--feed", feed, "--at", "0,0", "--out", dir.filePath("no/dir/map.png")}), 1);
    EXPECT_EQ(RunMap({"--feed", feed, "--at", "0,0", "--hours", "-1", "--out", png}), 2);
    EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
