// Measurement data: the text's lines and numbers, the FRD / text layout read from them,
// and the measured points put on the frequency grid.
#include "config/MeasurementImportSettings.h"
#include "dsp/FrequencyGrid.h"
#include "measure/FrdTextParser.h"
#include "measure/MeasurementResampler.h"
#include "measure/MeasurementText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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
    ASSERT_LT(i, points.Size());
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
    ASSERT_EQ(p.Size(), 8u);
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
    ASSERT_EQ(p.Size(), 2u);
    ExpectPoint(p, 0, 20, 80, 1);
    ExpectPoint(p, 1, 40, 82, 3);
    EXPECT_EQ(p.firstLine, 7);
}

// A missing phase is 0, further columns are ignored, a repeated frequency keeps the first.
TEST(FrdText, MissingPhaseFurtherColumnsAndRepeatedFrequency) {
    const MeasuredPoints p = Parse("20 80\n30 81 5 0.99 extra\n30 99 9\n+40 82 -1.5e1\n.5e2 83\n");
    ASSERT_EQ(p.Size(), 4u);
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

MeasuredPoints Points(std::initializer_list<std::array<double, 3>> rows) {
    MeasuredPoints points;
    for (const auto& row : rows) {
        points.frequencyHz.push_back(row[0]);
        points.magnitudeDb.push_back(row[1]);
        points.phase.push_back(row[2]);
    }
    return points;
}

struct Curves {
    CurveArray magnitude{};
    CurveArray phase{};
};

Curves Resample(const MeasuredPoints& points, double reference, bool degrees) {
    Curves curves;
    ResampleOntoGrid(points, reference, degrees, curves.magnitude, curves.phase);
    return curves;
}

TEST(MeasurementResampler, InterpolatesStraightLinesInFrequency) {
    // 118 Hz (grid point 100) lies 18% of the way from 100 Hz to 200 Hz.
    const Curves c = Resample(Points({{100, 80, 0}, {200, 90, 100}}), 90.0, false);
    EXPECT_FLOAT_EQ(c.magnitude[100], -8.2f);
    EXPECT_FLOAT_EQ(c.phase[100], 18.0f);
}

TEST(MeasurementResampler, ReferenceLevelIsTheZeroDecibelLine) {
    const MeasuredPoints flat = Points({{20, 93, 0}, {23999, 93, 0}});
    EXPECT_EQ(Resample(flat, 90.0, true).magnitude[200], 3.0f);
    EXPECT_EQ(Resample(flat, -7.5, true).magnitude[200], 100.5f);
}

TEST(MeasurementResampler, OutsideTheMeasuredRangeIsMinus140DecibelsAndNoPhase) {
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    const Curves c = Resample(Points({{118, 93, 45}, {4078, 93, 45}}), 90.0, true);
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        const int hz = grid.GridHz[j];
        if (hz < 118 || hz > 4078) {
            EXPECT_EQ(c.magnitude[j], -140.0f) << hz;
            EXPECT_EQ(c.phase[j], 0.0f) << hz;
        } else {
            EXPECT_EQ(c.magnitude[j], 3.0f) << hz;
            EXPECT_FLOAT_EQ(c.phase[j], static_cast<float>(std::numbers::pi / 4)) << hz;
        }
    }
}

TEST(MeasurementResampler, EndsOfTheMeasuredRangeGetTheMeasuredValues) {
    // Grid points 100 and 300 are exactly the first and the last measured frequency.
    const Curves c =
        Resample(Points({{118, 91, 10}, {1000, 70, -20}, {4078, 85, 30}}), 90.0, false);
    EXPECT_EQ(c.magnitude[100], 1.0f);
    EXPECT_EQ(c.phase[100], 10.0f);
    EXPECT_EQ(c.magnitude[300], -5.0f);
    EXPECT_EQ(c.phase[300], 30.0f);
}

TEST(MeasurementResampler, TouchesNothingAboveTheLastGridPoint) {
    Curves c;
    c.magnitude.fill(7.0f);
    c.phase.fill(7.0f);
    ResampleOntoGrid(Points({{20, 90, 0}, {24000, 90, 0}}), 90.0, true, c.magnitude, c.phase);
    EXPECT_EQ(c.magnitude[FrequencyGrid::N], 0.0f);
    EXPECT_EQ(c.magnitude[FrequencyGrid::N + 1], 7.0f);
    EXPECT_EQ(c.phase[kCurveLength - 1], 7.0f);
}

TEST(MeasurementResampler, CloselySpacedExtremePointsStayFinite) {
    // Largest accepted values and neighbours a hair apart must not overflow.
    const Curves c = Resample(Points({{117.99999999999, -1e9, 1e9}, {118, 1e9, -1e9}, {119, 0, 0}}),
                              140.0, true);
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        EXPECT_TRUE(std::isfinite(c.magnitude[j])) << j;
        EXPECT_TRUE(std::isfinite(c.phase[j])) << j;
    }
}

TEST(MeasurementReferenceLevel, UnusableLevelsFromAFileAreHeldToTheFieldRange) {
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(93.5), 93.5);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(-300.0), -140.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(141.0), 140.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(std::nan("")), 90.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(INFINITY), 90.0);
}

} // namespace
} // namespace veld23
