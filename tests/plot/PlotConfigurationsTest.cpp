#include "plot/PlotConfigurations.h"

#include <gtest/gtest.h>

#include <string>

using namespace veld23;

// The frequency plots switch their y axis between magnitude and phase and back to their
// own magnitude range; the dynamics plot has no views and keeps its axes.
TEST(PlotConfigurations, ViewsSwitchTheYAxisAndTheReadoutUnitOfFrequencyPlotsOnly) {
    const std::pair<PlotKind, double> magnitudeMax[] = {
        {PlotKind::Equaliser, 20.0}, {PlotKind::Crossover, 15.0}, {PlotKind::FinalResponse, 20.0}};
    for (const auto& [kind, maxDb] : magnitudeMax) {
        SCOPED_TRACE(static_cast<int>(kind));
        PlotModel plot;
        ConfigurePlot(plot, kind);
        ShowResponseView(plot, kind, ResponseView::Phase);
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
