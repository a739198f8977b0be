#include "DeviceImageTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using namespace testing;

constexpr std::size_t P = kPanelBlockOffset;

// After any accepted image: the model within the editors' ranges, an image of the
// fixed layout, and that image read back giving itself again (so the blocks and the
// panel sit where a reader looks for them).
void ExpectWholeAfterApply(ProcessorConfiguration& config, const std::string& what) {
    SCOPED_TRACE(what);
    ExpectWithinEditorRanges(config);
    const DeviceImage image = BuildDeviceImage(config);
    static_assert(sizeof(image) == 2047);
    for (std::size_t at = kImageFillerOffset; at < kDeviceImageSize; ++at) {
        ASSERT_EQ(image[at], 13);
    }
    ASSERT_EQ(image[0], 0x07);
    ASSERT_EQ(image[1], 0xFE);
    ASSERT_EQ(image[P + 169], config.Routing.RouteState);
    ASSERT_EQ(image[kPanelCopy2Offset + 169], 0);
    ASSERT_TRUE(Apply(config, Bytes(image)));
    ASSERT_EQ(BuildDeviceImage(config), image);
}

TEST(DeviceImageBadInput, EveryPanelCodeAtEitherExtreme) {
    ProcessorConfiguration source;
    MakeNew(source, OutputTopology::ThreeOutputs);
    const std::vector<std::uint8_t> valid = Bytes(BuildDeviceImage(source));
    ProcessorConfiguration config;
    MakeNew(config);
    for (std::size_t at = P; at < kPanelCopy2Offset; ++at) {
        for (const int value : {0, 255}) {
            std::vector<std::uint8_t> image = valid;
            image[at] = static_cast<std::uint8_t>(value);
            ASSERT_TRUE(Apply(config, image)) << at;
            ExpectWithinEditorRanges(config);
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
    std::vector<std::uint8_t> image = Bytes(BuildDeviceImage(config));
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
    image[P + 114] = image[P + 115] = 255;  // loudness below its sliders
    image[P + 116] = 5;                     // a type the loudness window does not offer
    image[P + 117] = image[P + 118] = 0xFF; // level position 65535
    image[P + 132] = 255;                   // 255 degrees Celsius
    image[P + 133] = 250;                   // threshold far below the slider
    image[P + 134] = 10;                    // ratio 0
    image[P + 135] = 255;                   // knee -117.5
    image[P + 136] = 7;                     // any non-zero type is the compressor
    image[P + 138] = 0;                     // attack 0 dB/s
    image[P + 139] = image[P + 140] = 255;  // look-ahead and hold of 255 ms
    image[P + 141] = 0;                     // release 0 dB/s
    image[P + 151] = image[P + 152] = 0;    // 0 ohms
    image[P + 153] = image[P + 154] = 0;    // 0 W
    image[P + 155] = image[P + 156] = 0xFF; // 65535 W
    image[P + 157] = 0;                     // amplifier gain 0
    image[P + 173] = 200;                   // gate index beyond the table
    image[P + 175] = 0;                     // gate ramp 0
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
    EXPECT_EQ(x.HighPass.SectionCount, 2);
    // Where each half's own family list puts them; the list has no entry for the first.
    EXPECT_EQ(config.Crossovers[1].LowPass.Family, kXoverBypass);
    EXPECT_EQ(config.Crossovers[1].HighPass.Family, kLinkwitzRileyHighPass);
    EXPECT_EQ(config.Loudness[0].Frequency, 29.0);
    EXPECT_EQ(config.Loudness[0].GainDb, 0.0);
    EXPECT_EQ(config.Loudness[0].SectionType, kParametricQAdap);
    EXPECT_EQ(config.Levels[0].LevelPosition, 361);
    EXPECT_EQ(config.DelayTemperature, 50);
    const TDYNAMIC& d = config.Dynamics[0];
    EXPECT_EQ(d.Umbral, -56.0f); // the slider's bottom, 101 half-dB steps below -5.5
    EXPECT_EQ(d.Ratio, 1.0f);
    EXPECT_EQ(d.Knee, -0.5f);
    EXPECT_EQ(d.Tipo, dynamics::kCompressor);
    EXPECT_NEAR(d.AttackRate(), 5.0, 1e-9);
    EXPECT_EQ(d.LookAheadSamples, 96);
    EXPECT_EQ(d.HoldSamples, 3840);
    EXPECT_EQ(d.DecayCode, 7);
    EXPECT_EQ(d.Zload, 2.0f);
    EXPECT_EQ(d.PowerMaxLoad, 5.0f);
    EXPECT_EQ(d.PowerAmpMax, 4000.0f);
    EXPECT_EQ(d.AmpGain, 5.0f);
    EXPECT_EQ(d.GateIndex, 33.0f);
    EXPECT_EQ(d.Pendiente, 1.0f);
    ExpectWholeAfterApply(config, "extreme codes");
}

} // namespace
} // namespace veld23
