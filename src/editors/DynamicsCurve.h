#pragma once

#include <string_view>

namespace veld23 {

class PlotModel;
class TDYNAMIC;

// The dynamics window's input/output plot: curve 1 is the 1:1 reference line,
// curve 2 the designed transfer curve of one record in dBu.
namespace dynamics_curve {
inline constexpr int kReferenceCurve = 1;
inline constexpr int kTransferCurve = 2;
// Where the unity part of the transfer curve is anchored, well left of the axis.
inline constexpr double kAnchorInputDbu = -50.0;
inline constexpr double kReferenceTopDbu = 20.0;
} // namespace dynamics_curve

// Rebuilds both curves from the record's last design, shown with the record's level
// offset, and names the plot. Points go in rising input level: the grid's lowest
// table point, the anchor (-50, -50 + Gain), then the fine grid from the lower knee
// edge up. In the design's own index order the table point would come after the
// top of the curve, and the line back down to it would cut across the plot.
void DrawDynamicsCurve(PlotModel& plot, const TDYNAMIC& record, double levelOffset,
                       std::string_view title);

} // namespace veld23
