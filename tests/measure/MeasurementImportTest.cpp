// Importing measurements: every exporting program's layout, and every kind of bad file.
#include "MeasureTestSupport.h"

#include "dsp/FrequencyGrid.h"
#include "measure/MeasurementImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace veld23 {
namespace {

using testing::FixedLine;

const std::string kClioBHeader = "Freq [Hz]       dBSPL           Phase [Deg]\n";
constexpr std::string_view kClioA = "    Freq\t      dB\t   Phase\n";
constexpr std::string_view kGood = "  100.00\t   90.00\t    0.00\n"
                                   " 1000.00\t   90.00\t    0.00\n";

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

// Each exporting program's layout: where its header is and which columns its numbers are in.
TEST_F(LayoutImport, EveryLayoutReadsItsColumnsAndConvertsItsPhase) {
    const struct {
        const char* what;
        std::int32_t code;
        std::string content;
        bool degrees; // the phase is given in degrees and stored in radians
    } cases[] = {
        {"CLIO A, columns 1-8, 10-17, 19-26", import_layout::Clio, ClioA("\r\n"), true},
        {"CLIO B, columns 1-9, 17-24, 33-", import_layout::Clio,
         FixedColumns(kClioBHeader, {{{1, 9}, {17, 24}, {33, 39}}}), true},
        {"MLSSA, quoted header on line 1", import_layout::Mlssa,
         FixedColumns("MLSSA frequency domain data\n      \"Hz\"  \"Mag (dB)\"       \"deg\"\n",
                      {{{1, 10}, {12, 22}, {24, 34}}}),
         true},
        {"WinAIRR keeps the phase as read", import_layout::WinAirr,
         FixedColumns(" WinAIRR saved file\nwoofer on axis\n3 points\nHz dB deg\n",
                      {{{1, 10}, {11, 22}, {23, 34}}}),
         false},
        {"Smaart, header on line 5", import_layout::SmaartPro, Smaart(5), true},
        {"Smaart, header on line 39", import_layout::SmaartPro, Smaart(39), true},
        {"LMS, data from line 11", import_layout::Lms,
         FixedColumns("* LMS(TM) frequency response export\n" + Repeated("* header\n", 10),
                      {{{2, 15}, {18, 31}, {34, 47}}}),
         true},
        {"FRD, any separator, after a byte order mark", import_layout::FrdText,
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
    EXPECT_EQ(Import(import_layout::FrdText, "* only one point\n100 90 0\nFreq 200\n"),
              SlotImport::NotIdentified);
    // A blank after "Phase" is neither layout A nor does the line begin "Freq [Hz]".
    std::string clio = ClioA("\n");
    clio.insert(clio.find('\n'), " ");
    EXPECT_EQ(Import(import_layout::Clio, clio), SlotImport::NotIdentified);
    EXPECT_EQ(Import(import_layout::SmaartPro, Smaart(40)), SlotImport::NotIdentified);
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

// A CLIO layout B data line: frequency 1-9, magnitude 17-24, phase 33-39.
std::string ClioBLine(const std::string& hz, const std::string& db, const std::string& deg) {
    return FixedLine({{1, 9, hz}, {17, 24, db}, {33, 39, deg}}) + "\n";
}

// Every bad file goes into slot 2 between two good ones, so each test also shows that the
// other slots are still read.
class BadMeasurementFile : public testing::ImportFixture {
  protected:
    void SetUp() override {
        settings.MeasurementFiles[0] = dir.Write("first.txt", std::string(kClioA) + kGood.data());
        settings.MeasurementFiles[2] = dir.Write("third.txt", std::string(kClioA) + kGood.data());
        // Left over from an earlier import: must not survive in a slot that fails.
        for (CurveArray& row : curves.SpeakerMagnitude) {
            row.fill(12.0f);
        }
        for (CurveArray& row : curves.SpeakerPhase) {
            row.fill(1.0f);
        }
    }

    SlotImport ImportSecond(const std::string& content) {
        settings.MeasurementFiles[1] = dir.Write("second.txt", content);
        return Run();
    }

    SlotImport Run() {
        const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
        EXPECT_EQ(result.slots[0], SlotImport::Imported);
        EXPECT_EQ(result.slots[2], SlotImport::Imported);
        // The good neighbours: 90 dB from 100 to 1000 Hz is 0 dB there, -140 elsewhere.
        EXPECT_EQ(curves.SpeakerMagnitude[0][200], 0.0f);
        EXPECT_EQ(curves.SpeakerMagnitude[2][200], 0.0f);
        EXPECT_EQ(curves.SpeakerMagnitude[2][0], -140.0f);
        ExpectRowCleared(1);
        return result.slots[1];
    }

    void ExpectRowCleared(int row) const {
        for (int j = 0; j < kCurveLength; ++j) {
            ASSERT_EQ(curves.SpeakerMagnitude[row][j], 0.0f) << row << " " << j;
            ASSERT_EQ(curves.SpeakerPhase[row][j], 0.0f) << row << " " << j;
        }
    }

    // Exactly one message, an error, with this text.
    void ExpectOneError(const std::string& text) const {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Error);
        EXPECT_EQ(messages.shown[0].text, text);
    }
};

// Each damaged file: its one error, after the file's name, and its row cleared.
TEST_F(BadMeasurementFile, EveryFaultIsToldOnceWithItsLine) {
    const std::string clioA(kClioA);
    // A CLIO layout A data line: three tab-separated fields of eight characters.
    const auto line = [](const char* hz, const char* db, const char* deg) {
        return std::string(hz) + "\t" + db + "\t" + deg + "\n";
    };
    const std::string l100 = line("  100.00", "   90.00", "    0.00");
    const std::string l200 = line("  200.00", "   90.00", "    0.00");
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {clioA, ": no measured points found from line 2 to the end of the file."},
        {clioA + "\n   \n\t\n", ": no measured points found from line 2 to the end of the file."},
        {clioA + "\n" + line("  500.00", "   90.00", "    0.00"),
         ", line 3: only one measured point; at least two are needed."},
        {clioA + l100 + l200 + line("  200.00", "   91.00", "    0.00"),
         ", line 4: the frequency 200.00 Hz repeats the line before; the frequencies must rise "
         "from line to line."},
        {clioA + l100 + line("  300.00", "   90.00", "    0.00") + l200,
         ", line 4: the frequency 200.00 Hz is lower than on the line before; the frequencies "
         "must rise from line to line."},
        {kClioBHeader + ClioBLine("100", "90", "0") + FixedLine({{1, 9, "200"}, {17, 24, "90"}}) +
             "\n" + ClioBLine("300", "90", "0"),

         ", line 3: the line ends before the phase column (characters 33-39)."},
        {kClioBHeader + ClioBLine("100", "90", "0") + ClioBLine("200", "", "0") +
             ClioBLine("300", "90", "0"),
         ", line 3: the magnitude (characters 17-24) is empty."},
        {clioA + l100 + line("  200.00", "   9O.00", "    0.00"),
         ", line 3: the magnitude \"9O.00\" is not a number."},
        {clioA + line("  100.00", "   90.00", "     nan") + l200,
         ", line 2: the phase \"nan\" is not a number."},
        // No loudspeaker measures beyond ±300 dB; such a magnitude would only push the final
        // response's sum past what a number holds.
        {clioA + line("  100.00", "  300.00", "    0.00") + line("  200.00", "   770.0", "   0.00"),
         ", line 3: the magnitude 770.0 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "  -300.5", "   0.00"),
         ", line 3: the magnitude -300.5 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "  1e+400", "   0.00"),
         ", line 3: the magnitude 1e+400 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "   90.00", " 1e+400"),
         ", line 3: the phase 1e+400 is out of range."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.shown.clear();
        EXPECT_EQ(ImportSecond(c.content), SlotImport::BadData);
        ExpectOneError(settings.MeasurementFiles[1] + c.message);
    }
}

TEST_F(BadMeasurementFile, LineEndingInsideAColumnGivesWhatIsThere) {
    // Trailing characters cut off inside the phase range still leave a number, down to a
    // line that ends on the range's first character.
    settings.MeasurementFiles[1] = dir.Write(
        "second.txt", kClioBHeader + ClioBLine("100", "90", "-45") +
                          FixedLine({{1, 9, "1000"}, {17, 24, "90"}, {33, 35, "-45"}}) + "\n" +
                          FixedLine({{1, 9, "2000"}, {17, 24, "90"}, {33, 33, "0"}}) + "\n");
    settings.ImportFileType = import_layout::Clio;
    const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
    EXPECT_EQ(result.slots[1], SlotImport::Imported);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FLOAT_EQ(curves.SpeakerPhase[1][200], static_cast<float>(-std::numbers::pi / 4));
}

TEST_F(BadMeasurementFile, TabSeparatedLineWithoutItsTabs) {
    std::string text = "Smaart\n; Frequency (Hz)\tMagnitude (dB)\tPhase (degrees)\n";
    for (int line = 2; line < 18; ++line) {
        text += ";\n";
    }
    text += "100\t90\t0\n200\t90\n300\t90\t0\n";
    settings.ImportFileType = import_layout::SmaartPro;
    settings.MeasurementFiles[0].clear();
    settings.MeasurementFiles[2].clear();
    settings.MeasurementFiles[1] = dir.Write("second.txt", text);
    const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
    EXPECT_EQ(result.slots,
              (std::array{SlotImport::Empty, SlotImport::BadData, SlotImport::Empty}));
    // The empty slots' rows and the fourth row are flat too: nothing earlier is left.
    for (int row = 0; row < 4; ++row) {
        ExpectRowCleared(row);
    }
    ExpectOneError(settings.MeasurementFiles[1] + ", line 20: the line has no phase.");
}

// A missing file, a folder, a pipe nobody writes to (it would block the import for ever)
// and a device that never ends: none is opened, and the slot keeps its path.
TEST_F(BadMeasurementFile, OnlyPlainFilesAreOpenedAndTheSlotKeepsItsPath) {
    const std::string fifo = dir.File("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.File("on-a-disconnected-drive.txt"), dir.path().string(),
                                    fifo, std::string("/dev/zero")}) {
        messages.shown.clear();
        settings.MeasurementFiles[1] = path;
        EXPECT_EQ(Run(), SlotImport::Unreadable) << path;
        EXPECT_EQ(settings.MeasurementFiles[1], path);
        ExpectOneError(
            "Unable to Open " + path +
            " Measure File for Output 2. Look for the correct file to use the Measures.");
    }
}

// A configuration names the measurement files, so it must not be able to make the editor
// read gigabytes or a binary file whole: both are refused before reading.
TEST_F(BadMeasurementFile, LargeAndBinaryFilesAreRefusedBeforeReading) {
    const std::string large = dir.Write("large.txt", std::string(kClioA) + kGood.data());
    std::filesystem::resize_file(large, 64 * 1024 * 1024 + 1); // sparse: nothing is written
    const std::string nul = dir.Write("nul.txt", std::string(kClioA) + '\0' + kGood.data());
    const std::string utf16 = dir.Write("utf16.txt", "\xFF\xFE" + std::string("F\0r\0e\0q\0", 8));
    const std::string escape = dir.Write("escape.txt", "\x1B[2J" + std::string(kClioA));
    struct Case {
        std::string path;
        std::string reason;
    };
    const Case cases[] = {{large, "it holds more than 64 MB"},
                          {nul, "it holds bytes that are not text"},
                          {utf16, "it holds bytes that are not text"},
                          {escape, "it holds bytes that are not text"}};
    for (const Case& k : cases) {
        messages.shown.clear();
        settings.MeasurementFiles[1] = k.path;
        EXPECT_EQ(Run(), SlotImport::Refused) << k.path;
        ExpectOneError(k.path + " is not a measurement file: " + k.reason + ".");
    }
}

TEST_F(BadMeasurementFile, UnknownLayoutCodeFailsIdentificationForEverySlot) {
    settings.ImportFileType = 4;
    settings.MeasurementFiles[1] = dir.Write("second.txt", std::string(kClioA) + kGood.data());
    const MeasurementImportResult result = ImportMeasurements(settings, curves, messages);
    ASSERT_EQ(messages.shown.size(), 3u);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(result.slots[slot], SlotImport::NotIdentified);
        EXPECT_EQ(messages.shown[slot].text, settings.MeasurementFiles[slot] +
                                                 " is not a valid measurement exported data file.");
    }
}

// Blank lines between and after the points are skipped; a reference level a file made
// unusable is taken as the default 90 dB SPL.
TEST_F(BadMeasurementFile, BlankLinesAndAnUnusableReferenceLevel) {
    settings.ReferenceLevel = std::nan("");
    settings.MeasurementFiles[1] =
        dir.Write("second.txt", std::string(kClioA) + "  100.00\t   90.00\t    0.00\n\n"
                                                      " 1000.00\t   90.00\t    0.00\n\n  \n");
    EXPECT_EQ(ImportMeasurements(settings, curves, messages).slots[1], SlotImport::Imported);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 0.0f);
}

} // namespace
} // namespace veld23
