#include "measure/FrdTextParser.h"
#include "measure/MeasurementText.h"

#include <gtest/gtest.h>

#include <string>

namespace veld23 {
namespace {

MeasuredPoints Parse(const std::string& text, MeasurementProblem* problem = nullptr) {
    const std::vector<std::string_view> lines = SplitMeasurementLines(text);
    MeasuredPoints points;
    MeasurementProblem found;
    const bool ok = ParseFrdText(lines, points, found);
    if (problem != nullptr) {
        *problem = found;
    } else {
        EXPECT_TRUE(ok) << "line " << found.line;
    }
    return points;
}

void ExpectPoint(const MeasuredPoints& points, std::size_t i, double hz, double db, double deg) {
    ASSERT_LT(i, points.size());
    EXPECT_EQ(points.frequencyHz[i], hz) << i;
    EXPECT_EQ(points.magnitudeDb[i], db) << i;
    EXPECT_EQ(points.phase[i], deg) << i;
}

TEST(FrdText, AnyOfTheUsualSeparators) {
    const MeasuredPoints p = Parse("20 80.5 -10\n"
                                   "30\t81.5\t-11\n"
                                   "40,82.5,-12\n"
                                   "50, 83.5, -13\n"
                                   "60;84.5;-14\n"
                                   "  70   85.5    -15  \n"
                                   "80 ;\t86.5 ; -16\n"
                                   "90;87,5;-17\n"); // beside semicolons a comma is a decimal point
    ASSERT_EQ(p.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
        ExpectPoint(p, i, 20.0 + 10.0 * i, 80.5 + i, -10.0 - i);
    }
}

TEST(FrdText, CommentsTitlesAndBlankLinesAreSkipped) {
    MeasurementProblem problem;
    const MeasuredPoints p = Parse("* Measurement data\n"
                                   "# exported as text\n"
                                   "; another note\n"
                                   "\n"
                                   "Freq(Hz) SPL(dB) Phase(degrees)\n"
                                   "   \t\n"
                                   "20 80 1\n"
                                   "* a note between points\n"
                                   "40 82 3\n",
                                   &problem);
    ASSERT_EQ(p.size(), 2u);
    ExpectPoint(p, 0, 20, 80, 1);
    ExpectPoint(p, 1, 40, 82, 3);
    EXPECT_EQ(p.firstLine, 7);
}

// A missing phase is 0, further columns are ignored, a repeated frequency keeps the first.
TEST(FrdText, MissingPhaseFurtherColumnsAndRepeatedFrequency) {
    const MeasuredPoints p = Parse("20 80\n30 81 5 0.99 extra\n30 99 9\n+40 82 -1.5e1\n.5e2 83\n");
    ASSERT_EQ(p.size(), 4u);
    ExpectPoint(p, 0, 20, 80, 0);
    ExpectPoint(p, 1, 30, 81, 5);
    ExpectPoint(p, 2, 40, 82, -15);
    ExpectPoint(p, 3, 50, 83, 0);
}

TEST(FrdText, AProblemNamesItsLineAndField) {
    using Kind = MeasurementProblem::Kind;
    const struct {
        const char* text;
        Kind kind;
        int line;
        MeasuredField field;
        const char* read;
    } cases[] = {
        {"* title\n20 80\n30 81\n25 82\n", Kind::FallingFrequency, 4, MeasuredField::Frequency,
         "25"},
        {"20 80\n30\n40 82\n", Kind::MissingField, 2, MeasuredField::Magnitude, ""},
        {"* header\n100 90 0\n200 90 0\n300 ninety 0\n", Kind::NotANumber, 4,
         MeasuredField::Magnitude, "ninety"},
    };
    for (const auto& c : cases) {
        MeasurementProblem problem;
        Parse(c.text, &problem);
        EXPECT_EQ(problem.kind, c.kind) << c.text;
        EXPECT_EQ(problem.line, c.line) << c.text;
        EXPECT_EQ(problem.field, c.field) << c.text;
        EXPECT_EQ(problem.text, c.read) << c.text;
    }
}

TEST(FrdText, DataLineStartsLikeANumber) {
    for (const char* line : {"20 80", "  -3 80", "\t.5 80", "+12 80"}) {
        EXPECT_TRUE(IsFrdDataLine(line)) << line;
    }
    for (const char* line : {"* 20 80", "# 20", "; 20", "Freq 20", "-", ""}) {
        EXPECT_FALSE(IsFrdDataLine(line)) << line;
    }
}

} // namespace
} // namespace veld23
