#include "commands/FinalResponseSources.h"
#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "dsp/PeqRules.h"
#include "editors/EditorSet.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Opening and saving with the real editors doing the update steps, as the application
// and veld23-tool wire them.

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

constexpr const char* kPath = "/shows/club.v23";

class Messages : public ConfigurationFileMessages {
  public:
    std::vector<std::string> texts;
    void ShowError(const std::string& text) override { texts.push_back(text); }
    void ShowWarning(const std::string& text) override { texts.push_back(text); }
};

// The editor as the program starts it: every editor created, then two outputs.
struct Editor {
    Editor() : editors(config, sender) {
        sender.mode = false;
        editors.ChooseTopology(OutputTopology::TwoOutputs);
    }

    // Open as the main window does: a fresh configuration, then the file.
    ConfigurationOpenResult Open(std::span<const std::uint8_t> bytes) {
        config.ResetToNew(editors.steps);
        return OpenConfigurationBytes(config, bytes, kPath, sender, editors.steps, messages);
    }

    ConfigurationRecord Save() const { return BuildConfigurationRecord(config, kPath); }

    RecordingRealTimeSender sender;
    ProcessorConfiguration config;
    Messages messages;
    EditorSet editors;
};

// A configuration edited the way a user edits one, in every editor whose state the file
// does not store but designs again on opening (the stored fields' round trip is the
// file's own).
void EditEverything(Editor& e) {
    EditorSet& ed = e.editors;
    ed.ChooseTopology(OutputTopology::ThreeOutputs);

    ed.equaliser.ChooseEqualiser(1);
    ed.equaliser.SelectBand(3);
    ed.equaliser.ChooseType(1); // Parametric Q Adap
    ed.equaliser.SetGainText("-4.5");
    ed.equaliser.GainEnter();
    ed.equaliser.ChooseEqualiser(2);
    ed.equaliser.SelectBand(6);
    ed.equaliser.ChooseType(13); // IIR Coeff
    ed.equaliser.SetCoefficientText(0, "0.9");
    ed.equaliser.SetCoefficientText(4, "-0.4");
    ed.equaliser.CoefficientsLeave();

    ed.crossover.ChooseOutput(1);
    ed.crossover.ChooseFamily(XoverSide::HighPass, 2); // L-Riley
    ed.crossover.ChooseOutput(3);
    ed.crossover.ToggleSolo(XoverSide::LowPass);
    ed.crossover.ChooseFamily(XoverSide::LowPass, 3); // Bessel
    ed.crossover.OrderUp(XoverSide::LowPass);

    ed.loudness.SetGainPosition(40);
    ed.loudness.ChooseHighPass();
    ed.levels.SetLevelPosition(1, 100);
    ed.levels.ToggleMute(2);
    ed.delays.SetTemperatureC(18);
    ed.delays.SetDelayPosition(3, 120);
    for (int i = 0; i < 12; ++i) {
        ed.delays.DistanceUp(2);
    }
    ed.dynamics.SelectRecord(2);
    ed.dynamics.ChooseCompressor();
    ed.dynamics.SetThresholdPosition(30);
    ed.dynamics.SetKneePosition(8);
    // A route chosen with the button: the three-output start's mix is not one of its states.
    e.config.Routing.RouteCommand(e.sender); // 2 -> 0
    e.config.Routing.RouteCommand(e.sender); // 0 -> 1: IN 1 alone to the SUB
}

TEST(ConfigurationFileWithEditors, ResetAndOpenReachTheApplicationThroughItsHooks) {
    RecordingRealTimeSender sender;
    sender.mode = false;
    ProcessorConfiguration config;
    std::vector<std::string> calls;
    EditorSet editors(config, sender,
                      {[&] { calls.push_back("close"); },
                       [&] {
                           calls.push_back("realtime off");
                           sender.mode = false;
                       },
                       [&](ProcessorConfiguration& c) {
                           calls.push_back("import " + c.MeasurementImport.MeasurementFiles[0]);
                       }});
    sender.mode = true; // switched off by the reset before anything could be sent
    config.ResetToNew(editors.steps);
    EXPECT_EQ(calls, (std::vector<std::string>{"close", "realtime off", "import "}));
    EXPECT_TRUE(sender.calls.empty());

    ProcessorConfiguration source;
    source.MeasurementImport.MeasurementFiles[0] = "/m/left.txt";
    calls.clear();
    Messages messages;
    ASSERT_EQ(OpenConfigurationBytes(config, BuildConfigurationRecord(source, kPath), kPath, sender,
                                     editors.steps, messages),
              ConfigurationOpenResult::Opened);
    EXPECT_EQ(calls, std::vector<std::string>{"import /m/left.txt"});
}

TEST(ConfigurationFileWithEditors, ReadingAMemoryForgetsWhatTheSoloButtonsHeld) {
    // Solo L on OUT 1 holds the low-pass half's Butterworth at "ByPass".
    Editor e;
    e.editors.crossover.ChooseOutput(1);
    e.editors.crossover.ChooseFamily(XoverSide::LowPass, 1);
    e.editors.crossover.ToggleSolo(XoverSide::HighPass);
    ASSERT_EQ(e.config.Crossovers[0].LowPass.Family, kXoverBypass);

    // A memory whose OUT 1 uses its high-pass half alone, its low-pass half unused.
    Editor other;
    other.editors.crossover.ChooseOutput(1);
    other.editors.crossover.ToggleSolo(XoverSide::HighPass);
    const Result<> read =
        ApplyDeviceImage(e.config, BuildDeviceImage(other.config), e.sender, e.editors.steps);
    ASSERT_TRUE(read) << read.Message();

    // Solo off gives back the memory's own low-pass family, not the earlier one.
    e.editors.crossover.ChooseOutput(1);
    e.editors.crossover.ToggleSolo(XoverSide::HighPass);
    EXPECT_EQ(e.config.Crossovers[0].LowPass.Family, kXoverBypass);
}

TEST(ConfigurationFileWithEditors, OlderFileRedesignsItsBandsFromTheirParameters) {
    Editor source;
    source.editors.equaliser.SelectBand(1);
    source.editors.equaliser.ChooseType(1);
    source.editors.equaliser.SetGainText("6");
    source.editors.equaliser.GainEnter();
    const TSOS designed = source.config.Peq[0].bands[0];
    ASSERT_NE(designed.b1, 0.0L);
    const ConfigurationRecord saved = source.Save();

    Editor e;
    ASSERT_EQ(e.Open(std::span(saved).first(1512)), ConfigurationOpenResult::OpenedOlderVersion);
    ASSERT_EQ(e.messages.texts.size(), 1u);
    const TSOS& band = e.config.Peq[0].bands[0];
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(band.GetCoefficient(k), designed.GetCoefficient(k)) << k;
    }
    // The tables are designed with the older files' gate: the lowest points are closed.
    EXPECT_EQ(e.config.Dynamics[0].Tabla[0], 0.0L);
}

TEST(ConfigurationFileWithEditors, EveryRestoredFieldSurvivesSaveAndOpen) {
    Editor source;
    EditEverything(source);
    // The user has looked at every band, so each holds what its controls show.
    source.editors.equaliser.RefreshFromConfiguration();
    const ConfigurationRecord saved = source.Save();

    Editor e;
    ASSERT_EQ(e.Open(saved), ConfigurationOpenResult::Opened);
    const ProcessorConfiguration& a = source.config;
    const ProcessorConfiguration& b = e.config;

    // Every stored field.
    EXPECT_EQ(ConfigurationToJson(b), ConfigurationToJson(a));

    EXPECT_EQ(b.Topology, OutputTopology::ThreeOutputs);

    // What the file does not store is designed again to the same result.
    for (int o = 0; o < 3; ++o) {
        for (int s = 0; s < 3; ++s) {
            for (int k = 0; k < 5; ++k) {
                EXPECT_EQ(b.Crossovers[o].HighPass.Sections[s].GetCoefficient(k),
                          a.Crossovers[o].HighPass.Sections[s].GetCoefficient(k));
                EXPECT_EQ(b.Crossovers[o].LowPass.Sections[s].GetCoefficient(k),
                          a.Crossovers[o].LowPass.Sections[s].GetCoefficient(k));
            }
        }
        EXPECT_EQ(b.Levels[o].OutputOnFactor, a.Levels[o].OutputOnFactor);
        EXPECT_EQ(b.Delays[o].DelayPosition, a.Delays[o].DelayPosition);
    }
    EXPECT_EQ(b.Loudness[0].b1, a.Loudness[0].b1);
    EXPECT_EQ(b.Dynamics[1].Tabla, a.Dynamics[1].Tabla);
    EXPECT_EQ(b.Peq[1].bands[5].b0, QuantiseEnteredCoefficient(0.9));
    EXPECT_EQ(e.editors.delays.DistanceText(2), source.editors.delays.DistanceText(2));
    EXPECT_EQ(BuildDeviceImage(b), BuildDeviceImage(a));
}

// The final response takes each equaliser's and each crossover's curve for its own channel.
TEST(ConfigurationFileWithEditors, TheFinalResponseTakesEachEditorsCurve) {
    Editor e;
    e.editors.ChooseTopology(OutputTopology::ThreeOutputs);
    e.editors.equaliser.ChooseEqualiser(2);
    e.editors.equaliser.ChooseType(1); // Parametric Q Adap at 1 kHz
    e.editors.equaliser.SetGainText("6");
    e.editors.equaliser.GainEnter();
    e.editors.crossover.ChooseOutput(2);
    e.editors.crossover.ChooseFamily(XoverSide::HighPass, 1); // ButtW
    e.editors.crossover.SetFrequencyText(XoverSide::HighPass, "1000");
    e.editors.crossover.FrequencyEnter(XoverSide::HighPass);
    const SpeakerCurves speakers;
    FinalResponseCurves curves;
    // Grid points: 20 Hz x 1.017883^k.
    constexpr int k100Hz = 91;                                   // 100.3 Hz
    constexpr int k1kHz = 221;                                   // 1005 Hz
    constexpr int k10kHz = 351;                                  // 10070 Hz
    e.config.FinalResponse = {false, true, false, false, false}; // the equalisers alone
    ComputeFinalResponse(e.config, FinalResponseSourcesOf(e.editors, speakers), 0,
                         ResponseView::Magnitude, curves);
    EXPECT_NEAR(curves.magnitudeDb[1][k1kHz], 6.0, 0.05);
    EXPECT_NEAR(curves.magnitudeDb[0][k1kHz], 0.0, 1e-6);
    e.config.FinalResponse = {false, false, true, false, false}; // the crossovers alone
    ComputeFinalResponse(e.config, FinalResponseSourcesOf(e.editors, speakers), 0,
                         ResponseView::Magnitude, curves);
    EXPECT_LT(curves.magnitudeDb[1][k100Hz], -20.0); // a decade below the high-pass
    EXPECT_GT(curves.magnitudeDb[1][k10kHz], -0.1);
}

} // namespace
} // namespace veld23
