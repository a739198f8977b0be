#include "plot/PlotConfigurations.h"

#include <gtest/gtest.h>

#include <string>

using namespace veld23;

TEST(PlotConfigurations, EachPlotHasItsTitleCurvesAndFixedRanges) {
    const struct {
        PlotKind kind;
        const char* title;
        std::size_t curves;
        double yMin;
        double yMax;
    } cases[] = {{PlotKind::Equaliser, "OUT 1 Equalization", 2, -20.0, 20.0},
                 {PlotKind::Crossover, "OUT 1 CrossOver", 3, -20.0, 15.0},
                 {PlotKind::FinalResponse, "Final Frequency Response", 4, -20.0, 20.0},
                 {PlotKind::Dynamics, "", 2, -30.0, 22.0}};
    PlotModel unconfigured;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        PlotModel plot;
        ConfigurePlot(plot, c.kind);
        if (c.kind != PlotKind::Dynamics) {
            EXPECT_EQ(plot.Title(), c.title);
            EXPECT_TRUE(plot.XAxis().LogScale);
        }
        EXPECT_EQ(plot.SeriesCount(), c.curves);
        EXPECT_EQ(plot.YAxis().Min, c.yMin);
        EXPECT_EQ(plot.YAxis().Max, c.yMax);
        EXPECT_FALSE(plot.YAxis().AutoSizing);
        EXPECT_EQ(plot.Caption(), "");
        // Each plot has its own colours, its curves each their own.
        EXPECT_NE(plot.Colours().background.Rgb(), unconfigured.Colours().background.Rgb());
        EXPECT_NE(plot.Series(1).Colour().Rgb(), plot.Series(2).Colour().Rgb());
    }
}

TEST(PlotConfigurations, ViewsSwitchTheYAxisAndTheReadoutUnitOfFrequencyPlotsOnly) {
    for (const PlotKind kind :
         {PlotKind::Equaliser, PlotKind::Crossover, PlotKind::FinalResponse}) {
        PlotModel plot;
        ConfigurePlot(plot, kind);
        const double magnitudeMax = plot.YAxis().Max;
        ShowResponseView(plot, kind, ResponseView::Phase);
        EXPECT_EQ(plot.YAxis().Title, "Phase");
        EXPECT_EQ(plot.YAxis().Min, -180.0);
        EXPECT_EQ(plot.YAxis().Max, 180.0);
        EXPECT_EQ(plot.XAxis().Title, "Frequency"); // only y changes
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Phase).substr(0, 1), "\xBA");
        ShowResponseView(plot, kind, ResponseView::Magnitude);
        EXPECT_EQ(plot.YAxis().Title, "dB");
        EXPECT_EQ(plot.YAxis().Max, magnitudeMax);
        EXPECT_EQ(ReadoutUnit(kind, ResponseView::Magnitude), " dBs");
    }
    // The record views have no magnitude or phase: switching views leaves the axes alone.
    PlotModel dynamics;
    ConfigurePlot(dynamics, PlotKind::Dynamics);
    ShowResponseView(dynamics, PlotKind::Dynamics, ResponseView::Phase);
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
