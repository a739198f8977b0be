#include "plot/PlotConfigurations.h"

#include <gtest/gtest.h>

#include <string>

using namespace veld23;

TEST(PlotConfigurations, FrequencyPlotsHaveTheirFixedAxesTitlesAndCurves) {
    const struct {
        PlotKind kind;
        const char* title;
        double yMax;
        int curves;
    } cases[] = {{PlotKind::Equaliser, "OUT 1 Equalization", 20.0, 2},
                 {PlotKind::Crossover, "OUT 1 CrossOver", 15.0, 3},
                 {PlotKind::FinalResponse, "Final Frequency Response", 20.0, 4}};
    for (const auto& c : cases) {
        PlotModel plot;
        ConfigurePlot(plot, c.kind);
        EXPECT_EQ(plot.Title(), c.title);
        const PlotAxis& x = plot.XAxis();
        EXPECT_EQ(x.Title, "Frequency");
        EXPECT_TRUE(x.LogScale);
        EXPECT_EQ(x.Min, 20.0);
        EXPECT_EQ(x.Max, 20000.0);
        EXPECT_EQ(x.LabelDecimals, 0);
        const PlotAxis& y = plot.YAxis();
        EXPECT_EQ(y.Title, "dB's");
        EXPECT_FALSE(y.LogScale);
        EXPECT_EQ(y.Min, -20.0);
        EXPECT_EQ(y.Max, c.yMax) << c.title;
        EXPECT_EQ(y.StepSize, 5.0);
        for (const PlotAxis* a : {&x, &y}) {
            EXPECT_FALSE(a->AutoSizing);
            EXPECT_FALSE(a->AutoStepping);
            EXPECT_TRUE(a->Gridlines);
        }
        EXPECT_TRUE(plot.CrossAtZero());
        EXPECT_EQ(plot.Caption(), "");
        EXPECT_EQ(plot.Colours().background.Rgb(), 0x00566Fu);
        EXPECT_EQ(plot.Colours().margin.Rgb(), 0x00566Fu);
        EXPECT_EQ(plot.Colours().axes.Rgb(), 0x80FFFFu);
        EXPECT_EQ(plot.Colours().grid.Rgb(), 0xAAEBFFu);
        EXPECT_EQ(plot.Colours().text.Rgb(), 0x00FFFFu);
        ASSERT_EQ(plot.SeriesCount(), static_cast<std::size_t>(c.curves));
        EXPECT_EQ(plot.Series(1).Colour().Rgb(), 0x00FFFFu);
        EXPECT_EQ(plot.Series(2).Colour().Rgb(), 0xFF0000u);
    }
    PlotModel crossover;
    ConfigurePlot(crossover, PlotKind::Crossover);
    EXPECT_EQ(crossover.Series(3).Colour().Rgb(), 0xFFFF00u);
    PlotModel final;
    ConfigurePlot(final, PlotKind::FinalResponse);
    EXPECT_EQ(final.Series(3).Colour().Rgb(), 0xFFFF00u);
    EXPECT_EQ(final.Series(4).Colour().Rgb(), 0xFFFFFFu);
}

TEST(PlotConfigurations, DynamicsPlotIsLevelAgainstLevel) {
    PlotModel plot;
    ConfigurePlot(plot, PlotKind::Dynamics);
    for (const auto& [id, title] :
         {std::pair{PlotAxisId::X, "input dBu"}, std::pair{PlotAxisId::Y, "output dBu"}}) {
        const PlotAxis& a = plot.Axis(id);
        EXPECT_EQ(a.Title, title);
        EXPECT_FALSE(a.LogScale);
        EXPECT_EQ(a.Min, -30.0);
        EXPECT_EQ(a.Max, 22.0);
        EXPECT_EQ(a.StepSize, 10.0);
        EXPECT_EQ(a.LabelDecimals, 0);
    }
    EXPECT_EQ(plot.Colours().background.Rgb(), 0x001464u);
    EXPECT_EQ(plot.Colours().margin.Rgb(), 0x001464u);
    EXPECT_EQ(plot.Colours().axes.Rgb(), 0x9FFFFFu);
    EXPECT_EQ(plot.Colours().grid.Rgb(), 0x9FFFFFu);
    EXPECT_EQ(plot.Colours().cross.Rgb(), 0xFFFF80u);
    EXPECT_EQ(plot.SeriesCount(), 2u);

    // The record views have no magnitude or phase: switching views leaves the axes alone.
    ShowResponseView(plot, PlotKind::Dynamics, ResponseView::Phase);
    EXPECT_EQ(plot.YAxis().Title, "output dBu");
    EXPECT_EQ(plot.YAxis().Max, 22.0);
}

TEST(PlotConfigurations, ViewsSwitchTheYAxisAndTheReadoutUnit) {
    const struct {
        PlotKind kind;
        double magnitudeMax;
        std::string phaseUnit;
    } cases[] = {{PlotKind::Equaliser, 20.0, "\xBA "},
                 {PlotKind::Crossover, 15.0, "\xBA"},
                 {PlotKind::FinalResponse, 20.0, "\xBA "}};
    for (const auto& c : cases) {
        PlotModel plot;
        ConfigurePlot(plot, c.kind);
        ShowResponseView(plot, c.kind, ResponseView::Phase);
        EXPECT_EQ(plot.YAxis().Title, "Phase");
        EXPECT_EQ(plot.YAxis().Min, -180.0);
        EXPECT_EQ(plot.YAxis().Max, 180.0);
        EXPECT_FALSE(plot.YAxis().LogScale);
        EXPECT_EQ(plot.XAxis().Title, "Frequency"); // only y changes
        EXPECT_EQ(ReadoutUnit(c.kind, ResponseView::Phase), c.phaseUnit);

        ShowResponseView(plot, c.kind, ResponseView::Magnitude);
        EXPECT_EQ(plot.YAxis().Title, "dB");
        EXPECT_EQ(plot.YAxis().Min, -20.0);
        EXPECT_EQ(plot.YAxis().Max, c.magnitudeMax);
        EXPECT_EQ(plot.YAxis().StepSize, 5.0);
        EXPECT_EQ(ReadoutUnit(c.kind, ResponseView::Magnitude), " dBs");
    }
    EXPECT_EQ(kReadoutUnitDbInitial, " dBs ");
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
