#pragma once

#include "plot/PlotModel.h"
#include "plot/PlotTypes.h"

#include <string>
#include <string_view>

namespace veld23 {

// The four kinds of plot in the program; each has a fixed look and fixed axes.
enum class PlotKind { Equaliser, Crossover, FinalResponse, Dynamics };
// The frequency plots show either magnitude or wrapped phase on their y axis.
enum class ResponseView { Magnitude, Phase };

namespace plot_colours {
inline constexpr PlotColour kAqua = PlotColour::FromRgb(0x00FFFF);
inline constexpr PlotColour kRed = PlotColour::FromRgb(0xFF0000);
inline constexpr PlotColour kYellow = PlotColour::FromRgb(0xFFFF00);
inline constexpr PlotColour kWhite = PlotColour::FromRgb(0xFFFFFF);

inline constexpr PlotColours kFrequencyPlot{
    PlotColour::FromRgb(0x00566F), PlotColour::FromRgb(0x00566F), PlotColour::FromRgb(0x80FFFF),
    PlotColour::FromRgb(0xAAEBFF), PlotColour::FromRgb(0x80FFFF), kAqua};
inline constexpr PlotColours kDynamicsPlot{
    PlotColour::FromRgb(0x001464), PlotColour::FromRgb(0x001464), PlotColour::FromRgb(0x9FFFFF),
    PlotColour::FromRgb(0x9FFFFF), PlotColour::FromRgb(0xFFFF80), kAqua};
} // namespace plot_colours

// The readout units. The equaliser starts with a trailing blank that choosing the magnitude
// view drops; the phase units are the degree sign (byte 0xBA), with or without a blank.
inline constexpr std::string_view kReadoutUnitDbInitial = " dBs ";
inline constexpr std::string_view kReadoutUnitDb = " dBs";
inline constexpr std::string_view kReadoutUnitDegree = "\xBA";
inline constexpr std::string_view kReadoutUnitDegreeBlank = "\xBA ";

inline constexpr PlotMargins kPlotMargins{28.0, 36.0, 52.0, 18.0};

// Gives the plot its fixed look, axes, initial title and its curves (numbered from 1, in
// their colours, drawn in number order). The dynamics plot's title is left to its editor,
// which names it after the record shown.
void ConfigurePlot(PlotModel& plot, PlotKind kind);

// Switches the y axis of a frequency plot between magnitude and phase. The dynamics plot
// has no views and is left as it is.
void ShowResponseView(PlotModel& plot, PlotKind kind, ResponseView view);
std::string_view ReadoutUnit(PlotKind kind, ResponseView view);

// The colour of curve `number` of a plot kind; white for a number the plot does not have.
PlotColour CurveColour(PlotKind kind, int number);
int CurveCount(PlotKind kind);

// "OUT n Equalization", "OUT n CrossOver".
std::string EqualiserPlotTitle(int output);
std::string CrossoverPlotTitle(int output);
// Record 1 is "Dynamic OUT 1-2" and record 2 "Dynamic SUB    " with three outputs; with two
// outputs they are "Dynamic OUT 1" and "Dynamic OUT 2".
std::string DynamicsPlotTitle(int record, bool threeOutputs);

} // namespace veld23
