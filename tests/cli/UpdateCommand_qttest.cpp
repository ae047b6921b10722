#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "support/GeoJsonFeature.h"

namespace tremolux {
namespace {

constexpr long long kNowMs = 1765083600000;  // 2025-12-07 05:00:00

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

CliResult Cli(const QStringList& arguments)
{
    QProcess process;
    process.start(TREMOLUX_CLI, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class UpdateCommand : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }

    // Writes the events as a feed file and returns its path.
    QString WriteFeed(const std::vector<std::string>& features,
                      const QString& name = "feed.geojson")
    {
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(test::FeatureCollection(features)));
        return file.fileName();
    }

    CliResult Update(const QString& feed)
    {
        return Cli({"update", "--db", Path("history.sqlite"), "--feed", feed, "--now",
                    "2025-12-07 05:00:00"});
    }

    QTemporaryDir dir;
};

TEST_F(UpdateCommand, PrintsTheChangesOfEachLoadAndKeepsTheHistory)
{
    const std::string older = test::GeoJsonEvent("us2", 4.0, kNowMs - 3600000, 36.0);
    const CliResult first =
        Update(WriteFeed({test::GeoJsonEvent("us1", 5.8, kNowMs - 600000, 35.0), older}));
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "new\tus1\t5.8\t2025-12-07 04:50:00\t35\t139\tsomewhere\n"
                         "new\tus2\t4\t2025-12-07 04:00:00\t36\t139\tsomewhere\n");

    const std::string revised =
        test::GeoJsonEvent("us1", 6.4, kNowMs - 600000, 35.0, R"("status":"reviewed",)");
    const CliResult second = Update(WriteFeed({revised, older}));
    EXPECT_EQ(second.out, "revised\tus1\t6.4\t2025-12-07 04:50:00\t35\t139\tsomewhere\t"
                          "magnitude 5.8 -> 6.4, status unknown -> reviewed\n");
    EXPECT_EQ(Update(WriteFeed({revised, older})).out, "");

    const CliResult history =
        Cli({"history", "--db", Path("history.sqlite"), "--since", "2025-12-07 04:30:00"});
    EXPECT_EQ(
        history.out,
        "id\tmagnitude\ttime\tlatitude\tlongitude\tdepth\tregion\tstatus\tretracted\trevisions\n"
        "us1\t6.4\t2025-12-07 04:50:00\t35\t139\t10\tsomewhere\treviewed\tno\t1\n");
}

// Several sources are one load: an event both report is one event, and the
// merge is compared with the merge before it.
TEST_F(UpdateCommand, SeveralFeedsAreMergedIntoOneLoad)
{
    const QString usgs =
        WriteFeed({test::GeoJsonEvent("us1", 5.8, kNowMs - 600000, 35.0)}, "usgs.geojson");
    const QString emsc = WriteFeed({test::GeoJsonEvent("em1", 5.6, kNowMs - 590000, 35.1),
                                    test::GeoJsonEvent("em2", 4.1, kNowMs - 1200000, 40.0)},
                                   "emsc.geojson");
    const QStringList both = {"update", "--db",  Path("history.sqlite"), "--feed", usgs, "--feed",
                              emsc,     "--now", "2025-12-07 05:00:00"};
    const CliResult first = Cli(both);
    EXPECT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "new\tus1\t5.8\t2025-12-07 04:50:00\t35\t139\tsomewhere\n"
                         "new\tem2\t4.1\t2025-12-07 04:40:00\t40\t139\tsomewhere\n");
    EXPECT_EQ(Cli(both).out, "");
    // Alone, one of them knows its events by the same ids, and what only the
    // other reported has not been withdrawn.
    EXPECT_EQ(Update(usgs).out, "");
}

// A store that cannot be used stops the command with the reason, and prints no change.
TEST_F(UpdateCommand, AStoreThatCannotBeUsedFailsWithTheReason)
{
    const QString feed = WriteFeed({test::GeoJsonEvent("us1", 5.8, kNowMs, 35.0)});
    QFile garbage(Path("garbage.sqlite"));
    garbage.open(QIODevice::WriteOnly);
    garbage.write(QByteArray(8192, 'x'));
    garbage.close();
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(Path("other.sqlite"));
        other.open();
        QSqlQuery(other).exec("CREATE TABLE notes(text TEXT)");
        other.close();
    }
    QSqlDatabase::removeDatabase("other");

    struct Case {
        QString db;
        const char* reason;
    };
    const Case cases[] = {
        {Path("garbage.sqlite"), "file is not a database"},
        {Path("other.sqlite"), "not Tremolux's history"},
        {Path("no such folder/history.sqlite"), "unable to open database file"},
    };
    for (const Case& test : cases) {
        const CliResult run = Cli({"update", "--db", test.db, "--feed", feed});
        EXPECT_EQ(run.status, 1) << test.reason;
        EXPECT_TRUE(run.err.contains(test.reason)) << run.err.toStdString();
        EXPECT_EQ(run.out, "") << test.reason;
    }

    // Another process writing: said at once, not waited for.
    ASSERT_EQ(Update(feed).status, 0);
    QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
    holder.setDatabaseName(Path("history.sqlite"));
    holder.open();
    QSqlQuery(holder).exec("BEGIN EXCLUSIVE");
    const CliResult locked = Update(feed);
    EXPECT_EQ(locked.status, 1);
    EXPECT_TRUE(locked.err.contains("locked")) << locked.err.toStdString();
    QSqlQuery(holder).exec("ROLLBACK");
    holder.close();
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase("holder");
}

// kill -9 in the middle of an update loses nothing committed before it and
// leaves a store that opens.
TEST_F(UpdateCommand, AKilledUpdateLosesNothingCommitted)
{
    std::vector<std::string> features;
    for (int i = 0; i < 200; ++i)
        features.push_back(
            test::GeoJsonEvent("us" + std::to_string(i), 4.0, kNowMs - i * 60000LL, 35.0));
    ASSERT_EQ(Update(WriteFeed(features, "first.geojson")).status, 0);
    for (int i = 0; i < 20000; ++i)
        features.push_back(
            test::GeoJsonEvent("ak" + std::to_string(i), 3.0, kNowMs - i * 1000LL, 60.0));
    const QString bigger = WriteFeed(features, "bigger.geojson");

    for (const int delayMs : {30, 80, 150, 250, 400}) {
        QProcess child;
        child.start(TREMOLUX_CLI, {"update", "--db", Path("history.sqlite"), "--feed", bigger});
        ASSERT_TRUE(child.waitForStarted());
        QThread::msleep(delayMs);
        child.kill();
        child.waitForFinished();

        const CliResult history = Cli({"history", "--db", Path("history.sqlite")});
        ASSERT_EQ(history.status, 0)
            << "killed after " << delayMs << " ms: " << history.err.toStdString();
        for (const char* id : {"\nus0\t", "\nus199\t"})
            EXPECT_TRUE(history.out.contains(id)) << "killed after " << delayMs << " ms";
    }
    const CliResult again = Update(bigger);
    EXPECT_EQ(again.status, 0);
    EXPECT_FALSE(again.out.contains("\tus1\t")) << "the committed events are not new again";
}

}  // namespace
}  // namespace tremolux
