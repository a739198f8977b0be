// The fixed plot configurations: their views and the pointer readouts they format.
#include "plot/PlotConfigurations.h"
#include "plot/PlotReadout.h"
#include "plot/PlotText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

using namespace veld23;

namespace {

struct ReadoutCase {
    PlotPoint pointer;
    std::string unit;
    std::string text;
};

PlotModel& Configured(PlotModel& plot, PlotKind kind, ResponseView view) {
    ConfigurePlot(plot, kind);
    ShowResponseView(plot, kind, view);
    return plot;
}

} // namespace

TEST(PlotReadout, EqualiserShowsFiveSignificantDigits) {
    PlotModel plot;
    Configured(plot, PlotKind::Equaliser, ResponseView::Magnitude);
    const ReadoutCase cases[] = {
        {{999.97, 3.456}, " dBs ", "999.97 Hz , 3.46 dBs "},
        {{1234.567, -12.346}, " dBs", "1234.6 Hz , -12.35 dBs"},
        {{19999.96, 20.0}, " dBs", "20000 Hz , 20.00 dBs"},
        {{20.5, -20.0}, " dBs", "20.5 Hz , -20.00 dBs"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EqualiserReadout(plot, c.pointer, c.unit), c.text);
    }
    ShowResponseView(plot, PlotKind::Equaliser, ResponseView::Phase);
    EXPECT_EQ(EqualiserReadout(plot, PlotPoint{100.0, -179.5}, kReadoutUnitDegreeBlank),
              "100 Hz , -179.50\xBA ");
}

TEST(PlotReadout, CrossoverAndFinalShowWholeHertz) {
    PlotModel crossover;
    Configured(crossover, PlotKind::Crossover, ResponseView::Magnitude);
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{1234.4, -3.014}, " dBs"),
              "1234 Hz , -3.01 dBs");
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{1234.6, 15.0}, " dBs"), "1235 Hz , 15.00 dBs");
    ShowResponseView(crossover, PlotKind::Crossover, ResponseView::Phase);
    EXPECT_EQ(CrossoverReadout(crossover, PlotPoint{50.2, 100.0}, kReadoutUnitDegree),
              "50 Hz , 100.00\xBA");

    PlotModel final;
    Configured(final, PlotKind::FinalResponse, ResponseView::Magnitude);
    const ReadoutCase cases[] = {
        {{999.97, 0.5}, " dBs", "1000 Hz , 0.50 dBs"},
        {{12345.6, -1.0}, " dBs", "12346 Hz , -1.00 dBs"},
        {{1234.5, 2.0}, " dBs", "1234 Hz , 2.00 dBs"}, // halves go to even
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FinalResponseReadout(final, c.pointer, c.unit), c.text);
    }
}

TEST(PlotReadout, DynamicsShowsBothLevelsInDbu) {
    PlotModel plot;
    ConfigurePlot(plot, PlotKind::Dynamics);
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{-12.46, -10.0}), "-12.5 dBu in , -10.0 dBu out");
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{22.0, -30.0}), "22.0 dBu in , -30.0 dBu out");
    EXPECT_EQ(DynamicsReadout(plot, PlotPoint{-31.0, 0.0}), "");
}

TEST(PlotReadout, NumbersKeepAtLeastOneSignificantDigit) {
    EXPECT_EQ(FormatGeneral(1234.5, 0), "1e+03");
    EXPECT_EQ(FormatGeneral(1234.5, 5), "1234.5");
}

TEST(PlotReadout, EmptyOutsideEitherRangeOrWithoutAValue) {
    PlotModel plot;
    Configured(plot, PlotKind::Equaliser, ResponseView::Magnitude);
    for (const PlotPoint p : {PlotPoint{19.9, 0.0}, PlotPoint{20001.0, 0.0},
                              PlotPoint{1000.0, 20.01}, PlotPoint{1000.0, -20.01}}) {
        EXPECT_EQ(EqualiserReadout(plot, p, " dBs"), "") << p.x << ", " << p.y;
        EXPECT_EQ(CrossoverReadout(plot, p, " dBs"), "");
        EXPECT_EQ(FinalResponseReadout(plot, p, " dBs"), "");
    }
    EXPECT_EQ(EqualiserReadout(plot, std::nullopt, " dBs"), "");
    plot.SetAxisRange(PlotAxisId::Y, 5.0, 5.0);
    EXPECT_EQ(EqualiserReadout(plot, PlotPoint{1000.0, 5.0}, " dBs"), "");
}

// The frequency plots switch their y axis between magnitude and phase and back to their
// own magnitude range; the dynamics plot has no views and keeps its axes.
TEST(PlotConfigurations, ViewsSwitchTheYAxisAndTheReadoutUnitOfFrequencyPlotsOnly) {
    const std::pair<PlotKind, double> magnitudeMax[] = {
        {PlotKind::Equaliser, 20.0}, {PlotKind::Crossover, 15.0}, {PlotKind::FinalResponse, 20.0}};
    for (const auto& [kind, maxDb] : magnitudeMax) {
        SCOPED_TRACE(static_cast<int>(kind));
        PlotModel plot;
        Configured(plot, kind, ResponseView::Phase);
        EXPECT_EQ(plot.YAxis().Title, "Phase");
        EXPECT_EQ(plot.YAxis().Min, -180.0);
        EXPECT_EQ(plot.YAxis().Max, 180.0);
        EXPECT_EQ(plot.XAxis().Title, "Frequency"); // only y changes
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Phase).substr(0, 1), "\xBA");
        ShowResponseView(plot, kind, ResponseView::Magnitude);
        EXPECT_EQ(plot.YAxis().Title, "dB");
        EXPECT_EQ(plot.YAxis().Min, -20.0);
        EXPECT_EQ(plot.YAxis().Max, maxDb);
        EXPECT_FALSE(plot.YAxis().AutoSizing);
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Magnitude), " dBs");
        // Each curve its own colour.
        EXPECT_NE(plot.Series(1).Colour().Rgb(), plot.Series(2).Colour().Rgb());
    }
    PlotModel dynamics;
    Configured(dynamics, PlotKind::Dynamics, ResponseView::Phase);
    EXPECT_EQ(dynamics.YAxis().Title, "output dBu");
    EXPECT_EQ(dynamics.YAxis().Max, 22.0);
}

TEST(PlotConfigurations, ReconfiguringKeepsTheCurvesAnEditorFilled) {
    PlotModel plot;
    ConfigurePlot(plot, PlotKind::Equaliser);
    PlotSeries& peq2 = plot.Series(2);
    peq2.AddPoint(20.0, 3.0);
    ConfigurePlot(plot, PlotKind::Equaliser);
    EXPECT_EQ(&plot.Series(2), &peq2);
    EXPECT_EQ(peq2.Points().size(), 1u);
    EXPECT_EQ(plot.SeriesCount(), 2u);
}
