#include "MeasureTestSupport.h"

#include "measure/MeasurementImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numbers>
#include <string>
#include <vector>

namespace veld23 {
namespace {

using testing::FixedLine;

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

class LayoutImport : public testing::ImportFixture {
  protected:
    SlotImport Import(std::int32_t code, const std::string& content) {
        settings.ImportFileType = code;
        settings.MeasurementFiles[0] = dir.Write("slot1", content);
        return ImportMeasurements(settings, curves, messages).slots[0];
    }

    // With the default reference of 90 dB: 93 -> +3, 87.5 -> -2.5, 80 -> -10.
    void ExpectThePoints(bool degreesToRadians) const {
        const CurveArray& mag = curves.SpeakerMagnitude[0];
        const CurveArray& phase = curves.SpeakerPhase[0];
        const double scale = degreesToRadians ? std::numbers::pi / 180.0 : 1.0;
        EXPECT_EQ(mag[100], 3.0f);
        EXPECT_FLOAT_EQ(phase[100], static_cast<float>(90.0 * scale));
        EXPECT_EQ(mag[200], -2.5f);
        EXPECT_FLOAT_EQ(phase[200], static_cast<float>(-45.0 * scale));
        EXPECT_EQ(mag[300], -10.0f);
        EXPECT_FLOAT_EQ(phase[300], static_cast<float>(180.0 * scale));
    }
};

std::string ClioA(const std::string& eol) {
    std::string text = "    Freq\t      dB\t   Phase" + eol;
    for (const Point& p : kPoints) {
        text += Pad(p.hz, 8) + "\t" + Pad(p.db, 8) + "\t" + Pad(p.deg, 8) + eol;
    }
    return text;
}

// The header, then the points right-aligned in the layout's three column ranges.
std::string FixedColumns(std::string text, const std::array<std::pair<int, int>, 3>& columns) {
    for (const Point& p : kPoints) {
        text += FixedLine({{columns[0].first, columns[0].second, p.hz},
                           {columns[1].first, columns[1].second, p.db},
                           {columns[2].first, columns[2].second, p.deg}}) +
                "\n";
    }
    return text;
}

std::string Repeated(const std::string& line, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

// The header on headerLine, among note lines up to line 18 at least; tab-separated data.
std::string Smaart(std::size_t headerLine) {
    std::string text = "Smaart transfer function export\n" +
                       Repeated("; note\n", std::max<std::size_t>(17, headerLine) - 1);
    text.insert(text.find('\n') + 1 + 7 * (headerLine - 1),
                "; Frequency (Hz)\tMagnitude (dB)\tPhase (degrees)\n");
    for (const Point& p : kPoints) {
        text += p.hz + "\t" + p.db + "\t" + p.deg + "\n";
    }
    return text + "; end of data\n";
}

const std::string kClioBHeader = "Freq [Hz]       dBSPL           Phase [Deg]\n";

// Each exporting program's layout: where its header is and which columns its numbers are in.
TEST_F(LayoutImport, EveryLayoutReadsItsColumnsAndConvertsItsPhase) {
    const struct {
        const char* what;
        std::int32_t code;
        std::string content;
        bool degrees; // the phase is given in degrees and stored in radians
    } cases[] = {
        {"CLIO A, columns 1-8, 10-17, 19-26", ImportLayoutCode::Clio, ClioA("\r\n"), true},
        {"CLIO B, columns 1-9, 17-24, 33-", ImportLayoutCode::Clio,
         FixedColumns(kClioBHeader, {{{1, 9}, {17, 24}, {33, 39}}}), true},
        {"MLSSA, quoted header on line 1", ImportLayoutCode::Mlssa,
         FixedColumns("MLSSA frequency domain data\n      \"Hz\"  \"Mag (dB)\"       \"deg\"\n",
                      {{{1, 10}, {12, 22}, {24, 34}}}),
         true},
        {"WinAIRR keeps the phase as read", ImportLayoutCode::WinAirr,
         FixedColumns(" WinAIRR saved file\nwoofer on axis\n3 points\nHz dB deg\n",
                      {{{1, 10}, {11, 22}, {23, 34}}}),
         false},
        {"Smaart, header on line 5", ImportLayoutCode::SmaartPro, Smaart(5), true},
        {"Smaart, header on line 39", ImportLayoutCode::SmaartPro, Smaart(39), true},
        {"LMS, data from line 11", ImportLayoutCode::Lms,
         FixedColumns("* LMS(TM) frequency response export\n" + Repeated("* header\n", 10),
                      {{{2, 15}, {18, 31}, {34, 47}}}),
         true},
        {"FRD, any separator, after a byte order mark", ImportLayoutCode::FrdText,
         "\xEF\xBB\xBF* exported by a measurement tool\nFreq(Hz)  SPL(dB)  Phase(deg)\n118 93 90\n"
         "693\t87.5\t-45\n4078;80;180\n",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        messages.shown.clear();
        EXPECT_EQ(Import(c.code, c.content), SlotImport::Imported);
        EXPECT_TRUE(messages.shown.empty());
        ExpectThePoints(c.degrees);
    }
}

TEST_F(LayoutImport, AFileOfAnotherLayoutIsNotIdentified) {
    // FRD needs two data lines that parse.
    EXPECT_EQ(Import(ImportLayoutCode::FrdText, "* only one point\n100 90 0\nFreq 200\n"),
              SlotImport::NotIdentified);
    // A blank after "Phase" is neither layout A nor does the line begin "Freq [Hz]".
    std::string clio = ClioA("\n");
    clio.insert(clio.find('\n'), " ");
    EXPECT_EQ(Import(ImportLayoutCode::Clio, clio), SlotImport::NotIdentified);
    EXPECT_EQ(Import(ImportLayoutCode::SmaartPro, Smaart(40)), SlotImport::NotIdentified);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Plain);
    EXPECT_EQ(messages.shown[0].text,
              settings.MeasurementFiles[0] + " is not a valid FRD / text exported data file.");
    EXPECT_EQ(messages.shown[1].text,
              settings.MeasurementFiles[0] + " is not a valid CLIO exported data file.");
    EXPECT_EQ(messages.shown[2].text,
              settings.MeasurementFiles[0] +
                  " is not a valid SIA Smaart Pro - Transfer Function exported data file.");
}

} // namespace
} // namespace veld23
