#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/common/RegularFile.h"

using namespace tremolux;

namespace {

// A scratch folder holding a FIFO, a small file and a folder, removed afterwards.
class RegularFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path()
                   / ("regular_file_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder / "folder");
        ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
        std::ofstream(Path("small")) << "0123456789";
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string Path(const char* name) const { return (m_folder / name).string(); }

    std::filesystem::path m_folder;
};

TEST_F(RegularFileTest, ReadsOnlyRegularFilesUnderTheCapWithoutBlocking)
{
    const struct {
        std::string path;
        std::size_t maxBytes;
        std::string error;
    } rows[] = {
        {Path("small"), 10, ""},
        {Path("small"), 9, "it is too large"},
        {Path("fifo"), 100, "it is a FIFO, not a regular file"},
        {"/dev/zero", 100, "it is a device, not a regular file"},
        {Path("folder"), 100, "it is a directory, not a file"},
        {Path("missing"), 100, "No such file or directory"},
    };
    for (const auto& row : rows) {
        const Result<std::string> read = ReadRegularFile(row.path, row.maxBytes);
        EXPECT_EQ(read.ok() ? "" : read.error(), row.error) << row.path;
        EXPECT_EQ(read.ok() ? *read : "", row.error.empty() ? "0123456789" : "") << row.path;
    }
    EXPECT_EQ(SpecialFileKind(Path("fifo")), "it is a FIFO, not a regular file");
    EXPECT_EQ(SpecialFileKind("/dev/null"), "it is a device, not a regular file");
    EXPECT_EQ(SpecialFileKind(Path("small")), "");
    EXPECT_EQ(SpecialFileKind(Path("missing")), "");
}

}  // namespace
