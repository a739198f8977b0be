#include "measure/MeasurementText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> out;
    for (std::string_view line : SplitMeasurementLines(text)) {
        out.emplace_back(line);
    }
    return out;
}

TEST(MeasurementLines, EveryLineEndStyle) {
    EXPECT_EQ(Lines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Lines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(Lines("").empty());
}

TEST(MeasurementLines, ByteOrderMarkIsNotPartOfTheFirstLine) {
    EXPECT_EQ(Lines("\xEF\xBB\xBF"
                    "CALSOD\n1"),
              (std::vector<std::string>{"CALSOD", "1"}));
}

struct NumberCase {
    const char* text;
    NumberStatus status;
    double value;
};

TEST(MeasuredNumber, AcceptsPlainDecimalNumbersOnly) {
    const NumberCase cases[] = {
        {"  93.25 ", NumberStatus::Ok, 93.25},
        {"\t-45\t", NumberStatus::Ok, -45.0},
        {"+12.5", NumberStatus::Ok, 12.5},
        {"1.5E+03", NumberStatus::Ok, 1500.0},
        {"2e-1", NumberStatus::Ok, 0.2},
        {".5", NumberStatus::Ok, 0.5},
        {"-.5", NumberStatus::Ok, -0.5},
        {"7.", NumberStatus::Ok, 7.0},
        {"93,25", NumberStatus::Ok, 93.25},
        {"1000000000", NumberStatus::Ok, 1e9},
        {"", NumberStatus::Empty, 0},
        {"     ", NumberStatus::Empty, 0},
        {"+", NumberStatus::NotANumber, 0},
        {"-", NumberStatus::NotANumber, 0},
        {"abc", NumberStatus::NotANumber, 0},
        {"12 34", NumberStatus::NotANumber, 0},
        {"1,000.5", NumberStatus::NotANumber, 0},
        {"nan", NumberStatus::NotANumber, 0},
        {"-inf", NumberStatus::NotANumber, 0},
        {"infinity", NumberStatus::NotANumber, 0},
        {"0x10", NumberStatus::NotANumber, 0},
        {"1e", NumberStatus::NotANumber, 0},
        {"++1", NumberStatus::NotANumber, 0},
        {"1000000001", NumberStatus::OutOfRange, 0},
        {"-1e300", NumberStatus::OutOfRange, 0},
        {"1e999", NumberStatus::OutOfRange, 0},
    };
    for (const NumberCase& c : cases) {
        double value = 0.0;
        EXPECT_EQ(ParseMeasuredNumber(c.text, value), c.status) << '"' << c.text << '"';
        if (c.status == NumberStatus::Ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(MeasuredNumber, OverlongFieldIsNotANumber) {
    double value = 0.0;
    EXPECT_EQ(ParseMeasuredNumber(std::string(65, '1'), value), NumberStatus::NotANumber);
    EXPECT_EQ(ParseMeasuredNumber("0." + std::string(62, '5'), value), NumberStatus::Ok);
}

} // namespace
} // namespace veld23
