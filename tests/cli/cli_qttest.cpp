#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result RunCli(const QStringList& arguments, const QString& workingDirectory = {})
{
    QProcess process;
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(TREMOLUX_CLI), arguments);
    if (!process.waitForFinished(30000))
        return {};
    Result result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

QString Data(const char* name)
{
    return QStringLiteral(TREMOLUX_TEST_DATA "/") + QString::fromLatin1(name);
}

const char* const kHeader = "magnitude\ttime\tlatitude\tlongitude\tdepth\tregion\n";

class CliTest : public ::testing::Test {
protected:
    QString Write(const char* name, const std::string& content)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        std::ofstream(path.toStdString(), std::ios::binary) << content;
        return path;
    }

    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(CliTest, QuakesListsEveryFormatInPageOrder)
{
    const std::string expected =
        std::string(kHeader)
        + "5.1\t2025-12-07 05:00:00\t37.52\t142.05\t31.2\t93 km E of Namie, Japan\n"
          "1.12\t2025-12-07 04:40:00\t38.83\t-122.81\t1.9\t6 km NW of The Geysers, CA\n"
          "4.4\t2025-12-07 03:00:00\t-58.97\t-26.41\t10\tSouth Sandwich Islands region\n";
    for (const char* name : {"usgs_all_week.geojson", "usgs_all_week.csv"}) {
        const Result r = RunCli({"quakes", "--feed", Data(name)});
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_EQ(r.out, expected) << name;
        EXPECT_EQ(r.err, "") << name;
    }
    const Result url = RunCli({"quakes", "--feed=file://" + Data("usgs_all_week.geojson")});
    EXPECT_EQ(url.out, expected);

    const Result html = RunCli({"quakes", "--feed", Data("classic_page.html")});
    EXPECT_EQ(html.status, 0);
    ASSERT_EQ(html.out.rfind(kHeader, 0), 0u);
    EXPECT_NE(html.out.find("\n6.2\t2011-03-15 08:27:11\t35.31\t138.714\t8.9\t"), std::string::npos)
        << html.out;
}

// Several sources: one merged list, newest first, the first source's values,
// what each source says in a last column; a source that fails fails the run.
TEST_F(CliTest, QuakesMergesSeveralSources)
{
    const Result r = RunCli(
        {"quakes", "--feed", Data("usgs_all_week.geojson"), "--feed", Data("emsc_fdsn.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "magnitude\ttime\tlatitude\tlongitude\tdepth\tregion\tsources\n"
              "5.1\t2025-12-07 05:00:00\t37.52\t142.05\t31.2\t93 km E of Namie, Japan\t"
              "usgs_all_week.geojson M 5.1 ml, emsc_fdsn.txt M 5.2 mb\n"
              "1.12\t2025-12-07 04:40:00\t38.83\t-122.81\t1.9\t6 km NW of The Geysers, CA\t\n"
              "2.3\t2025-12-07 04:31:02\t40.8\t14.14\t2\tSOUTHERN ITALY\t\n"
              "4.4\t2025-12-07 03:00:00\t-58.97\t-26.41\t10\tSouth Sandwich Islands region\t"
              "usgs_all_week.geojson M 4.4 ml, emsc_fdsn.txt M 4.6 mb\n");

    const Result failed =
        RunCli({"quakes", "--feed", Data("emsc_fdsn.txt"), "--feed", Data("gone.txt")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(RunCli({"index", "--feed", "a", "--feed", "b", "--at", "1,2"}).status, 2);
}

TEST_F(CliTest, QuakesPrintsInvalidForATimeThatIsNotADate)
{
    const QString page = Write(
        "page.html", "<table><tr><td>x</td><td>5.5</td><td>soon</td><td>1</td><td>2</td><td>3</td>"
                     "<td>Somewhere</td></tr></table>");
    const Result r = RunCli({"quakes", "--feed", page});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(kHeader) + "5.5\tinvalid\t1\t2\t3\tSomewhere\n");
}

TEST_F(CliTest, IndexAtAPositionUsesTheFixedClock)
{
    const Result r = RunCli({"index", "--feed", Data("usgs_all_week.geojson"), "--now",
                             "2025-12-07 05:10:00", "--at", "37.5,142"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1032\n");
    const Result later = RunCli({"index", "--feed", Data("usgs_all_week.geojson"), "--now",
                                 "2025-12-07 06:00:00", "--at", "37.5,142"});
    EXPECT_EQ(later.out, "172\n");
}

TEST_F(CliTest, IndexOfANamedCityAndTheRanking)
{
    const QString cities = Write("cities.txt", "Far\t-40\t-100\nNamie\t37.5\t142\nTie A\t0\t0\nTie "
                                               "B\t0\t0\nbad line\nSendai\t38.27\t140.87\n");
    const QStringList common = {"--feed", Data("usgs_all_week.geojson"), "--now",
                                "2025-12-07 05:10:00"};
    const Result one = RunCli(QStringList{"index", "--city", "Namie", "--cities", cities} + common);
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, "1032\n");
    EXPECT_EQ(RunCli(QStringList{"index", "--city", "nAMIE", "--cities", cities} + common).out,
              "1032\n");

    const Result ranked = RunCli(QStringList{"index", "--cities", cities} + common);
    EXPECT_EQ(ranked.status, 0) << ranked.err;
    const std::string out = ranked.out;
    EXPECT_EQ(out.rfind("1032\tNamie\n", 0), 0u) << out;
    EXPECT_LT(out.find("\tSendai\n"), out.find("\tTie A\n")) << out;
    EXPECT_LT(out.find("\tTie A\n"), out.find("\tTie B\n")) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 5) << out;

    const Result missing =
        RunCli(QStringList{"index", "--city", "Nowhere", "--cities", cities} + common);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("Nowhere"), std::string::npos) << missing.err;
}

TEST_F(CliTest, CitiesListsAcceptedEntriesAndReportsSkippedLines)
{
    const QString cities =
        Write("cities.txt",
              "Berlin\t52.52\t13.4\r\n\r\nPole\t90\t0\nSan Jose \t9.93\t-84.08\t\nx\t1\t2\tnote\n");
    const Result r = RunCli({"cities", cities});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Berlin\t52.52\t13.4\nSan Jose \t9.93\t-84.08\n");
    EXPECT_EQ(r.err, "line 3: latitude 90 outside -90 ... <90\n"
                     "line 5: expected 3 fields, found 4\n");

    const Result missing = RunCli({"cities", m_dir.filePath("none.txt")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("none.txt"), std::string::npos);
}

TEST_F(CliTest, CitiesReadsTheStartupDirectoryFileFirst)
{
    Write("CITIES.TXT", "Here\t1\t2\n");
    const Result local = RunCli({"cities"}, m_dir.path());
    EXPECT_EQ(local.status, 0);
    EXPECT_EQ(local.out, "Here\t1\t2\n");

    QTemporaryDir empty;
    const Result fallback = RunCli({"cities"}, empty.path());
    EXPECT_EQ(fallback.status, 0) << fallback.err;
    EXPECT_EQ(fallback.out.rfind("Tokyo\t", 0), 0u) << fallback.out;
}

TEST_F(CliTest, DistanceGivesMetresAndTheAnticlockwiseBearing)
{
    const Result r =
        RunCli({"distance", "35.68948888888889", "139.69170555555556", "-6.2", "106.8"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::size_t tab = r.out.find('\t');
    ASSERT_NE(tab, std::string::npos);
    EXPECT_NEAR(std::stod(r.out.substr(0, tab)), 5789111.4, 0.05);
    EXPECT_NEAR(std::stod(r.out.substr(tab + 1)), 136.790758, 1e-6);

    EXPECT_EQ(RunCli({"distance", "0", "0", "0", "0"}).out, "0\t0\n");
    const std::string west = RunCli({"distance", "0", "0", "0", "-10"}).out;
    EXPECT_EQ(west.substr(west.find('\t')), "\t90\n");
}

TEST_F(CliTest, WrongUsageNamesTheArgumentAndExitsWithTwo)
{
    const struct {
        QStringList arguments;
        const char* named;
    } cases[] = {
        {{}, "missing command"},
        {{"watch"}, "watch"},
        {{"quakes", "--fed", "x"}, "--fed"},
        {{"quakes", "--feed"}, "--feed"},
        {{"quakes", "--now", "2025-12-07 05:10:00"}, "--now"},
        {{"quakes", "extra"}, "extra"},
        {{"index", "--at", "37.5"}, "--at"},
        {{"index", "--at", "91,0"}, "--at latitude"},
        {{"index", "--at", "1,2", "--now", "yesterday"}, "--now"},
        {{"index", "--at", "1,2", "--now", "18:00"}, "--now"},
        {{"index", "--at", "1,2", "--now", "2025/12/07 06:00:00"}, "--now"},
        {{"index", "--at", "1,2", "--city", "Tokyo"}, "--city"},
        {{"index", "--at", "1,2", "--at", "3,4"}, "--at"},
        {{"index"}, "--at"},
        {{"distance", "1", "2", "3"}, "distance"},
        {{"distance", "1", "2", "north", "4"}, "LAT2"},
        {{"distance", "1", "2", "3", "-180.5"}, "LON2"},
        {{"distance", "--feed", "x", "1", "2", "3", "4"}, "--feed"},
        {{"cities", "a", "b"}, "b"},
    };
    for (const auto& c : cases) {
        const Result r = RunCli(c.arguments);
        const std::string args = c.arguments.join(' ').toStdString();
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << args << "\n" << r.err;
        EXPECT_EQ(r.err.find("Usage:"), std::string::npos) << args;
        EXPECT_EQ(r.err.substr(r.err.find('\n')), "\nSee tremolux-cli --help\n") << args;
        EXPECT_EQ(r.out, "") << args;
    }
}

TEST_F(CliTest, HelpGoesToStandardOutput)
{
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage:", 0), 0u);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(RunCli({"index", "-h"}).status, 0);
    const Result version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tremolux-cli " TREMOLUX_VERSION "\n");
}

TEST_F(CliTest, AFeedThatCannotBeReadExitsWithOne)
{
    const Result missing = RunCli({"quakes", "--feed", m_dir.filePath("gone.geojson")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("gone.geojson"), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out, "");

    EXPECT_EQ(RunCli({"quakes", "--feed", m_dir.path()}).status, 1);

    const QString notAFeed = Write("other.json", "{\"type\": \"Feature\"}");
    const Result json = RunCli({"index", "--feed", notAFeed, "--at", "1,2"});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.err.rfind("Error: no ", 0), 0u) << json.err;
    EXPECT_EQ(json.err.substr(json.err.find('\n')), "\nThe feed is not a list of quakes.\n");
    EXPECT_EQ(json.out, "");
}

// Devices, FIFOs and files beyond the watcher's caps are refused at once, with
// the reason; the caps follow the content, as the watcher's do.
TEST_F(CliTest, AFeedIsReadOnlyFromARegularFileUnderTheCaps)
{
    const std::string fifo = m_dir.filePath("fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const QString sparse = Write("sparse.geojson", "");
    std::filesystem::resize_file(sparse.toStdString(), 65 * 1024 * 1024);
    std::string page = "<html><table>";
    page.resize(17 * 1024 * 1024, ' ');
    const QString html = Write("big.html", page);
    // A script keeps the plain table scanner off the page: the element cap is the tree's.
    std::string paragraphs = "<script></script><table><tr><td>1</td></tr></table>";
    while (paragraphs.size() < 3'000'100)
        paragraphs += "<p>";
    const QString crowded = Write("crowded.html", paragraphs);
    const struct {
        QString feed;
        std::string reason;
    } rows[] = {
        {"/dev/zero", "/dev/zero: it is a device, not a regular file"},
        {QString::fromStdString(fifo), fifo + ": it is a FIFO, not a regular file"},
        {m_dir.path(), m_dir.path().toStdString() + ": it is a directory, not a file"},
        {sparse, sparse.toStdString() + ": the file is larger than 64 MiB"},
        {html, html.toStdString() + ": the HTML page is larger than 16 MiB"},
        {crowded, crowded.toStdString() + ": the page holds more than 1,000,000 elements"},
        {"ftp://example.org/week.csv",
         "ftp://example.org/week.csv: Only http, https and file addresses can be read, not ftp:."},
    };
    for (const auto& row : rows) {
        const Result r = RunCli({"quakes", "--feed", row.feed});
        EXPECT_EQ(r.status, 1) << row.reason;
        EXPECT_EQ(r.err, "tremolux-cli: cannot read " + row.reason + "\n");
        EXPECT_EQ(r.out, "");
    }
}

namespace {

// The message of a usage error: between the program's name and the pointer to help.
std::string UsageMessage(const Result& r)
{
    const std::string name = "tremolux-cli: ";
    const std::size_t end = r.err.find("\nSee tremolux-cli --help\n");
    if (r.status != 2 || r.err.rfind(name, 0) != 0 || end == std::string::npos || !r.out.empty())
        return "no usage error: " + r.err;
    return r.err.substr(name.size(), end - name.size());
}

}  // namespace

TEST_F(CliTest, TheFirstFaultInArgumentOrderIsReported)
{
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"map", "--fed", "--at", "1,2", "--at", "3,4"}, "unknown option --fed"},
        {{"map", "--at", "1,2", "--at", "3,4", "--fed"}, "--at given twice"},
        {{"map", "--trace", "--trace", "--at", "1,2", "--at", "3,4"}, "--trace given twice"},
        {{"map", "--at", "1,2", "--fed", "--feed"}, "unknown option --fed"},
        {{"--help", "--fed"}, "unknown option --fed"},
        {{"--help", "--feed"}, "--feed needs a value"},
        {{"quakes", "--trace", "--now", "x"}, "--trace is not an option of quakes"},
        {{"index", "--now", "yesterday", "extra"}, "unexpected argument \"extra\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsageMessage(RunCli(c.arguments)), c.message)
            << c.arguments.join(' ').toStdString();
}

TEST_F(CliTest, AValueIsTheNextArgumentAndOtherDashedArgumentsAreOptionsUnlessNumbers)
{
    const struct {
        QStringList arguments;
        const char* message;
    } cases[] = {
        {{"index", "--city", "--feed", "--at", "1,2"}, "--at and --city exclude each other"},
        {{"map", "--at", "1,2", "--trace=yes"}, "--trace takes no value"},
        {{"map", "--at", "1,2", "--trace="}, "--trace takes no value"},
        {{"-hx"}, "unknown option -hx"},
        {{"--help=x"}, "unknown option --help"},
        {{"quakes", "-feed", "x"}, "unknown option -feed"},
        {{"quakes", "--", "--feed", "x"}, "unknown option --"},
        {{"distance", "-inf", "0", "0", "0"}, "unknown option -inf"},
        {{"distance", "0", "0", "-5x", "10"}, "unknown option -5x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsageMessage(RunCli(c.arguments)), c.message)
            << c.arguments.join(' ').toStdString();

    EXPECT_EQ(RunCli({"distance", "0", "0", "-.5", "-0"}).out, "55613.12765230072\t180\n");
    const QStringList feed = {"--feed", Data("usgs_all_week.geojson")};
    const Result joined =
        RunCli(QStringList{"index", "--now=2025-12-07 05:10:00", "--at=37.5,142"} + feed);
    EXPECT_EQ(joined.out, "1032\n") << joined.err;
    const Result south =
        RunCli(QStringList{"index", "--now", "2025-12-07 05:10:00", "--at", "-58.9,-26.4"} + feed);
    EXPECT_EQ(south.out, "43\n") << south.err;
    EXPECT_EQ(
        RunCli(QStringList{"index", "--now=2025-12-07 05:10:00", "--at=-58.9,-26.4"} + feed).out,
        "43\n");
}
