#include "commands/FinalResponseSources.h"
#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/LittleEndianRecord.h"
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

// A configuration edited the way a user edits one, touching every stored field.
void EditEverything(Editor& e) {
    ProcessorConfiguration& c = e.config;
    EditorSet& ed = e.editors;
    c.SystemInformation.SystemName.Assign("Main PA");
    c.SystemInformation.ProjectName.Assign("Arena");
    c.SystemInformation.Engineer.Assign("Jos\xE9");
    c.SystemInformation.Comments.Assign("flown\r\nleft hang");
    c.ChannelLabels.In1.Assign("L in");
    c.ChannelLabels.Sub.Assign("Bass");
    ed.ChooseTopology(OutputTopology::ThreeOutputs);

    ed.equaliser.ChooseEqualiser(1);
    ed.equaliser.SelectBand(3);
    ed.equaliser.ChooseType(1); // Parametric Q Adap
    ed.equaliser.SetFrequencyText("1000");
    ed.equaliser.FrequencyEnter();
    ed.equaliser.SetGainText("-4.5");
    ed.equaliser.GainEnter();
    ed.equaliser.SetQText("3");
    ed.equaliser.QEnter();
    ed.equaliser.ChooseEqualiser(2);
    ed.equaliser.SelectBand(6);
    ed.equaliser.ChooseType(13); // IIR Coeff
    ed.equaliser.SetCoefficientText(0, "0.9");
    ed.equaliser.SetCoefficientText(3, "1.2");
    ed.equaliser.SetCoefficientText(4, "-0.4");
    ed.equaliser.CoefficientsLeave();
    ed.equaliser.SelectBand(2);
    ed.equaliser.ChooseType(3); // Shelv Low 6dB
    ed.equaliser.SetGainText("5");
    ed.equaliser.GainEnter();

    ed.crossover.ChooseOutput(1);
    ed.crossover.ChooseFamily(XoverSide::HighPass, 2); // L-Riley
    ed.crossover.SetFrequencyText(XoverSide::HighPass, "90");
    ed.crossover.FrequencyEnter(XoverSide::HighPass);
    ed.crossover.ChooseFamily(XoverSide::LowPass, 1); // ButtW
    ed.crossover.ChooseOutput(3);
    ed.crossover.ToggleSolo(XoverSide::LowPass);
    ed.crossover.ChooseFamily(XoverSide::LowPass, 3); // Bessel
    ed.crossover.OrderUp(XoverSide::LowPass);
    ed.crossover.SetFrequencyText(XoverSide::LowPass, "110");
    ed.crossover.FrequencyEnter(XoverSide::LowPass);

    ed.loudness.SetFrequencyPosition(20);
    ed.loudness.SetGainPosition(40);
    ed.loudness.ChooseHighPass();

    ed.levels.SetLevelPosition(1, 100);
    ed.levels.ToggleMute(2);
    ed.levels.TogglePolarity(3);

    ed.delays.SetTemperatureC(18);
    ed.delays.SetDelayPosition(1, 150);
    ed.delays.SetDelayPosition(3, 120);
    for (int i = 0; i < 12; ++i) {
        ed.delays.DistanceUp(2);
    }

    ed.dynamics.SelectRecord(2);
    ed.dynamics.ChooseCompressor();
    ed.dynamics.SetThresholdPosition(30);
    ed.dynamics.SetRatioPosition(5);
    ed.dynamics.SetKneePosition(8);
    ed.dynamics.SelectGateItem(3);
    ed.dynamics.SetTimeText(DynamicsTimeField::Attack, "60");
    ed.dynamics.TakeTime(DynamicsTimeField::Attack);
    ed.dynamics.SetTimeText(DynamicsTimeField::Release, "20");
    ed.dynamics.TakeTime(DynamicsTimeField::Release);
    ed.dynamics.SelectRecord(1);
    ed.dynamics.SetTimeText(DynamicsTimeField::LookAhead, "1");
    ed.dynamics.TakeTime(DynamicsTimeField::LookAhead);
    ed.dynamics.SetBypass(true);
    c.Dynamics[1].Zload = 4.0f;
    c.Dynamics[1].PowerMaxLoad = 800.0f;
    c.Dynamics[1].NumberSpeakers = 2;
    c.Dynamics[0].Balanceado = false;

    c.Routing.RouteCommand(e.sender); // 2 -> 0
    c.Routing.RouteCommand(e.sender); // 0 -> 1: IN 1 alone to the SUB
    c.FinalResponse.XOVERBox = false;
    c.MeasurementImport.ImportFileType = 9;
    c.MeasurementImport.ReferenceLevel = 96.5;
}

TEST(ConfigurationFileWithEditors, OpeningLeavesBothEqualisersWithSevenBands) {
    Editor source;
    source.editors.NewConfiguration(OutputTopology::TwoOutputs);
    ASSERT_EQ(source.config.Peq[0].UsedBands, 2);
    const ConfigurationRecord saved = source.Save();
    ConfigurationRecord copy = saved;
    EXPECT_EQ(LittleEndianRecord(copy).Int32(476), 2); // stored, but never read back

    Editor e;
    ASSERT_EQ(e.Open(saved), ConfigurationOpenResult::Opened);
    EXPECT_EQ(e.config.Peq[0].UsedBands, 7);
    EXPECT_EQ(e.config.Peq[1].UsedBands, 7);
    // Every band went through its controls: the start-up Q of 0.707 is shown, and kept,
    // as 0.7.
    EXPECT_EQ(e.config.Peq[1].bands[6].Q, 0.7);
    EXPECT_TRUE(e.messages.texts.empty());
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
    for (const TDYNAMIC& d : e.config.Dynamics) {
        EXPECT_EQ(d.GateIndex, 13.0f);
        EXPECT_EQ(d.Pendiente, 4.0f);
    }
    // The tables are designed with that gate: the lowest points are closed.
    EXPECT_EQ(e.config.Dynamics[0].Tabla[0], 0.0L);
    // Saving writes the full current record.
    EXPECT_EQ(e.Save().size(), 2228u);
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
    EXPECT_EQ(b.Routing.RouteState, 1);
    EXPECT_EQ(b.Routing.RouteC, 1.0);

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

// The final response takes each equaliser's curve for its own channel.
TEST(ConfigurationFileWithEditors, TheFinalResponseTakesEachEditorsCurve) {
    Editor e;
    e.editors.ChooseTopology(OutputTopology::ThreeOutputs);
    e.editors.equaliser.ChooseEqualiser(2);
    e.editors.equaliser.ChooseType(1); // Parametric Q Adap at 1 kHz
    e.editors.equaliser.SetGainText("6");
    e.editors.equaliser.GainEnter();
    e.config.FinalResponse = {false, true, false, false, false};
    const SpeakerCurves speakers;
    FinalResponseCurves curves;
    ComputeFinalResponse(e.config, FinalResponseSourcesOf(e.editors, speakers), 0,
                         ResponseView::Magnitude, curves);
    constexpr int k1kHz = 221; // 1005 Hz
    EXPECT_NEAR(curves.magnitudeDb[1][k1kHz], 6.0, 0.05);
    EXPECT_NEAR(curves.magnitudeDb[0][k1kHz], 0.0, 1e-6);
}

} // namespace
} // namespace veld23
