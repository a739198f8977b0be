#include "editors/EqualiserLaws.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>

namespace veld23::equaliser {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename In, typename Out>
void ExpectLaw(Out (*law)(In), std::initializer_list<std::pair<In, Out>> cases) {
    for (const auto& [in, out] : cases) {
        if constexpr (std::is_same_v<Out, double>) {
            EXPECT_NEAR(law(in), out, 1e-6) << in;
        } else {
            EXPECT_EQ(law(in), out) << in;
        }
    }
}

// Values by hand from the laws: 20000 ((20000 - p) / 20000)^3 Hz, (273 - p) / 10 - 15 dB,
// (200 - p) / 10; positions past a slider's ends give the end's value.
TEST(EqualiserLaws, PositionsGiveValues) {
    ExpectLaw(FrequencyFromPosition, {{12632, 999.97435008},
                                      {16580, 100.00422},
                                      {10, 19970.0149975},
                                      {-7, 19970.0149975},
                                      {20000, 0.0},
                                      {25000, 0.0}});
    ExpectLaw(GainFromPosition, {{0, 12.3}, {123, 0.0}, {274, -15.1}, {-5, 12.3}, {300, -15.1}});
    ExpectLaw(QFromPosition, {{200, 0.0}, {193, 0.7}, {2, 19.8}, {-1, 19.8}, {500, 0.0}});
}

// 20000 Hz and Q 20 would need positions below the slider's end; Q 0.75 gives 192.5,
// which goes to the even neighbour.
TEST(EqualiserLaws, ValuesGiveTheNearestPositionOnTheSlider) {
    ExpectLaw(PositionForFrequency, {{1000.0, 12632},
                                     {100.0, 16580},
                                     {10.0, 18413},
                                     {-5.0, 18413},
                                     {kNaN, 18413},
                                     {20000.0, 10},
                                     {19990.0, 10},
                                     {1e9, 10}});
    ExpectLaw(PositionForGain,
              {{0.0, 123}, {1.5, 108}, {12.0, 3}, {40.0, 3}, {-15.0, 273}, {-40.0, 273}});
    ExpectLaw(PositionForQ, {{0.707, 193}, {0.75, 192}, {0.5, 195}, {0.0, 195}, {20.0, 2}});
    // Every gain position gives back a tenth of a dB that maps onto the same position.
    for (int position = 3; position <= 273; ++position) {
        EXPECT_EQ(PositionForGain(ShownGain(GainFromPosition(position))), position) << position;
    }
}

// Halves go to the even neighbour.
TEST(EqualiserLaws, FieldsHoldToTheirRangeAndDecimals) {
    ExpectLaw(ShownQ, {{0.707, 0.7}, {0.0, 0.5}, {25.0, 20.0}, {kNaN, 0.5}});
    ExpectLaw(ShownGain, {{12.3, 12.0}, {0.04, 0.0}, {-0.04, 0.0}, {-15.1, -15.0}});
    ExpectLaw(ShownFrequency,
              {{999.5, 1000.0}, {998.5, 998.0}, {999.97435, 1000.0}, {3.0, 10.0}, {kInf, 20000.0}});
    EXPECT_EQ(HoldToRange(kNaN, -15.0, 12.0), -15.0);
}

TEST(EqualiserLaws, ControlsFollowWhatEachTypeUses) {
    // Per type list entry: frequency, gain, Q, coefficient panel, captions ('-' when off).
    // Bypass; Parametric Q Adap and Q Const; the shelves; the Butterworth pair; BandPass,
    // StopBand; AllPass 1 and 2; LowPass Q and HiPass Q; IIR Coeff.
    const char* const rows[] = {"f---c", "fgq-c", "fgq-c", "fg--c", "fg--c", "f---c", "f---c",
                                "fgq-c", "f-q-c", "f---c", "f-q-c", "f-q-c", "f-q-c", "---p-"};
    const auto letters = [](const EqualiserControls& c) {
        return std::string{c.frequency ? 'f' : '-', c.gain ? 'g' : '-', c.q ? 'q' : '-',
                           c.coefficientPanel ? 'p' : '-', c.captions ? 'c' : '-'};
    };
    for (int index = 0; index < 14; ++index) {
        EXPECT_EQ(letters(ControlsForType(index)), rows[index]) << index;
    }
    EXPECT_EQ(letters(ControlsForType(-1)), rows[0]);
    EXPECT_EQ(letters(ControlsForType(14)), rows[0]);
}

} // namespace
} // namespace veld23::equaliser
