#include "commands/FinalResponseSources.h"
#include "config/ConfigurationFile.h"
#include "config/ConfigurationJson.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "device/Encodings.h"
#include "editors/EditorSet.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <map>

// Opening a file and reading a memory with the real editors doing the update steps (each
// step's work and their order are tested with the editors, the file and the image): what
// is not stored comes back as it was designed, and Real Time sends what the memory holds.

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;

constexpr const char* kPath = "/shows/club.v23";

// The editor as the program starts it: every editor created, then two outputs.
struct Editor {
    Editor() : editors(config, sender) {
        sender.mode = false;
        editors.ChooseTopology(OutputTopology::TwoOutputs);
    }

    RecordingRealTimeSender sender;
    ProcessorConfiguration config;
    testing::RecordingFileMessages messages;
    EditorSet editors;
};

// A configuration edited the way a user edits one, in every editor whose state is designed
// again on loading rather than stored.
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
    ed.crossover.ToggleSolo(XoverSide::HighPass);      // the high-pass half alone fills both slots
    ed.crossover.ChooseFamily(XoverSide::HighPass, 3); // Bessel
    ed.crossover.OrderUp(XoverSide::HighPass);

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
    // The user has looked at every band, so each holds what its controls show.
    ed.equaliser.RefreshFromConfiguration();
}

// The image holds what is designed again (crossover, loudness and dynamics coefficients,
// gains, delay words); the fields show what neither file nor memory holds as text.
void ExpectLoadedAsEdited(const Editor& e, const Editor& source) {
    EXPECT_EQ(BuildDeviceImage(e.config), BuildDeviceImage(source.config));
    EXPECT_EQ(e.editors.levels.LevelText(1), source.editors.levels.LevelText(1));
    EXPECT_EQ(e.editors.delays.DistanceText(2), source.editors.delays.DistanceText(2));
    EXPECT_EQ(e.editors.loudness.GainText(), source.editors.loudness.GainText());
}

TEST(LoadingThroughTheEditors, ASavedFileOpensAsItWasEdited) {
    Editor source;
    EditEverything(source);
    Editor e;
    e.config.ResetToNew(e.editors.steps); // as the main window opens: a fresh configuration
    ASSERT_EQ(OpenConfigurationBytes(e.config, BuildConfigurationRecord(source.config, kPath),
                                     kPath, e.sender, e.editors.steps, e.messages),
              ConfigurationOpenResult::Opened);
    EXPECT_EQ(ConfigurationToJson(e.config), ConfigurationToJson(source.config));
    ExpectLoadedAsEdited(e, source);
}

TEST(LoadingThroughTheEditors, AMemoryReadInRealTimeModeSendsTheWordsItHolds) {
    Editor source;
    EditEverything(source);
    const DeviceImage written = BuildDeviceImage(source.config);
    Editor e;
    e.sender.mode = true; // as a security read leaves it
    ASSERT_TRUE(ApplyDeviceImage(e.config, written, e.sender, e.editors.steps));
    ExpectLoadedAsEdited(e, source);

    // Every coefficient slot, equaliser bands, crossover slots and the loudness section,
    // last gets the five words the image holds there.
    std::map<std::uint16_t, std::array<double, 5>> lastFive;
    for (const auto& call : e.sender.calls) {
        if (call.kind == RecordingRealTimeSender::Kind::Five) {
            lastFive[call.parameter] = call.values;
        }
    }
    for (std::uint16_t slot = 0; slot <= 100; slot += 5) {
        ASSERT_TRUE(lastFive.count(slot)) << slot;
        for (std::size_t k = 0; k < 5; ++k) {
            const std::size_t at = kProcessorBlock1Offset + 3 * (slot + k);
            EXPECT_EQ(EncodeCoef22(lastFive[slot][k]),
                      (Coef22Bytes{written[at], written[at + 1], written[at + 2]}))
                << "word " << slot + k;
        }
    }
}

// The final response takes each equaliser's and each crossover's curve for its own channel.
TEST(LoadingThroughTheEditors, TheFinalResponseTakesEachEditorsCurve) {
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
