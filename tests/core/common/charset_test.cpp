#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/common/Charset.h"
#include "core/feed/DocumentDump.h"
#include "core/feed/OpenFeedDocument.h"

namespace tremolux {
namespace {

struct Case {
    const char* charset;
    std::string bytes;
    std::string text;
};

void ExpectDecoded(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(ToUtf8(c.bytes, c.charset), c.text) << c.charset;
}

TEST(Charset, DeclaredEncodingsAreDecoded)
{
    ExpectDecoded({
        {"iso-8859-2",
         "Krak\xF3w, \xA3\xF3"
         "d\xBC",
         "Krak\u00F3w, \u0141\u00F3d\u017A"},
        {"koi8-r", "\xED\xCF\xD3\xCB\xD7\xC1", "\u041C\u043E\u0441\u043A\u0432\u0430"},
        {"windows-1251", "\xCA\xE8\xBF\xE2", "\u041A\u0438\u0457\u0432"},
        {"windows-1254", "\xDDzmir", "\u0130zmir"},
        {"windows-1252", "\x80\x9F", "\u20AC\u0178"},
        {"macintosh", "R\x8Eunion", "R\u00E9union"},
        {"shift_jis", "\x93\x8C\x8B\x9E", "\u6771\u4EAC"},
        {"euc-jp", "\xC5\xEC\xB5\xFE", "\u6771\u4EAC"},
        {"iso-2022-jp", "\x1B$BEl5~\x1B(B", "\u6771\u4EAC"},
        {"euc-kr", "\xBC\xAD\xBF\xEF", "\uC11C\uC6B8"},
        {"gbk", "\xB1\xB1\xBE\xA9", "\u5317\u4EAC"},
        {"big5", "\xA5\x78\xA5\x5F", "\u53F0\u5317"},
        {"utf-16be", std::string("\0K\0r\0a\0k\0\xF3\0w", 12), "Krak\u00F3w"},
    });
}

// Labels are matched without regard to case or surrounding blanks, and several
// name the same encoding: browsers read Latin-1 and ASCII as Windows-1252.
TEST(Charset, LabelsNameTheEncodingsBrowsersUse)
{
    ExpectDecoded({
        {" Shift_JIS\t", "\x93\x8C", "\u6771"},
        {"x-sjis", "\x93\x8C", "\u6771"},
        {"latin1", "\x80 \x93q\x94", "\u20AC \u201Cq\u201D"},
        {"us-ascii", "\x80", "\u20AC"},
        {"x-user-defined", "\x80", "\u20AC"},
        {"gb2312", "\xB1\xB1", "\u5317"},
        {"ks_c_5601-1987", "\xBC\xAD", "\uC11C"},
        {"x-unknown", "\xE9\x81!", "\u00E9\u0081!"},
        {"", "\xE9!", "\u00E9!"},
    });
    EXPECT_EQ(DeclaredCharset("<meta charset=\"UTF-16\">"), "utf-8");
    EXPECT_EQ(DeclaredCharset("<meta charset=\"koi8-r\">"), "koi8-r");
}

TEST(Charset, ValidUtf8PassesUnlessTheEncodingOnlyLooksLikeIt)
{
    ExpectDecoded({
        {"iso-8859-2", "\xC3\xA9", "\u00E9"},
        {"iso-2022-jp", "\x1B$BEl\x1B(B", "\u6771"},
        {"utf-16le", std::string("a\0b\0", 4), "ab"},
        {"iso-2022-kr", "plain text", "\uFFFD"},
    });
}

TEST(Charset, AByteOrderMarkOutweighsTheDeclaration)
{
    ExpectDecoded({
        {"iso-8859-2",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9",
         "caf\u00E9"},
        {"windows-1252",
         std::string("\xFF\xFE"
                     "A\0\xE9\0",
                     6),
         "A\u00E9"},
        {"", std::string("\xFE\xFF\0A\xD8\x3C\xDF\x0B", 8), "A\U0001F30B"},
    });
}

TEST(Charset, BadSequencesBecomeReplacementsAndACutCharacterIsDropped)
{
    ExpectDecoded({
        {"shift_jis", "\x93\x8C\x81 x", "\u6771\uFFFD x"},
        {"shift_jis", "\x93\x8C\x8B", "\u6771"},
        {"iso-8859-3", "a\xA5z", "a\uFFFDz"},
        {"utf-8", "a\xE9z\xE2\x82", "a\uFFFDz"},
        {"",
         std::string("\xFF\xFE"
                     "A\0\x00\xD8"
                     "B\0",
                     8),
         "A\uFFFDB"},
        {"",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         "A"},
    });
}

TEST(Charset, PagesInTheirDeclaredEncodingGiveTheirRegionNames)
{
    const std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-2\">"
        "</head><body><table><tr><td>Krak\xF3w, \xA3\xF3"
        "d\xBC</td></tr></table>";
    const auto document = OpenFeedDocument(page);
    ASSERT_TRUE(document->ViewableAsTables());
    EXPECT_EQ(Dump(*document), (std::vector<Rows>{{{"Krak\u00F3w, \u0141\u00F3d\u017A"}}}));
}

}  // namespace
}  // namespace tremolux
