// A band dragged on the equaliser window's plot, one mouse move at a time, as the user
// feels it: the move event reaches the plot, the editor redesigns the band and redraws its
// curve, the final response is recomputed (the editor's refresh hook), the window refills
// its controls and the coefficient viewer, and the plot and the changed controls are
// repainted. Offscreen, so the figure is the program's own work and not a display server's.
//
// Reported besides the mean: the median step (wall clock, as the user waits for it) and
// the share of the step spent painting, by wall clock and by this thread's processor time
// (the second does not count time lost to other programs on a busy machine).
#include "BenchApplication.h"
#include "commands/FinalResponseSources.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "editors/EditorSet.h"
#include "measure/FinalResponseView.h"
#include "measure/SpeakerCurves.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/DarkTheme.h"
#include "ui/EqualiserWindow.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/ResponsePlotWidget.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace {

using namespace veld23;
using Clock = std::chrono::steady_clock;

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void Send(QWidget* target, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void EqualiserWindowDragStep(benchmark::State& state) {
    QApplication* app = bench::WidgetApplication();
    if (app == nullptr) {
        state.SkipWithError("a program without windows was started first");
        return;
    }
    ApplyDarkTheme(*app);
    ProcessorConfiguration config;
    SilentRealTimeSender sender; // Real Time off, as while shaping a configuration
    EditorSet editors(config, sender);
    SpeakerCurves speakers;
    PlotModel finalPlot;
    FinalResponseView finalResponse(config, config.FinalResponse, finalPlot);
    finalResponse.SetSources(FinalResponseSourcesOf(editors, speakers));
    EqualiserEditor& editor = editors.equaliser;
    editor.SetRedrawFinalResponse([&finalResponse] { finalResponse.DibujaFinalResponse(); });

    // Four bands in use; band 3 is the one dragged.
    for (int band = 1; band <= 4; ++band) {
        editor.SelectBand(band);
        editor.ChooseType(1);
        editor.SetFrequencyText(std::to_string(100 * band * band));
        editor.FrequencyEnter();
        editor.SetGainText(band % 2 ? "4.0" : "-3.0");
        editor.GainEnter();
    }
    editor.SelectBand(3);

    CoefficientViewerWindow viewer([&editor](int k) { return editor.CoefficientDisplayText(k); });
    EqualiserWindow window(editor, &viewer, nullptr, {});
    // The coefficient viewer follows the band but stays hidden, as its button is.
    window.show();
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
    }
    ResponsePlotWidget* plot = window.PlotPanel()->Plot();
    const PlotGeometry geometry = plot->Model()->Geometry(plot->width(), plot->height());
    const auto grab =
        geometry.ToPixel({config.Peq[0].Band(3).Frequency, config.Peq[0].Band(3).GainDb});
    if (!grab) {
        state.SkipWithError("the band's point is not on the plot");
        return;
    }
    Send(plot, QEvent::MouseButtonPress, QPointF(grab->x, grab->y));
    QCoreApplication::sendPostedEvents();
    if (!editor.Dragging()) {
        state.SkipWithError("the press did not grab the band");
        return;
    }

    std::vector<double> steps;
    std::vector<double> paints;
    steps.reserve(1 << 20);
    paints.reserve(1 << 20);
    double cpuStep = 0.0;
    double cpuPaint = 0.0;
    const double left = geometry.Left() + 0.2 * (geometry.Right() - geometry.Left());
    const double span = 0.6 * (geometry.Right() - geometry.Left());
    const double top = geometry.Top() + 0.3 * (geometry.Bottom() - geometry.Top());
    const double height = 0.4 * (geometry.Bottom() - geometry.Top());
    int i = 0;
    for (auto _ : state) {
        // Back and forth across the plot, a few pixels per event as a hand moves.
        const int phase = i++ % 200;
        const double f = (phase < 100 ? phase : 200 - phase) / 100.0;
        const QPointF at(left + f * span, top + (1.0 - f) * height);
        const Clock::time_point start = Clock::now();
        const double cpuStart = ThreadCpuMs();
        Send(plot, QEvent::MouseMove, at);
        const Clock::time_point moved = Clock::now();
        const double cpuMoved = ThreadCpuMs();
        QCoreApplication::sendPostedEvents(); // the pending repaints
        const Clock::time_point painted = Clock::now();
        const double cpuPainted = ThreadCpuMs();
        cpuStep += cpuPainted - cpuStart;
        cpuPaint += cpuPainted - cpuMoved;
        steps.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
        paints.push_back(std::chrono::duration<double, std::milli>(painted - moved).count());
    }
    Send(plot, QEvent::MouseButtonRelease, QPointF(left, top));

    if (!steps.empty()) {
        const auto median = [](std::vector<double>& values) {
            const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
            std::nth_element(values.begin(), middle, values.end());
            return *middle;
        };
        double stepTotal = 0.0;
        double paintTotal = 0.0;
        for (std::size_t k = 0; k < steps.size(); ++k) {
            stepTotal += steps[k];
            paintTotal += paints[k];
        }
        state.counters["median_step_ms"] = median(steps);
        state.counters["median_paint_ms"] = median(paints);
        state.counters["paint_share_pct"] = 100.0 * paintTotal / stepTotal;
        state.counters["cpu_step_ms"] = cpuStep / static_cast<double>(steps.size());
        state.counters["cpu_paint_share_pct"] = 100.0 * cpuPaint / cpuStep;
    }
}
BENCHMARK(EqualiserWindowDragStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
