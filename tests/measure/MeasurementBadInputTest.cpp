#include "MeasureTestSupport.h"

#include "config/MeasurementImportSettings.h"
#include "dsp/FrequencyGrid.h"
#include "measure/MeasurementImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <sys/stat.h>

namespace veld23 {
namespace {

using testing::FixedLine;
using testing::RecordingMessages;
using testing::TempDir;

constexpr std::string_view kClioA = "    Freq\t      dB\t   Phase\n";
constexpr std::string_view kGood = "  100.00\t   90.00\t    0.00\n"
                                   " 1000.00\t   90.00\t    0.00\n";

// A CLIO layout B data line: frequency 1-9, magnitude 17-24, phase 33-39.
std::string ClioBLine(const std::string& hz, const std::string& db, const std::string& deg) {
    return FixedLine({{1, 9, hz}, {17, 24, db}, {33, 39, deg}}) + "\n";
}
const std::string kClioBHeader = "Freq [Hz]       dBSPL           Phase [Deg]\n";

// Every bad file goes into slot 2 between two good ones, so each test also shows that the
// other slots are still read.
class BadMeasurementFile : public ::testing::Test {
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
        ExpectSecondRowCleared();
        return result.slots[1];
    }

    void ExpectSecondRowCleared() const {
        for (int j = 0; j < kCurveLength; ++j) {
            ASSERT_EQ(curves.SpeakerMagnitude[1][j], 0.0f) << j;
            ASSERT_EQ(curves.SpeakerPhase[1][j], 0.0f) << j;
        }
    }

    // Exactly one message, an error, that starts with the file and its line.
    void ExpectOneError(const std::string& text) const {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Error);
        EXPECT_EQ(messages.shown[0].text, settings.MeasurementFiles[1] + text);
    }

    TempDir dir;
    MeasurementImportSettings settings;
    SpeakerCurves curves;
    RecordingMessages messages;
};

// Each bad file: its one message, after the file's name, and its row cleared.
TEST_F(BadMeasurementFile, EveryFaultIsToldOnceWithItsLine) {
    const std::string clioA(kClioA);
    // A CLIO layout A data line: three tab-separated fields of eight characters.
    const auto line = [](const char* hz, const char* db, const char* deg) {
        return std::string(hz) + "\t" + db + "\t" + deg + "\n";
    };
    const std::string l100 = line("  100.00", "   90.00", "    0.00");
    const std::string l200 = line("  200.00", "   90.00", "    0.00");
    using Kind = MeasurementMessages::Kind;
    const struct {
        std::string content;
        SlotImport status;
        Kind kind;
        std::string message;
    } cases[] = {
        {"", SlotImport::NotIdentified, Kind::Plain, " is not a valid CLIO exported data file."},
        {clioA, SlotImport::BadData, Kind::Error,
         ": no measured points found from line 2 to the end of the file."},
        {clioA + "\n   \n\t\n", SlotImport::BadData, Kind::Error,
         ": no measured points found from line 2 to the end of the file."},
        {clioA + "\n" + line("  500.00", "   90.00", "    0.00"), SlotImport::BadData, Kind::Error,
         ", line 3: only one measured point; at least two are needed."},
        {clioA + l100 + l200 + line("  200.00", "   91.00", "    0.00"), SlotImport::BadData,
         Kind::Error,
         ", line 4: the frequency 200.00 Hz repeats the line before; the frequencies must rise "
         "from line to line."},
        {clioA + l100 + line("  300.00", "   90.00", "    0.00") + l200, SlotImport::BadData,
         Kind::Error,
         ", line 4: the frequency 200.00 Hz is lower than on the line before; the frequencies "
         "must rise from line to line."},
        {kClioBHeader + ClioBLine("100", "90", "0") + FixedLine({{1, 9, "200"}, {17, 24, "90"}}) +
             "\n" + ClioBLine("300", "90", "0"),
         SlotImport::BadData, Kind::Error,
         ", line 3: the line ends before the phase column (characters 33-39)."},
        {kClioBHeader + ClioBLine("100", "90", "0") + ClioBLine("200", "", "0") +
             ClioBLine("300", "90", "0"),
         SlotImport::BadData, Kind::Error, ", line 3: the magnitude (characters 17-24) is empty."},
        {clioA + l100 + line("  200.00", "   9O.00", "    0.00"), SlotImport::BadData, Kind::Error,
         ", line 3: the magnitude \"9O.00\" is not a number."},
        {clioA + line("  100.00", "   90.00", "     nan") + l200, SlotImport::BadData, Kind::Error,
         ", line 2: the phase \"nan\" is not a number."},
        {clioA + line("  100.00", "   90.00", "    -inf") + l200, SlotImport::BadData, Kind::Error,
         ", line 2: the phase \"-inf\" is not a number."},
        {clioA + line("  100.00", "   90.00", "  0x1p3") + l200, SlotImport::BadData, Kind::Error,
         ", line 2: the phase \"0x1p3\" is not a number."},
        // No loudspeaker measures beyond ±300 dB; such a magnitude would only push the final
        // response's sum past what a number holds.
        {clioA + line("  100.00", "  300.00", "    0.00") + line("  200.00", "   770.0", "   0.00"),
         SlotImport::BadData, Kind::Error, ", line 3: the magnitude 770.0 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "  -300.5", "   0.00"), SlotImport::BadData, Kind::Error,
         ", line 3: the magnitude -300.5 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "  1e+400", "   0.00"), SlotImport::BadData, Kind::Error,
         ", line 3: the magnitude 1e+400 dB is beyond ±300 dB."},
        {clioA + l100 + line("  200.00", "   90.00", " 1e+400"), SlotImport::BadData, Kind::Error,
         ", line 3: the phase 1e+400 is out of range."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.shown.clear();
        EXPECT_EQ(ImportSecond(c.content), c.status);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].kind, c.kind);
        EXPECT_EQ(messages.shown[0].text, settings.MeasurementFiles[1] + c.message);
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
    EXPECT_EQ(ImportMeasurements(settings, curves, messages).slots[1], SlotImport::BadData);
    ExpectSecondRowCleared();
    ExpectOneError(", line 20: the line has no phase.");
}

TEST_F(BadMeasurementFile, FileThatCannotBeOpenedKeepsItsPath) {
    const std::string missing = dir.Missing("on-a-disconnected-drive.txt");
    settings.MeasurementFiles[1] = missing;
    EXPECT_EQ(Run(), SlotImport::Unreadable);
    EXPECT_EQ(settings.MeasurementFiles[1], missing);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MeasurementMessages::Kind::Error);
    EXPECT_EQ(messages.shown[0].text, "Unable to Open " + missing +
                                          " Measure File for Output 2. Look for the correct "
                                          "file to use the Measures.");
}

TEST_F(BadMeasurementFile, OnlyPlainFilesAreOpened) {
    const std::string fifo = dir.Missing("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A pipe nobody writes to would block the import for ever; a device never ends.
    for (const std::string& path : {dir.path().string(), fifo, std::string("/dev/zero")}) {
        messages.shown.clear();
        settings.MeasurementFiles[1] = path;
        EXPECT_EQ(Run(), SlotImport::Unreadable) << path;
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text.rfind("Unable to Open " + path, 0), 0u);
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
        ExpectOneError(" is not a measurement file: " + k.reason + ".");
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

TEST_F(BadMeasurementFile, BlankLinesBetweenAndAfterDataAreSkipped) {
    settings.MeasurementFiles[1] =
        dir.Write("second.txt", std::string(kClioA) + "  100.00\t   90.00\t    0.00\n\n"
                                                      " 1000.00\t   90.00\t    0.00\n\n  \n");
    EXPECT_EQ(ImportMeasurements(settings, curves, messages).slots[1], SlotImport::Imported);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 0.0f);
}

TEST_F(BadMeasurementFile, NonFiniteReferenceLevelFromAFileStillGivesFiniteCurves) {
    settings.ReferenceLevel = std::nan("");
    settings.MeasurementFiles[1] = dir.Write("second.txt", std::string(kClioA) + kGood.data());
    ImportMeasurements(settings, curves, messages);
    // Taken as the default 90 dB SPL.
    EXPECT_EQ(curves.SpeakerMagnitude[1][200], 0.0f);
}

} // namespace
} // namespace veld23
