#include "MeasureTestSupport.h"

#include "config/MeasurementImportSettings.h"
#include "dsp/FrequencyGrid.h"
#include "measure/MeasurementImport.h"
#include "measure/MeasurementLayout.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

namespace veld23 {
namespace {

using testing::FixedLine;
using testing::RecordingMessages;
using testing::TempDir;

// Every layout test writes the same three points, each on a grid frequency:
// point 100 is 118 Hz, point 200 is 693 Hz, point 300 is 4078 Hz.
struct Point {
    std::string hz;
    std::string db;
    std::string deg;
};
const std::vector<Point> kPoints = {
    {"118.00", "93.00", "90.00"},
    {"693.00", "87.50", "-45.00"},
    {"4078.00", "80.00", "180.00"},
};

std::string Pad(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

class LayoutImport : public ::testing::Test {
  protected:
    SlotImport Import(std::int32_t code, const std::string& content, int slot = 1) {
        settings.ImportFileType = code;
        settings.MeasurementFiles[slot - 1] = dir.Write("slot" + std::to_string(slot), content);
        return ImportMeasurements(settings, curves, messages).slots[slot - 1];
    }

    // With the default reference of 90 dB: 93 -> +3, 87.5 -> -2.5, 80 -> -10.
    void ExpectThePoints(int row, bool degreesToRadians) const {
        const FrequencyGrid& grid = FrequencyGrid::Shared();
        ASSERT_EQ(grid.GridHz[100], 118);
        ASSERT_EQ(grid.GridHz[200], 693);
        ASSERT_EQ(grid.GridHz[300], 4078);
        const CurveArray& mag = curves.SpeakerMagnitude[row];
        const CurveArray& phase = curves.SpeakerPhase[row];
        const double scale = degreesToRadians ? std::numbers::pi / 180.0 : 1.0;
        EXPECT_EQ(mag[99], -140.0f);
        EXPECT_EQ(phase[99], 0.0f);
        EXPECT_EQ(mag[100], 3.0f);
        EXPECT_FLOAT_EQ(phase[100], static_cast<float>(90.0 * scale));
        EXPECT_EQ(mag[200], -2.5f);
        EXPECT_FLOAT_EQ(phase[200], static_cast<float>(-45.0 * scale));
        EXPECT_EQ(mag[300], -10.0f);
        EXPECT_FLOAT_EQ(phase[300], static_cast<float>(180.0 * scale));
        EXPECT_EQ(mag[301], -140.0f);
        EXPECT_EQ(phase[301], 0.0f);
    }

    void ExpectNoMessages() const {
        for (const auto& shown : messages.shown) {
            ADD_FAILURE() << shown.text;
        }
    }

    TempDir dir;
    MeasurementImportSettings settings;
    SpeakerCurves curves;
    RecordingMessages messages;
};

std::string ClioA(const std::string& eol) {
    std::string text = "    Freq\t      dB\t   Phase" + eol;
    for (const Point& p : kPoints) {
        text += Pad(p.hz, 8) + "\t" + Pad(p.db, 8) + "\t" + Pad(p.deg, 8) + eol;
    }
    return text;
}

std::string ClioB() {
    std::string text = "Freq [Hz]       dBSPL           Phase [Deg]\n";
    for (const Point& p : kPoints) {
        text += FixedLine({{1, 9, p.hz}, {17, 24, p.db}, {33, 39, p.deg}}) + "\n";
    }
    return text;
}

std::string Smaart(std::size_t headerLine) {
    std::string text = "Smaart transfer function export\n";
    for (std::size_t line = 1; line < 18 || line <= headerLine; ++line) {
        text +=
            line == headerLine ? "; Frequency (Hz)\tMagnitude (dB)\tPhase (degrees)\n" : "; note\n";
    }
    for (const Point& p : kPoints) {
        text += p.hz + "\t" + p.db + "\t" + p.deg + "\n";
    }
    return text + "; end of data\n";
}

std::string Mlssa() {
    std::string text = "MLSSA frequency domain data\n      \"Hz\"  \"Mag (dB)\"       \"deg\"\n";
    for (const Point& p : kPoints) {
        text += FixedLine({{1, 10, p.hz}, {12, 22, p.db}, {24, 34, p.deg}}) + "\n";
    }
    return text;
}

std::string WinAirr() {
    std::string text = " WinAIRR saved file\nwoofer on axis\n3 points\nHz dB deg\n";
    for (const Point& p : kPoints) {
        text += FixedLine({{1, 10, p.hz}, {11, 22, p.db}, {23, 34, p.deg}}) + "\n";
    }
    return text;
}

std::string Lms() {
    std::string text = "* LMS(TM) frequency response export\n";
    for (int line = 1; line < 11; ++line) {
        text += "* header " + std::to_string(line) + "\n";
    }
    for (const Point& p : kPoints) {
        text += FixedLine({{2, 15, p.hz}, {18, 31, p.db}, {34, 47, p.deg}}) + "\n";
    }
    return text;
}

// Each exporting program's layout: where its header is and which columns its numbers are in.
TEST_F(LayoutImport, EveryLayoutReadsItsColumnsAndConvertsItsPhase) {
    const struct {
        const char* what;
        std::int32_t code;
        std::string content;
        bool degrees; // the phase is given in degrees and stored in radians
    } cases[] = {
        {"CLIO A, columns 1-8, 10-17, 19-26", import_layout::Clio, ClioA("\r\n"), true},
        {"CLIO B, columns 1-9, 17-24, 33-", import_layout::Clio, ClioB(), true},
        {"MLSSA, quoted header on line 1", import_layout::Mlssa, Mlssa(), true},
        {"WinAIRR keeps the phase as read", import_layout::WinAirr, WinAirr(), false},
        {"Smaart, header on line 5", import_layout::SmaartPro, Smaart(5), true},
        {"Smaart, header on line 39", import_layout::SmaartPro, Smaart(39), true},
        {"LMS, data from line 11", import_layout::Lms, Lms(), true},
        {"FRD, any separator", import_layout::FrdText,
         "* exported by a measurement tool\nFreq(Hz)  SPL(dB)  Phase(deg)\n118 93 90\n"
         "693\t87.5\t-45\n4078;80;180\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        EXPECT_EQ(Import(c.code, c.content), SlotImport::Imported);
        ExpectNoMessages();
        ExpectThePoints(0, c.degrees);
    }
}

TEST_F(LayoutImport, AFileOfAnotherLayoutIsNotIdentified) {
    // A blank after "Phase" is neither layout A nor does the line begin "Freq [Hz]".
    std::string clio = ClioA("\n");
    clio.insert(clio.find('\n'), " ");
    EXPECT_EQ(Import(import_layout::Clio, clio), SlotImport::NotIdentified);
    EXPECT_EQ(Import(import_layout::SmaartPro, Smaart(40)), SlotImport::NotIdentified);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Plain);
    EXPECT_EQ(messages.shown[0].text,
              settings.MeasurementFiles[0] + " is not a valid CLIO exported data file.");
    EXPECT_EQ(messages.shown[1].text,
              settings.MeasurementFiles[0] +
                  " is not a valid SIA Smaart Pro - Transfer Function exported data file.");
}

TEST_F(LayoutImport, EachSlotFillsTheRowOfItsOutputChannel) {
    settings.MeasurementFiles[0] = dir.Write("a", ClioA("\n"));
    settings.MeasurementFiles[2] = dir.Write("c", ClioB());
    const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
    EXPECT_EQ(result.slots[0], SlotImport::Imported);
    EXPECT_EQ(result.slots[1], SlotImport::Empty);
    EXPECT_EQ(result.slots[2], SlotImport::Imported);
    ExpectThePoints(0, true);
    ExpectThePoints(2, true);
    // An empty slot is a flat 0 dB, 0 rad row, and the fourth row stays zero.
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        EXPECT_EQ(curves.SpeakerMagnitude[1][j], 0.0f);
        EXPECT_EQ(curves.SpeakerPhase[1][j], 0.0f);
        EXPECT_EQ(curves.SpeakerMagnitude[3][j], 0.0f);
    }
}

TEST(MeasurementLayoutTable, NamesInMessagesAreThoseOfTheExportingPrograms) {
    const std::vector<std::pair<std::int32_t, std::string>> names = {
        {0, "CLIO"},
        {1, "MLSSA"},
        {2, "WINAIR"},
        {3, "SIA Smaart Pro - Transfer Function"},
        {6, " CALSOD "},
        {7, "DAAS 32 - CALSOD "},
        {8, "LoudSpeaker Lab - CALSOD "},
        {9, "LMS - Linear X Systems "},
        {10, "FRD / text"},
    };
    for (const auto& [code, name] : names) {
        const MeasurementLayout* layout = FindMeasurementLayout(code);
        ASSERT_NE(layout, nullptr) << code;
        EXPECT_EQ(layout->messageName, name);
    }
    EXPECT_EQ(FindMeasurementLayout(4), nullptr);
    EXPECT_EQ(FindMeasurementLayout(5), nullptr);
    EXPECT_EQ(FindMeasurementLayout(-1), nullptr);
}

TEST(MeasurementLayoutTable, FileFilterDependsOnTheLayout) {
    EXPECT_EQ(MeasurementFileFilter(import_layout::Daas32),
              "CALSOD DAAS32 Exported data *.spl|*.spl|all *.*|*.*");
    for (std::int32_t code : {0, 1, 2, 3, 6, 8, 9, 4, 99}) {
        EXPECT_EQ(MeasurementFileFilter(code), "exported data *.txt|*.txt|all *.*|*.*") << code;
    }
    EXPECT_EQ(MeasurementFileFilter(import_layout::FrdText),
              "FRD and text data *.frd;*.txt|*.frd;*.txt|all *.*|*.*");
}

} // namespace
} // namespace veld23
