#include "MeasureTestSupport.h"

#include "config/MeasurementImportSettings.h"
#include "measure/FrdTextParser.h"
#include "measure/MeasurementImport.h"
#include "measure/MeasurementText.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>

namespace veld23 {
namespace {

using testing::RecordingMessages;
using testing::TempDir;

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
                                   "80 ;\t86.5 ; -16\n");
    ASSERT_EQ(p.Size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
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

TEST(FrdText, MissingPhaseIsZeroAndFurtherColumnsAreIgnored) {
    const MeasuredPoints p = Parse("20 80\n30 81 5 0.99 extra\n+40 82 -1.5e1\n.5e2 83\n");
    ASSERT_EQ(p.Size(), 4u);
    ExpectPoint(p, 0, 20, 80, 0);
    ExpectPoint(p, 1, 30, 81, 5);
    ExpectPoint(p, 2, 40, 82, -15);
    ExpectPoint(p, 3, 50, 83, 0);
}

TEST(FrdText, RepeatedFrequencyKeepsTheFirstValue) {
    const MeasuredPoints p = Parse("20 80 1\n30 81 2\n30 99 9\n40 82 3\n");
    ASSERT_EQ(p.Size(), 3u);
    ExpectPoint(p, 1, 30, 81, 2);
    ExpectPoint(p, 2, 40, 82, 3);
}

TEST(FrdText, FallingFrequencyNamesItsLine) {
    MeasurementProblem problem;
    Parse("* title\n20 80\n30 81\n25 82\n", &problem);
    EXPECT_EQ(problem.kind, MeasurementProblem::Kind::FallingFrequency);
    EXPECT_EQ(problem.line, 4);
    EXPECT_EQ(problem.text, "25");
}

TEST(FrdText, DataLineWithoutMagnitude) {
    MeasurementProblem problem;
    Parse("20 80\n30\n40 82\n", &problem);
    EXPECT_EQ(problem.kind, MeasurementProblem::Kind::MissingField);
    EXPECT_EQ(problem.field, MeasuredField::Magnitude);
    EXPECT_EQ(problem.line, 2);
}

TEST(FrdText, DataLineStartsLikeANumber) {
    EXPECT_TRUE(IsFrdDataLine("20 80"));
    EXPECT_TRUE(IsFrdDataLine("  -3 80"));
    EXPECT_TRUE(IsFrdDataLine("\t.5 80"));
    EXPECT_TRUE(IsFrdDataLine("+12 80"));
    EXPECT_FALSE(IsFrdDataLine("* 20 80"));
    EXPECT_FALSE(IsFrdDataLine("# 20"));
    EXPECT_FALSE(IsFrdDataLine("; 20"));
    EXPECT_FALSE(IsFrdDataLine("Freq 20"));
    EXPECT_FALSE(IsFrdDataLine("-"));
    EXPECT_FALSE(IsFrdDataLine(""));
}

class FrdImport : public ::testing::Test {
  protected:
    MeasurementImportResult Import(const std::string& content) {
        settings.ImportFileType = import_layout::FrdText;
        settings.MeasurementFiles[0] = dir.Write("speaker.frd", content);
        return ImportMeasurements(settings, curves, messages);
    }

    TempDir dir;
    MeasurementImportSettings settings;
    SpeakerCurves curves;
    RecordingMessages messages;
};

TEST_F(FrdImport, NeedsTwoDataLinesThatParse) {
    EXPECT_EQ(Import("* only one point\n100 90 0\nFreq 200\n").slots[0], SlotImport::NotIdentified);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Plain);
    EXPECT_EQ(messages.shown[0].text,
              settings.MeasurementFiles[0] + " is not a valid FRD / text exported data file.");
}

TEST_F(FrdImport, BadDataLineIsReportedWithItsNumber) {
    EXPECT_EQ(Import("* REW style header\n100 90 0\n200 90 0\n300 ninety 0\n").slots[0],
              SlotImport::BadData);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Error);
    EXPECT_EQ(messages.shown[0].text,
              settings.MeasurementFiles[0] + ", line 4: the magnitude \"ninety\" is not a number.");
    for (float value : curves.SpeakerMagnitude[0]) {
        ASSERT_EQ(value, 0.0f);
    }
}

TEST_F(FrdImport, WindowsLineEndsAndByteOrderMark) {
    EXPECT_EQ(Import("\xEF\xBB\xBF"
                     "100;93,0;90,0\r\n1000;93,0;90,0\r\n")
                  .slots[0],
              SlotImport::Imported);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(curves.SpeakerMagnitude[0][200], 3.0f);
    EXPECT_FLOAT_EQ(curves.SpeakerPhase[0][200], static_cast<float>(std::numbers::pi / 2));
}

} // namespace
} // namespace veld23
