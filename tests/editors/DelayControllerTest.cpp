#include "editors/DelayController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veld23 {
namespace {

using testing::RecordingRealTimeSender;
using Kind = RecordingRealTimeSender::Kind;

struct Delays {
    std::array<OutputDelay, 3> records{};
    std::int32_t temperature = 25;
    std::int32_t lookAhead = 0;
    bool two = false;
    RecordingRealTimeSender sender;
    DelayController controller{{records, temperature, lookAhead, [this] { return two; }}, sender};

    explicit Delays(bool twoOutputs) {
        two = twoOutputs;
        sender.mode = false;
        controller.ResetToNew();
        sender.mode = true;
    }

    void DistanceUps(int output, int times) {
        for (int i = 0; i < times; ++i) {
            controller.DistanceUp(output);
        }
    }
    std::vector<std::pair<std::uint16_t, int>> Integers() const {
        std::vector<std::pair<std::uint16_t, int>> sent;
        for (const RecordingRealTimeSender::Call& call : sender.calls) {
            EXPECT_EQ(call.kind, Kind::Integer);
            sent.emplace_back(call.parameter, static_cast<int>(call.values[0]));
        }
        return sent;
    }
};

using Sent = std::vector<std::pair<std::uint16_t, int>>;
struct ThreeOutputs : Delays, ::testing::Test {
    ThreeOutputs() : Delays(false) {}
};

// The positions and words are the delay record's; here the texts, the keys and the sends.
TEST_F(ThreeOutputs, ShownDelayKeysAndSendsPerTopology) {
    EXPECT_EQ(controller.DelayMsText(3), "0.00");
    controller.SetDelayPosition(3, 0);
    EXPECT_EQ(controller.DelayMsText(3), "2.98"); // 143 samples at 48 kHz
    controller.SetDelayPosition(2, 0);
    EXPECT_EQ(controller.DelayMsText(2), "3.42"); // 164 samples
    EXPECT_EQ(controller.DelayCmText(2), "118.3");
    EXPECT_EQ(Integers(), (Sent{{184, 164}, {183, 164}}));

    // The keys stop at zero delay without sending.
    Delays two(true);
    two.controller.DelayFieldDown(1);
    EXPECT_TRUE(two.sender.calls.empty());
    two.controller.DelayFieldUp(1);
    EXPECT_EQ(two.controller.DisplaySamples(1), 1);
    two.controller.DelayFieldDown(1);
    EXPECT_EQ(two.Integers(), (Sent{{182, 2}, {182, 1}}));
}

// Centimetres follow the temperature (c = 331.4 m/s at 0 C), the words do not; typed
// temperatures are held to 0..50 C.
TEST_F(ThreeOutputs, TemperatureChangesCentimetresNotWords) {
    controller.SetDelayPosition(2, 0);
    sender.calls.clear();
    controller.SetTemperatureC(0);
    EXPECT_EQ(controller.DelayCmText(2), "113.2");
    EXPECT_EQ(controller.TemperatureF(), 32);
    // Every output is re-run, so Real Time mode sends the unchanged words again.
    EXPECT_EQ(Integers(), (Sent{{182, 0}, {183, 164}, {184, 21}}));
    controller.SetTemperatureF(-40);
    EXPECT_EQ(controller.TemperatureC(), 0);

    const struct {
        bool fahrenheit;
        const char* text;
        std::int32_t celsius;
    } typed[] = {{false, "70", 50},
                 {false, "warm", 50},
                 {true, "99999999999999999999", 50},
                 {true, "100", 38}};
    for (const auto& t : typed) {
        if (t.fahrenheit) {
            controller.EnterTemperatureF(t.text);
        } else {
            controller.EnterTemperatureC(t.text);
        }
        EXPECT_EQ(controller.TemperatureC(), t.celsius) << t.text;
    }
}

TEST_F(ThreeOutputs, DistanceKeysGiveAlignmentDelays) {
    DistanceUps(2, 48);
    EXPECT_EQ(controller.DistanceText(2), "34.6");
    EXPECT_EQ(controller.DistancePictureLength(2), 15); // 48 x 50 / 165

    // The smallest alignment delay is always 0: moving OUT 1 past OUT 2 shifts both.
    DistanceUps(1, 50);
    DistanceUps(3, 2);
    EXPECT_EQ(controller.DistanceText(3), "1.4");
    EXPECT_EQ(controller.AlignmentDelay(1), 48);
    EXPECT_EQ(controller.AlignmentDelay(2), 46);
    EXPECT_EQ(controller.AlignmentDelay(3), 0);

    // Up stops at 141 samples for the third output and at 164 for the others; a key
    // that stops leaves the delays normalised and sends nothing.
    DistanceUps(3, 200);
    EXPECT_EQ(controller.DistanceText(3), "101.7");
    EXPECT_EQ(controller.AlignmentDelay(3), 141 - 48);
    DistanceUps(2, 200);
    EXPECT_EQ(controller.DistanceText(2), "118.3");
    const std::size_t sent = sender.calls.size();
    controller.DistanceUp(2);
    controller.DistanceUp(3);
    EXPECT_EQ(sender.calls.size(), sent);
    EXPECT_EQ(controller.AlignmentDelay(1), 0);
    EXPECT_EQ(controller.AlignmentDelay(2), 164 - 50);
    EXPECT_EQ(controller.AlignmentDelay(3), 141 - 50);
}

TEST_F(ThreeOutputs, TypedDistancesAreHeldToWhatTheKeysReach) {
    // 34.6 cm at 346.3 m/s is 47.96 samples: 48, as 48 Up keys give.
    controller.EnterDistance(2, "34.6");
    EXPECT_EQ(controller.DistanceText(2), "34.6");
    EXPECT_EQ(controller.AlignmentDelay(2), 48);
    // 500 cm is held to 200 cm (277 samples), and no further than the keys reach:
    // 164 samples, 118.3 cm.
    controller.EnterDistance(1, "500");
    EXPECT_EQ(controller.DistanceText(1), "118.3");
    EXPECT_EQ(controller.AlignmentDelay(1), 164);
    controller.EnterDistance(1, "far");
    EXPECT_EQ(controller.DistanceText(1), "118.3");
}

TEST(DelayController, AutoAlignBringsTheThirdOutputToItsAlignmentInBothTopologies) {
    // Alignment delays of OUT 1, OUT 2 and the third output, the look-ahead, and the
    // samples each output then shows.
    const struct {
        bool two;
        std::int32_t a, b, t, x;
        std::int32_t shown1, shown2, shown3;
    } cases[] = {
        {false, 0, 20, 40, 0, 0, 20, 40},   {false, 0, 20, 40, 4, 0, 20, 44},
        {false, 10, 30, 0, 4, 6, 26, 0},    {false, 12, 12, 30, 20, 0, 0, 38},
        {false, 12, 12, 30, 5, 7, 7, 30},   {false, 30, 10, 40, 10, 20, 0, 50},
        {false, 10, 30, 40, 10, 0, 20, 50}, {true, 0, 0, 40, 6, 0, 0, 46},
        {true, 10, 30, 50, 4, 6, 26, 50},
    };
    for (const auto& c : cases) {
        Delays d(c.two);
        d.records[0].AlignmentDelay = c.a;
        d.records[1].AlignmentDelay = c.b;
        d.records[2].AlignmentDelay = c.t;
        d.lookAhead = c.x;
        d.controller.AutoAlign();
        EXPECT_EQ(std::tuple(d.controller.DisplaySamples(1), d.controller.DisplaySamples(2),
                             d.controller.DisplaySamples(3)),
                  std::tuple(c.shown1, c.shown2, c.shown3))
            << &c - cases;
    }
}

TEST_F(ThreeOutputs, DistancePictureOfTheThirdOutputCountsTheLookAhead) {
    records[2].AlignmentDelay = 40;
    lookAhead = 8;
    // At zero delay s is -2 for the SUB: (40 + 2 + 8) x 50 / 165.
    EXPECT_EQ(controller.DistancePictureLength(3), 15);
    // Aligned, the SUB shows 48 samples; the arrow counts s (46), not what is shown.
    controller.AutoAlign();
    EXPECT_EQ(controller.DisplaySamples(3), 48);
    EXPECT_EQ(controller.DistancePictureLength(3), 1);
    EXPECT_EQ(controller.DistancePictureLength(0), 0);
    EXPECT_EQ(controller.DistancePictureLength(4), 0);
}

TEST(DelayController, LifecycleStepsAndActivation) {
    Delays two(true);
    two.controller.SetDelayPosition(2, 10);
    two.controller.DistanceUp(3);
    two.controller.SetTemperatureC(10);
    two.two = false; // the topology chooser applied three outputs
    two.sender.calls.clear();
    two.controller.CreationStep();
    EXPECT_TRUE(two.sender.calls.empty());
    EXPECT_EQ(two.controller.DisplaySamples(2), 0);
    EXPECT_EQ(two.controller.DelayPosition(3), 143);
    EXPECT_EQ(two.controller.TemperatureC(), 25);
    EXPECT_EQ(two.controller.AlignmentDelay(3), 1); // kept until New
    two.controller.ResetToNew();
    EXPECT_EQ(two.controller.AlignmentDelay(3), 0);
    EXPECT_EQ(two.controller.DistanceText(3), "0.0");

    two.controller.Activate();
    EXPECT_EQ(two.Integers(), (Sent{{182, 0}, {183, 0}, {184, 21}}));

    // Loaded alignment delays give the distance fields at the stored temperature.
    two.records[1].AlignmentDelay = 48;
    two.controller.DistancesFromAlignment();
    EXPECT_EQ(two.controller.DistanceText(2), "34.6");
    EXPECT_EQ(two.controller.DistanceText(1), "0.0");
}

} // namespace
} // namespace veld23
