#include <gtest/gtest.h>

#include "gui/app/CommandLine.h"

namespace tremolux {
namespace {

CommandLine Parse(QStringList arguments)
{
    arguments.prepend("tremolux");
    return ParseCommandLine(arguments);
}

TEST(CommandLineTest, ReadsFeedNowAndFile)
{
    const CommandLine line =
        Parse({"--feed", "data/sample_week.geojson", "--now", "2025-12-07 06:00:00", "map.tmx"});
    ASSERT_FALSE(line.exit) << line.message.toStdString();
    EXPECT_EQ(line.options.feedAddress, "data/sample_week.geojson");
    ASSERT_TRUE(line.options.now.has_value());
    EXPECT_DOUBLE_EQ(line.options.now->value, OleDateFromCalendar(2025, 12, 7, 6).value);
    EXPECT_EQ(line.options.files, QStringList{"map.tmx"});
    EXPECT_EQ(Parse({"a.tmx", "b.tmx"}).options.files, (QStringList{"a.tmx", "b.tmx"}));

    const CommandLine empty = Parse({});
    EXPECT_FALSE(empty.exit);
    EXPECT_TRUE(empty.options.feedAddress.empty());
    EXPECT_FALSE(empty.options.now.has_value());
    EXPECT_TRUE(empty.options.files.isEmpty());
    EXPECT_FALSE(empty.verbose);
    EXPECT_TRUE(Parse({"--verbose"}).verbose);
}

TEST(CommandLineTest, HelpAndVersionExitWithSuccess)
{
    const CommandLine help = Parse({"--help"});
    EXPECT_TRUE(help.exit);
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_TRUE(help.message.startsWith("Usage: tremolux [options] [FILE...]"))
        << help.message.toStdString();
    EXPECT_TRUE(help.message.contains("--feed <SOURCE>"));

    const CommandLine version = Parse({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.message, "tremolux 2.0.0\n");
}

TEST(CommandLineTest, WrongUsageExitsWithTwo)
{
    for (const QStringList& arguments :
         {QStringList{"--now", "2025-12-07"}, QStringList{"--now", "2025-13-01 00:00:00"},
          QStringList{"--now", "2025-12-07 06:00:00 UTC"}, QStringList{"--bogus"},
          QStringList{"--now", "18:00"}, QStringList{"--feed"}}) {
        const CommandLine line = Parse(arguments);
        EXPECT_TRUE(line.exit) << arguments.join(' ').toStdString();
        EXPECT_EQ(line.exitStatus, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(line.message.startsWith("tremolux: ")) << line.message.toStdString();
    }
}

}  // namespace
}  // namespace tremolux
