#include "config/FixedText.h"
#include "config/PrintableText.h"

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
}

TEST(FixedText, KeepsEveryByteAndPadsWithBlanks) {
    FixedText<8> text;
    const std::string bytes("a\0\x92\xFF", 4);
    EXPECT_TRUE(text.Assign(bytes));
    EXPECT_EQ(text.View(), bytes);

    // A text of full width gets no blank, an empty one is all blanks.
    for (const std::string text : {"SUB", "Subwoo", ""}) {
        const auto padded = FixedText<6>(text).PaddedWithBlanks();
        EXPECT_EQ(std::string(padded.begin(), padded.end()), (text + "      ").substr(0, 6));
    }
}

TEST(PrintableText, EscapesEveryByteThatIsNotShownAsItself) {
    using namespace std::string_literals;
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"/m/plain name.frd", "/m/plain name.frd"},
        {"M\xC3\xBAsica \xE2\x82\xAC.frd", "M\xC3\xBAsica \xE2\x82\xAC.frd"}, // ú and €
        {"a\x1B[2Jb", "a\\x1B[2Jb"},                                          // clears a screen
        {"one\ntwo\rthree\tfour", "one\\x0Atwo\\x0Dthree\\x09four"},
        {"cut\0here"s, "cut\\x00here"},
        {"del\x7F", "del\\x7F"},
        {"se\xF1or.frd", "se\\xF1or.frd"},                         // Windows-1252, not UTF-8
        {"\xC2\x9Bm", "\\xC2\\x9Bm"},                              // C1 control sequence introducer
        {"left\xE2\x80\xAEtxt.exe", "left\\xE2\\x80\\xAEtxt.exe"}, // right-to-left override
        {"line\xE2\x80\xA8sep", "line\\xE2\\x80\\xA8sep"},
        {"\xC0\xAF", "\\xC0\\xAF"},          // overlong '/'
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"}, // a lone surrogate
        {"cut \xE2\x82", "cut \\xE2\\x82"},  // a character cut short
        {"C:\\measures\\a.frd", "C:\\measures\\a.frd"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(PrintableText(k.in), k.out) << k.out;
        EXPECT_EQ(PrintableText(k.out), k.out);
    }
}

} // namespace
} // namespace veld23
