#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/GeoJsonFeature.h"

namespace tremolux {
namespace {

constexpr long long kNowMs = 1765083600000;  // 2025-12-07 05:00:00

// One line per firing; a rules file with a fault leaves the store untouched,
// so the next good run still sees the same changes.
TEST(AlertsCommand, PrintsEachFiringAndTakesAWholeRulesFileOrNothing)
{
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const std::string& text) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(text));
        return file.fileName();
    };
    const auto run = [&](const QString& feed, const QString& rules) {
        QProcess process;
        process.start(TREMOLUX_CLI,
                      {"alerts", "--db", dir.filePath("history.sqlite"), "--rules", rules, "--feed",
                       feed, "--cities", TREMOLUX_SAMPLES "/CITIES.TXT", "--now",
                       "2025-12-07 05:00:00"});
        process.waitForFinished(60000);
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()
                                                               + process.readAllStandardError())};
    };
    const QString rules = write("rules.json", R"([
        {"name": "near Tokyo", "city": "Tokyo", "within_km": 300, "min_magnitude": 2.5, "actions": ["notify"]},
        {"name": "big", "min_magnitude": 6.0, "actions": ["notify"]}])");
    const QString bad =
        write("bad.json", R"([{"name": "big", "min_magnitude": 6.0, "actions": ["notify"]},
        {"name": "far", "city": "Atlantis", "actions": ["notify"]}])");

    const auto first = run(
        write("1.geojson",
              test::FeatureCollection({test::GeoJsonEvent("us1", 5.8, kNowMs - 600000, 35.0),
                                       test::GeoJsonEvent("us2", 4.0, kNowMs - 3600000, 46.0)})),
        rules);
    EXPECT_EQ(first, (std::pair{0, QString("near Tokyo\tnew\tus1\t5.8\t99\tTokyo\t3.6\n")}));

    const QString revised =
        write("2.geojson",
              test::FeatureCollection({test::GeoJsonEvent("us1", 5.8, kNowMs - 600000, 35.0),
                                       test::GeoJsonEvent("us2", 6.2, kNowMs - 3600000, 46.0)}));
    const auto refused = run(revised, bad);
    EXPECT_EQ(refused.first, 2);
    EXPECT_TRUE(refused.second.contains("rule 2 (far): city \"Atlantis\" is not in the city list"));
    EXPECT_EQ(run(revised, rules), (std::pair{0, QString("big\trevised\tus2\t6.2\t\t\t\n")}));
}

}  // namespace
}  // namespace tremolux
