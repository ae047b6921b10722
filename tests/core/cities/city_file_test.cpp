#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/cities/CityFile.h"

using namespace tremolux;

namespace {

class CityFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path()
                / ("tremolux_city_file_" + std::to_string(::getpid()) + "_"
                   + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Write(const std::string& content, const std::string& name = "CITIES.TXT")
    {
        const std::string path = (m_dir / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // A file that cannot be read throws here and fails the test.
    CityFileContent Read(const std::string& content)
    {
        return ReadCityFile(Write(content)).value();
    }

    std::filesystem::path m_dir;
};

// Runs the process in another directory while it lives.
class InDirectory {
public:
    explicit InDirectory(const std::filesystem::path& directory)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(directory);
    }
    ~InDirectory() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

std::vector<std::string> Names(const CityFileContent& result)
{
    std::vector<std::string> names;
    for (const CityEntry& entry : result.entries)
        names.push_back(entry.name);
    return names;
}

}  // namespace

TEST_F(CityFileTest, ReadsNamesAndDecimalsInFileOrder)
{
    const CityFileContent r =
        Read("Berlin\t52.52\t13.4\nSan Francisco \t37.77\t-122.42\nBerlin\t1\t2");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"Berlin", "San Francisco ", "Berlin"}));
    EXPECT_EQ(r.entries[0].position.latDecimal, 52.52);
    EXPECT_EQ(r.entries[0].position.lonDecimal, 13.4);
    EXPECT_EQ(r.entries[1].position.lonDecimal, -122.42);
    EXPECT_EQ(r.entries[2].position.latDecimal, 1.0);
    EXPECT_TRUE(r.skipped.empty());
}

TEST_F(CityFileTest, RangesIncludeTheLowerBoundOnly)
{
    const CityFileContent r =
        Read("A\t90\t0\nB\t-90\t0\nC\t0\t180\nD\t0\t-180\nE\t-90.5\t0\nF\t0\t-181\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"B", "D"}));
    ASSERT_EQ(r.skipped.size(), 4u);
    EXPECT_EQ(r.skipped[0].line, 1);
    EXPECT_EQ(r.skipped[0].reason, "latitude 90 outside -90 ... <90");
    EXPECT_EQ(r.skipped[1].line, 3);
    EXPECT_EQ(r.skipped[1].reason, "longitude 180 outside -180 ... <180");
    EXPECT_EQ(r.skipped[2].reason, "latitude -90.5 outside -90 ... <90");
    EXPECT_EQ(r.skipped[3].line, 6);
}

TEST_F(CityFileTest, TabRunsAreOneSeparatorAndOtherFieldCountsAreSkipped)
{
    const CityFileContent r =
        Read("\tA\t\t\t1\t2\t\nB\t1\t2\tcomment\nC\t1\n\n\t\t\nD 1 2\nE\t3\t4\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"A", "E"}));
    ASSERT_EQ(r.skipped.size(), 4u);
    EXPECT_EQ(r.skipped[0].line, 2);
    EXPECT_EQ(r.skipped[0].reason, "expected 3 fields, found 4");
    EXPECT_EQ(r.skipped[1].line, 3);
    EXPECT_EQ(r.skipped[1].reason, "expected 3 fields, found 2");
    // Line 4 is empty and not reported.
    EXPECT_EQ(r.skipped[2].line, 5);
    EXPECT_EQ(r.skipped[2].reason, "expected 3 fields, found 0");
    EXPECT_EQ(r.skipped[3].line, 6);
    EXPECT_EQ(r.skipped[3].reason, "expected 3 fields, found 1");
}

TEST_F(CityFileTest, NumbersReadLikeAtof)
{
    const CityFileContent r = Read("Letters\tnorth\t 12.5E\nComma\t52,5\t1e1\n");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].position.latDecimal, 0.0);
    EXPECT_EQ(r.entries[0].position.lonDecimal, 12.5);
    EXPECT_EQ(r.entries[1].position.latDecimal, 52.0);
    EXPECT_EQ(r.entries[1].position.lonDecimal, 10.0);
}

TEST_F(CityFileTest, CarriageReturnLineFeedReadsLikeLineFeed)
{
    const CityFileContent r = Read("A\t1\t2\r\n\r\nB\t3\t4\r\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(r.entries[1].position.lonDecimal, 4.0);
    EXPECT_TRUE(r.skipped.empty());
}

TEST_F(CityFileTest, NamesThatAreNotUtf8AreReadAsWindows1252)
{
    const CityFileContent r = Read("S\xE3o Paulo\t-23.55\t-46.63\nBogot\xE1\t4.71\t-74.07\n"
                                   "Z\xC3\xBCrich\t47.37\t8.54\n\x80 K\xF8ge\t55.46\t12.18\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"São Paulo", "Bogotá", "Zürich", "€ Køge"}));
    EXPECT_EQ(r.entries[1].position.lonDecimal, -74.07);
}

// A name is text to show and to save: control characters become U+FFFD, as
// in feed text; a line no city needs is skipped, not decoded.
TEST_F(CityFileTest, ControlCharactersAreReplacedAndOverlongLinesSkipped)
{
    const std::string longest(4090, 'y');  // with its numbers, 4 KiB
    const CityFileContent r = Read("Esc\x1B\x07\t1\t2\n" + std::string(10'000'000, 'x') + "\t1\t2\n"
                                   + longest + "\t1\t2\nC1\xC2\x85\t1\t2\n");
    EXPECT_EQ(Names(r), (std::vector<std::string>{"Esc\uFFFD\uFFFD", longest, "C1\uFFFD"}));
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0].line, 2);
    EXPECT_EQ(r.skipped[0].reason, "too long");
}

TEST_F(CityFileTest, EmptyFilesGiveNoEntriesAndMissingOnesTheSystemsReason)
{
    EXPECT_TRUE(Read("").entries.empty());
    const CityFileContent blank = Read("\n\n\r\n");
    EXPECT_TRUE(blank.entries.empty());
    EXPECT_TRUE(blank.skipped.empty());
    const Result<CityFileContent> missing = ReadCityFile((m_dir / "none.txt").string());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), "No such file or directory");
    EXPECT_FALSE(ReadCityFile("/dev/zero"));
}

TEST_F(CityFileTest, DegreesMinutesSecondsGiveTheDecimalsBack)
{
    const CityFileContent r = Read("Sydney\t-33.86777778\t151.2\nNew York\t40.7128\t-74.00611111\n"
                                   "Zero\t0\t-0.5\nPole\t-90\t-180\n");
    ASSERT_EQ(r.entries.size(), 4u);
    for (const CityEntry& entry : r.entries) {
        CityPosition p = entry.position;
        p.ComputeDecimal();
        EXPECT_NEAR(p.latDecimal, entry.position.latDecimal, 1e-12) << entry.name;
        EXPECT_NEAR(p.lonDecimal, entry.position.lonDecimal, 1e-12) << entry.name;
        EXPECT_EQ(p.latDeg, std::floor(p.latDeg));
        EXPECT_EQ(p.latMin, std::floor(p.latMin));
        EXPECT_LT(p.latMin, 60.0);
        EXPECT_GE(p.latSec, 0.0);
        EXPECT_LT(p.latSec, 60.0);
    }
    const CityPosition& sydney = r.entries[0].position;
    EXPECT_FALSE(sydney.north);
    EXPECT_FALSE(sydney.west);
    EXPECT_EQ(sydney.latDeg, 33.0);
    EXPECT_EQ(sydney.latMin, 52.0);
    EXPECT_NEAR(sydney.latSec, 4.0, 1e-4);
    EXPECT_TRUE(r.entries[1].position.north);
    EXPECT_TRUE(r.entries[1].position.west);
    EXPECT_TRUE(r.entries[2].position.north);
}

TEST_F(CityFileTest, PathPrefersTheStartupDirectory)
{
    DefaultCityFile = "/usr/share/tremolux/CITIES.TXT";
    StartupDirectory = m_dir.string();
    EXPECT_EQ(CityFilePath(), DefaultCityFile);
    Write("A\t1\t2\n");
    EXPECT_EQ(CityFilePath(), m_dir.string() + "/CITIES.TXT");
    StartupDirectory.clear();
}

TEST_F(CityFileTest, AStartupDirectoryOfAnyLengthIsKeptWhole)
{
    std::filesystem::path deep = m_dir;
    while (deep.string().size() < 300)
        deep /= std::string(60, 'd');
    std::filesystem::create_directories(deep);
    std::ofstream((deep / "CITIES.TXT").string()) << "Deep\t1\t2\n";
    {
        const InDirectory inside(deep);
        RecordStartupDirectory();
    }
    const std::string expected = std::filesystem::canonical(deep).string();
    EXPECT_EQ(StartupDirectory, expected);
    EXPECT_EQ(CityFilePath(), expected + "/CITIES.TXT");
    StartupDirectory.clear();
}

TEST_F(CityFileTest, AStartupDirectoryThatCannotBeReadGivesTheShippedList)
{
    DefaultCityFile = "/usr/share/tremolux/CITIES.TXT";
    const std::filesystem::path gone = m_dir / "gone";
    std::filesystem::create_directories(gone);
    {
        const InDirectory inside(gone);
        std::filesystem::remove(gone);
        RecordStartupDirectory();
    }
    EXPECT_EQ(StartupDirectory, "");
    EXPECT_EQ(CityFilePath(), DefaultCityFile);
}
