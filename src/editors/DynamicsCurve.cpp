#include "editors/DynamicsCurve.h"

#include "dsp/Dynamics.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/DynamicsValues.h"
#include "plot/PlotModel.h"

namespace veld23 {

using namespace dynamics_curve;

void DrawDynamicsCurve(PlotModel& plot, const TDYNAMIC& record, double levelOffset,
                       std::string_view title) {
    // The grid size the design used: it holds Npuntos the same way.
    const int n = dynamics::HoldField(record.Npuntos, dynamics::kNpuntosMin, dynamics::kNpuntosMax);
    const int lowestTablePoint = n - TDYNAMIC::kTableSize;
    auto dbu = [levelOffset](float dbfs) {
        return dynamics::DbfsToDisplayDbu(static_cast<double>(dbfs), levelOffset);
    };

    plot.SetPlotting(false);
    plot.SetTitle(title);

    PlotSeries& reference = plot.Series(kReferenceCurve);
    reference.Clear();
    reference.AddPoint(kAnchorInputDbu, kAnchorInputDbu);
    reference.AddPoint(kReferenceTopDbu, kReferenceTopDbu);

    PlotSeries& transfer = plot.Series(kTransferCurve);
    transfer.Clear();
    transfer.AddPoint(dbu(record.XdB[lowestTablePoint]), dbu(record.YdB[lowestTablePoint]));
    transfer.AddPoint(kAnchorInputDbu,
                      kAnchorInputDbu + static_cast<double>(dynamics::HoldField(
                                            record.Gain, dynamics::kGainMin, dynamics::kGainMax,
                                            dynamics::kDefaultGain)));
    for (int i = 1; i < lowestTablePoint; ++i) {
        transfer.AddPoint(dbu(record.XdB[i]), dbu(record.YdB[i]));
    }

    plot.SetPlotting(true);
}

} // namespace veld23
