#include "measure/MeasurementResampler.h"
#include "config/MeasurementImportSettings.h"
#include "dsp/FrequencyGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace veld23 {
namespace {

MeasuredPoints Points(std::initializer_list<std::array<double, 3>> rows) {
    MeasuredPoints points;
    for (const auto& row : rows) {
        points.frequencyHz.push_back(row[0]);
        points.magnitudeDb.push_back(row[1]);
        points.phase.push_back(row[2]);
    }
    return points;
}

struct Curves {
    CurveArray magnitude{};
    CurveArray phase{};
};

Curves Resample(const MeasuredPoints& points, double reference, bool degrees) {
    Curves curves;
    ResampleOntoGrid(points, reference, degrees, curves.magnitude, curves.phase);
    return curves;
}

TEST(MeasurementResampler, InterpolatesStraightLinesInFrequency) {
    // 118 Hz (grid point 100) lies 18% of the way from 100 Hz to 200 Hz.
    const Curves c = Resample(Points({{100, 80, 0}, {200, 90, 100}}), 90.0, false);
    ASSERT_EQ(FrequencyGrid::Shared().GridHz[100], 118);
    EXPECT_FLOAT_EQ(c.magnitude[100], -8.2f);
    EXPECT_FLOAT_EQ(c.phase[100], 18.0f);
}

TEST(MeasurementResampler, ReferenceLevelIsTheZeroDecibelLine) {
    const MeasuredPoints flat = Points({{20, 93, 0}, {23999, 93, 0}});
    EXPECT_EQ(Resample(flat, 90.0, true).magnitude[200], 3.0f);
    EXPECT_EQ(Resample(flat, 0.0, true).magnitude[200], 93.0f);
    EXPECT_EQ(Resample(flat, -7.5, true).magnitude[200], 100.5f);
}

TEST(MeasurementResampler, OutsideTheMeasuredRangeIsMinus140DecibelsAndNoPhase) {
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    const Curves c = Resample(Points({{118, 93, 45}, {4078, 93, 45}}), 90.0, true);
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        const int hz = grid.GridHz[j];
        if (hz < 118 || hz > 4078) {
            EXPECT_EQ(c.magnitude[j], -140.0f) << hz;
            EXPECT_EQ(c.phase[j], 0.0f) << hz;
        } else {
            EXPECT_EQ(c.magnitude[j], 3.0f) << hz;
            EXPECT_FLOAT_EQ(c.phase[j], static_cast<float>(std::numbers::pi / 4)) << hz;
        }
    }
}

TEST(MeasurementResampler, EndsOfTheMeasuredRangeGetTheMeasuredValues) {
    // Grid points 100 and 300 are exactly the first and the last measured frequency.
    const Curves c =
        Resample(Points({{118, 91, 10}, {1000, 70, -20}, {4078, 85, 30}}), 90.0, false);
    EXPECT_EQ(c.magnitude[100], 1.0f);
    EXPECT_EQ(c.phase[100], 10.0f);
    EXPECT_EQ(c.magnitude[300], -5.0f);
    EXPECT_EQ(c.phase[300], 30.0f);
}

TEST(MeasurementResampler, TouchesNothingAboveTheLastGridPoint) {
    Curves c;
    c.magnitude.fill(7.0f);
    c.phase.fill(7.0f);
    ResampleOntoGrid(Points({{20, 90, 0}, {24000, 90, 0}}), 90.0, true, c.magnitude, c.phase);
    EXPECT_EQ(c.magnitude[FrequencyGrid::N], 0.0f);
    EXPECT_EQ(c.magnitude[FrequencyGrid::N + 1], 7.0f);
    EXPECT_EQ(c.phase[kCurveLength - 1], 7.0f);
}

TEST(MeasurementResampler, CloselySpacedExtremePointsStayFinite) {
    // Largest accepted values and neighbours a hair apart must not overflow.
    const Curves c = Resample(Points({{117.99999999999, -1e9, 1e9}, {118, 1e9, -1e9}, {119, 0, 0}}),
                              140.0, true);
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        EXPECT_TRUE(std::isfinite(c.magnitude[j])) << j;
        EXPECT_TRUE(std::isfinite(c.phase[j])) << j;
    }
}

TEST(MeasurementReferenceLevel, UnusableLevelsFromAFileAreHeldToTheFieldRange) {
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(93.5), 93.5);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(-300.0), -140.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(141.0), 140.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(std::nan("")), 90.0);
    EXPECT_EQ(MeasurementImportSettings::UsableReferenceLevel(INFINITY), 90.0);
}

} // namespace
} // namespace veld23
