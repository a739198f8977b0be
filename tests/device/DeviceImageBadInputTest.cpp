#include "DeviceImageTestSupport.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using namespace testing;

constexpr std::size_t P = kPanelBlockOffset;

// Within the editors' ranges whatever a panel byte holds; the holds of the dynamics
// fields themselves belong to the dynamics record.
TEST(DeviceImageBadInput, EveryPanelCodeAtEitherExtreme) {
    ProcessorConfiguration source;
    MakeNew(source, OutputTopology::ThreeOutputs);
    const DeviceImage valid = BuildDeviceImage(source);
    ProcessorConfiguration config;
    MakeNew(config);
    for (std::size_t at = P; at < kPanelCopy2Offset; ++at) {
        for (const int value : {0, 255}) {
            DeviceImage image = valid;
            image[at] = static_cast<std::uint8_t>(value);
            ASSERT_TRUE(Apply(config, image)) << at;
            ExpectWithinEditorRanges(config);
            // Held values read back as themselves.
            const DeviceImage held = BuildDeviceImage(config);
            ASSERT_TRUE(Apply(config, held));
            EXPECT_EQ(BuildDeviceImage(config), held);
            if (HasFailure()) {
                ADD_FAILURE() << "offset " << at << " = " << value;
                return;
            }
        }
    }
}

TEST(DeviceImageBadInput, ExtremeCodesAreHeldToTheEditorsRanges) {
    ProcessorConfiguration config;
    MakeNew(config, OutputTopology::ThreeOutputs);
    config.Peq[0].Band(1).SectionType = kStopBand;
    DeviceImage image = BuildDeviceImage(config);
    image[P + 0] = 200;              // no such filter code: the band keeps its type
    image[P + 1] = image[P + 2] = 0; // 0 Hz
    image[P + 3] = image[P + 4] = 0; // gain code 0: +12.3 dB
    image[P + 5] = 255;              // Q -5.5
    image[P + 84] = 99;              // output 1: no such family
    image[P + 85] = image[P + 86] = 0xFF;
    image[P + 87] = 9; // order 9
    image[P + 88] = 5; // both solo flags set
    image[P + 89] = kLinkwitzRileyHighPass;
    image[P + 90] = image[P + 91] = 0;
    image[P + 92] = 7;
    image[P + 93] = 1;
    image[P + 94] = kSectionsHighPass;      // output 2: a high-pass family for the low-pass
    image[P + 99] = kBesselLowPass;         // and a low-pass family for the high-pass
    image[P + 116] = 5;                     // a type the loudness window does not offer
    image[P + 117] = image[P + 118] = 0xFF; // level position 65535
    image[P + 132] = 255;                   // 255 degrees Celsius
    ASSERT_TRUE(Apply(config, image));

    const PeqBand& band = config.Peq[0].Band(1);
    EXPECT_EQ(band.SectionType, kStopBand);
    EXPECT_EQ(band.Frequency, 10.0);
    EXPECT_EQ(band.GainDb, 12.0);
    EXPECT_EQ(band.Q, 1.0); // the StopBand floor above the Q field's 0.5
    const TXOVER& x = config.Crossovers[0];
    EXPECT_TRUE(config.CrossoverSolos[0].HighPassAux);
    EXPECT_FALSE(config.CrossoverSolos[0].LowPassAux);
    EXPECT_EQ(x.LowPass.Family, kXoverBypass);
    EXPECT_EQ(x.LowPass.Frequency, 20000.0);
    EXPECT_EQ(x.LowPass.Order, 2);
    EXPECT_EQ(x.HighPass.Family, kLinkwitzRileyHighPass);
    EXPECT_EQ(x.HighPass.Frequency, 20.0);
    EXPECT_EQ(x.HighPass.Order, 4);
    // Where each half's own family list puts them; the list has no entry for the first.
    EXPECT_EQ(config.Crossovers[1].LowPass.Family, kXoverBypass);
    EXPECT_EQ(config.Crossovers[1].HighPass.Family, kLinkwitzRileyHighPass);
    EXPECT_EQ(config.Loudness[0].SectionType, kParametricQAdap);
    EXPECT_EQ(config.Levels[0].LevelPosition, 361);
    EXPECT_EQ(config.DelayTemperature, 50);
}

} // namespace
} // namespace veld23
