#include "DeviceImageTestSupport.h"

#include "dsp/Crossover.h"
#include "dsp/LoudnessSection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veld23 {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t P = kPanelBlockOffset;
constexpr std::size_t P2 = kPanelCopy2Offset;

const Coef22Bytes kOne{0x10, 0x00, 0x00};
const Coef22Bytes kZero{};
const TSOS kFlat; // b0 = 1, the other four 0

Bytes BytesAt(const DeviceImage& image, std::size_t at, std::size_t n) {
    return {image.begin() + static_cast<std::ptrdiff_t>(at),
            image.begin() + static_cast<std::ptrdiff_t>(at + n)};
}

void ExpectSectionAt(const DeviceImage& image, int block, std::size_t word, const TSOS& s) {
    for (const long double v : {s.b0, s.b1, s.b2, s.a1, s.a2}) {
        EXPECT_EQ(WordAt(image, block, word), EncodeCoef22(v)) << "word " << word;
        ++word;
    }
}

TEST(DeviceImage, HeaderTopologyFlagAndRoutingWords) {
    ProcessorConfiguration config;
    MakeNew(config);
    const std::string blanks(12, ' ');
    const std::string header = std::string("\x07\xFE\x68\x00\x01\x01\x01\x01\x01\x01\x01\x01", 12) +
                               "NoName" + std::string(34, ' ') + "In1   In2   Out1  Out2  " +
                               blanks + "SUB   " + blanks.substr(0, 6);
    EXPECT_EQ(BytesAt(BuildDeviceImage(config), 0, 100), Bytes(header.begin(), header.end()));

    const Coef22Bytes half{0x08, 0x00, 0x00};
    const struct {
        OutputTopology topology;
        std::uint8_t flag;
        Coef22Bytes words[4]; // 187 to 190
    } cases[] = {{OutputTopology::TwoOutputs, 1, {kZero, kOne, kZero, kOne}},
                 {OutputTopology::ThreeOutputs, 0, {kZero, kZero, half, half}}};
    for (const auto& k : cases) {
        MakeNew(config, k.topology);
        const DeviceImage image = BuildDeviceImage(config);
        EXPECT_EQ(image[4], k.flag);
        for (int block : {1, 2}) {
            for (std::size_t w = 0; w < 4; ++w) {
                EXPECT_EQ(WordAt(image, block, 187 + w), k.words[w]) << block << " " << 187 + w;
            }
        }
    }
}

TEST(DeviceImage, FixedWordsFlatBandsAndFiller) {
    ProcessorConfiguration config;
    MakeNew(config);
    // An edited band goes into block 1 only; block 2 keeps its flat equalisers.
    PeqBand& band = config.Peq[0].Band(3);
    SetBand(band, kParametricQAdap, 1000.0, 6.0, 2.0);
    PeqBand& last = config.Peq[1].Band(7);
    SetBand(last, kLowPassQ, 8000.0, 0.0, 0.7);
    const DeviceImage image = BuildDeviceImage(config);

    ExpectSectionAt(image, 1, 0, kFlat);
    ExpectSectionAt(image, 1, 10, band);
    ExpectSectionAt(image, 1, 65, last);
    for (std::size_t word = 0; word < 70; word += 5) {
        ExpectSectionAt(image, 2, word, kFlat);
    }
    for (int block : {1, 2}) {
        ExpectSectionAt(image, block, 105, kFlat);
        EXPECT_EQ(WordAt(image, block, 180), (Coef22Bytes{0x00, 0x02, 0x21}));
        EXPECT_EQ(WordAt(image, block, 185), kZero);
        EXPECT_EQ(WordAt(image, block, 186), (Coef22Bytes{0x01, 0xCD, 0x98}));
        for (std::size_t word = 195; word < 255; ++word) {
            EXPECT_EQ(WordAt(image, block, word), kZero) << word;
        }
    }
    for (std::size_t at = kImageFillerOffset; at < kDeviceImageSize; ++at) {
        EXPECT_EQ(image[at], 13) << at;
    }
}

TEST(DeviceImage, PanelCodesOfEqualiserBandsInBothCopies) {
    ProcessorConfiguration config;
    MakeNew(config);
    SetBand(config.Peq[0].Band(1), kParametricQAdap, 1000.0, 0.0, 0.7);
    SetBand(config.Peq[1].Band(2), kParametricQConst, 20000.0, -15.0, 20.0);
    SetBand(config.Peq[1].Band(3), kShelvLow6dB, 1000.0, 6.0, 0.5);
    const DeviceImage image = BuildDeviceImage(config);

    for (std::size_t copy : {kPanelBlockOffset, kPanelCopy2Offset}) {
        EXPECT_EQ(BytesAt(image, copy + 0, 6), (Bytes{0x01, 0x03, 0xE8, 0x00, 0x7B, 0xC1}));
        // Type 13 is device code 2; -15 dB is code 273, Q 20 code 0.
        EXPECT_EQ(BytesAt(image, copy + 48, 6), (Bytes{0x02, 0x4E, 0x20, 0x01, 0x11, 0x00}));
        // Type 2 is code 3; +6 dB code 63, Q 0.5 code 195.
        EXPECT_EQ(BytesAt(image, copy + 54, 6), (Bytes{0x03, 0x03, 0xE8, 0x00, 63, 195}));
    }
}

TEST(DeviceImage, PanelCodesOfOutputsLoudnessDynamicsAndRouting) {
    ProcessorConfiguration config;
    MakeNew(config, OutputTopology::ThreeOutputs);
    config.Levels[1].LevelPosition = 200;
    config.Levels[1].OutputMuted = true;
    config.Levels[1].OutputInverted = true;
    config.Levels[1].RestoreFromPosition();
    config.Delays[0].ApplyPosition(100, OutputDelay::Layout(1, false));
    config.DelayTemperature = 30;
    config.Delays[0].AlignmentDelay = 300; // only its low byte fits
    config.Routing.SelectRoute(2);
    config.Loudness[0].SectionType = kHiPassQ;
    config.Loudness[0].Frequency = 40.0;
    config.Loudness[0].GainDb = 7.5;
    DesignLoudness(config.Loudness[0]);
    const DeviceImage image = BuildDeviceImage(config);

    EXPECT_EQ(BytesAt(image, P + 117, 12),
              (Bytes{0, 61, 0, 0, 0, 200, 1, 1, 0, 61, 0, 0}));    // positions and switches
    EXPECT_EQ(BytesAt(image, P + 129, 4), (Bytes{64, 0, 21, 30})); // 164 - position, temperature
    // Record 1 at start-up: -6 dBFS with 6 dB offset is code 1, ratio 2 code 8, knee 4 code
    // 12, limiter, not bypassed, 140 dB/s, no look-ahead, 40 ms, 5 dB/s. Record 2's -5 dBFS
    // lies above its slider and is written as the slider's top.
    EXPECT_EQ(BytesAt(image, P + 133, 18),
              (Bytes{1, 8, 12, 0, 0, 140, 0, 40, 5, 0, 8, 12, 0, 0, 140, 0, 40, 5}));
    const Bytes speaker{0x03, 0x20, 0x01, 0x90, 0x02, 0x58, 41, 1};
    EXPECT_EQ(BytesAt(image, P + 151, 8), speaker);
    EXPECT_EQ(BytesAt(image, P + 159, 8), speaker);
    // Loudness 80 - 40 Hz, 120 - 10 x 7.5 dB; each copy holds its own section's type
    // (section 2 is still the parametric one).
    EXPECT_EQ(BytesAt(image, P + 114, 3), (Bytes{40, 45, 12}));
    EXPECT_EQ(BytesAt(image, P2 + 114, 3), (Bytes{40, 45, 1}));
    ExpectSectionAt(image, 1, 100, config.Loudness[0]);
    ExpectSectionAt(image, 2, 100, config.Loudness[1]);
    EXPECT_EQ(BytesAt(image, P + 167, 10), (Bytes{0, 10, 2, 44, 0, 0, 1, 1, 4, 4}));
    EXPECT_EQ(BytesAt(image, P2 + 167, 3), (Bytes{0, 10, 0}));

    EXPECT_EQ(WordAt(image, 1, 181), kZero);
    EXPECT_EQ(WordAt(image, 1, 182), (Coef22Bytes{0, 0, 64}));
    EXPECT_EQ(WordAt(image, 1, 184), (Coef22Bytes{0, 0, 21})); // the SUB's fixed 21 samples
    EXPECT_EQ(WordAt(image, 2, 191), (Coef22Bytes{0x00, 0x07, 0x80}));
    EXPECT_EQ(WordAt(image, 2, 194), (Coef22Bytes{0x00, 0x00, 0x24}));
    EXPECT_EQ(WordAt(image, 1, 255), kOne);
    EXPECT_EQ(WordAt(image, 1, 256), kZero); // muted
    EXPECT_EQ(WordAt(image, 1, 110), kZero); // the gate closes the -96 dBFS point
    EXPECT_EQ(WordAt(image, 1, 111), kOne);
    EXPECT_EQ(WordAt(image, 1, 143), (Coef22Bytes{0x00, 0x02, 0xBF})); // 0.000671362
}

TEST(DeviceImage, CrossoverSlotsFollowTheOrders) {
    ProcessorConfiguration config;
    MakeNew(config, OutputTopology::ThreeOutputs);
    // Output 1: both halves in use at order 2, each slot the product of the
    // Linkwitz-Riley half's two first-order sections.
    TXOVER& x1 = config.Crossovers[0];
    SetHalf(x1.LowPass, kLinkwitzRileyLowPass, 2, 5000.0);
    SetHalf(x1.HighPass, kLinkwitzRileyHighPass, 2, 100.0);
    // Output 2: the high-pass half alone at order 4.
    TXOVER& x2 = config.Crossovers[1];
    config.CrossoverSolos[1].HighPassAux = true;
    SetHalf(x2.HighPass, kBesselHighPass, 4, 300.0);
    // Output 3: the low-pass half alone at order 4.
    TXOVER& x3 = config.Crossovers[2];
    config.CrossoverSolos[2].LowPassAux = true;
    SetHalf(x3.LowPass, kLinkwitzRileyLowPass, 4, 90.0);
    const DeviceImage image = BuildDeviceImage(config);

    ExpectSectionAt(image, 1, 70, FirstSlotSection(x1.LowPass));
    ExpectSectionAt(image, 1, 75, FirstSlotSection(x1.HighPass));
    ExpectSectionAt(image, 1, 80, x2.HighPass.Sections[1]);
    ExpectSectionAt(image, 1, 85, x2.HighPass.Sections[0]);
    ExpectSectionAt(image, 1, 90, x3.LowPass.Sections[1]);
    ExpectSectionAt(image, 1, 95, x3.LowPass.Sections[0]);
    // Block 2 always carries the low-pass half's own two sections.
    for (std::size_t o = 0; o < 3; ++o) {
        ExpectSectionAt(image, 2, 70 + 10 * o, config.Crossovers[o].LowPass.Sections[0]);
        ExpectSectionAt(image, 2, 75 + 10 * o, config.Crossovers[o].LowPass.Sections[1]);
    }
    EXPECT_EQ(BytesAt(image, P + 84, 10), (Bytes{3, 0x13, 0x88, 2, 0, 4, 0x00, 0x64, 2, 0}));
    EXPECT_EQ(BytesAt(image, P + 94, 10), (Bytes{0, 0x13, 0x88, 2, 0, 6, 0x01, 0x2C, 4, 1}));
    EXPECT_EQ(BytesAt(image, P + 104, 10), (Bytes{3, 0x00, 0x5A, 4, 1, 0, 0x00, 0x64, 2, 0}));

    // An order the editor never produces takes no slot and moves nothing.
    SetHalf(x1.LowPass, kButterworthLowPass, 3, 5000.0);
    const DeviceImage odd = BuildDeviceImage(config);
    ExpectSectionAt(odd, 1, 70, kFlat);
    ExpectSectionAt(odd, 1, 75, FirstSlotSection(x1.HighPass));
    EXPECT_EQ(BytesAt(odd, P + 104, 10), BytesAt(image, P + 104, 10));
}

TEST(DeviceImage, CoefficientsBeyondTheWordAreHeldNotWrapped) {
    ProcessorConfiguration config;
    MakeNew(config);
    // -7 would wrap to +1; every coefficient goes through one hold, whose range the
    // dynamics tests own.
    config.Dynamics[1].OutGain = -7.0L;
    EXPECT_EQ(WordAt(BuildDeviceImage(config), 1, 179), (Coef22Bytes{0x20, 0x00, 0x00}));
}

TEST(PeqTypeCode, MapsEveryTypeAndBack) {
    const std::uint8_t codes[] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 2};
    for (std::uint8_t type = 0; type < 14; ++type) {
        EXPECT_EQ(PeqTypeCode(type), codes[type]);
        EXPECT_EQ(SectionTypeFromPeqCode(codes[type]), type);
    }
    EXPECT_EQ(PeqTypeCode(kFirstOrder), 0);
    EXPECT_EQ(PeqTypeCode(255), 0);
    EXPECT_EQ(SectionTypeFromPeqCode(14), std::nullopt);
    EXPECT_EQ(SectionTypeFromPeqCode(255), std::nullopt);
}

} // namespace
} // namespace veld23
