#include "config/FixedText.h"
#include "config/SystemInformation.h"
#include "config/Windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace veld23 {
namespace {

TEST(FixedText, CutsAtItsCapacityAndSaysSo) {
    FixedText<6> label;
    EXPECT_TRUE(label.Assign("abcdef"));
    EXPECT_EQ(label, "abcdef");
    EXPECT_FALSE(label.Assign("Subwoofer"));
    EXPECT_EQ(label, "Subwoo");
    EXPECT_EQ(label.Length(), 6u);

    SystemInformationTexts info;
    const std::string long250(250, 'x');
    info.SystemName.Assign(long250);
    info.ProjectName.Assign(long250);
    info.Engineer.Assign(long250);
    info.Comments.Assign(long250);
    EXPECT_EQ(info.SystemName.Length(), 40u);
    EXPECT_EQ(info.ProjectName.Length(), 30u);
    EXPECT_EQ(info.Engineer.Length(), 30u);
    EXPECT_EQ(info.Comments.Length(), 200u);
}

TEST(FixedText, KeepsEveryByteAndPadsWithBlanks) {
    FixedText<8> text;
    const std::string bytes("a\0\x92\xFF", 4);
    EXPECT_TRUE(text.Assign(bytes));
    EXPECT_EQ(text.View(), bytes);

    const auto padded = FixedText<6>("SUB").PaddedWithBlanks();
    EXPECT_EQ(std::string(padded.begin(), padded.end()), "SUB   ");
}

TEST(FixedText, TypedTextFillsAFieldByCharactersNotUtf8Bytes) {
    // Forty accented characters are eighty UTF-8 bytes but exactly fill the name.
    std::string utf8;
    for (int i = 0; i < 41; ++i) {
        utf8 += "\u00E9";
    }
    FixedText<40> name;
    EXPECT_FALSE(name.Assign(Utf8ToWindows1252Replacing(utf8)));
    EXPECT_EQ(name.View(), std::string(40, '\xE9'));
}

} // namespace
} // namespace veld23
