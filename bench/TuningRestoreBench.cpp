// An A/B switch and an undo as the user waits for them in the running program: the
// snapshot restored, every block that differs redesigned and redrawn (its curve
// evaluated), every window refilled and the final response recomputed once. The editor
// windows are open (offscreen) and their repaints are counted too. Real Time is off.
//
// The A/B slots differ in every block (both equalisers, all three crossovers, levels,
// delays, both dynamics records, SUB Reinforcement), so a switch redesigns them all; the
// undo takes back one band of one equaliser.
#include "BenchApplication.h"
#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "editors/TuningWorkflow.h"
#include "ui/DarkTheme.h"
#include "ui/EditorProgram.h"
#include "ui/QtDialogs.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace veld23;
using Clock = std::chrono::steady_clock;

// One way of tuning every block; `shift` makes the other slot differ everywhere.
void TuneEveryBlock(EditorSet& e, OutputTopology topology, int shift) {
    e.ChooseTopology(topology);
    for (int peq = 1; peq <= 2; ++peq) {
        e.equaliser.ChooseEqualiser(peq);
        for (int band = 1; band <= 7; ++band) {
            e.equaliser.SelectBand(band);
            e.equaliser.ChooseType(1 + (band + shift) % 3);
            e.equaliser.SetFrequencyText(std::to_string(40 * band * band + 10 * shift + peq));
            e.equaliser.FrequencyEnter();
            e.equaliser.SetGainText(band % 2 ? "4.5" : "-3.0");
            e.equaliser.GainEnter();
        }
    }
    for (int output = 1; output <= 3; ++output) {
        e.crossover.ChooseOutput(output);
        e.crossover.ChooseFamily(XoverSide::HighPass, 1 + (output + shift) % 3);
        e.crossover.ChooseFamily(XoverSide::LowPass, 1 + (output + shift + 1) % 3);
        e.levels.SetLevelPosition(output, 70 + 10 * output + shift);
        e.delays.SetDelayPosition(output, 120 - 5 * output - shift);
    }
    for (int record = 1; record <= 2; ++record) {
        e.dynamics.SelectRecord(record);
        e.dynamics.SetThresholdPosition(30 + record + shift);
        e.dynamics.SetKneePosition(5 + shift);
    }
    e.loudness.SetGainPosition(20 + shift);
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Times `step` with the repaints it leaves and reports the medians, by the clock (as the
// user waits) and by this thread's processor time (which a busy machine does not inflate).
void Measure(benchmark::State& state, const std::function<void()>& step) {
    std::vector<double> restores;
    std::vector<double> restoresCpu;
    std::vector<double> withPaint;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = ThreadCpuMs();
        step();
        const Clock::time_point restored = Clock::now();
        const double cpuRestored = ThreadCpuMs();
        QCoreApplication::sendPostedEvents(); // the windows' repaints
        const Clock::time_point painted = Clock::now();
        restores.push_back(std::chrono::duration<double, std::milli>(restored - start).count());
        restoresCpu.push_back(cpuRestored - cpuStart);
        withPaint.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
    }
    if (!restores.empty()) {
        state.counters["median_ms"] = Median(restores);
        state.counters["median_cpu_ms"] = Median(restoresCpu);
        state.counters["median_with_paint_ms"] = Median(withPaint);
    }
}

// The program with its editor windows open, as while tuning.
struct OpenProgram {
    QtDialogs dialogs;
    EditorProgram program{dialogs, {}};

    OpenProgram() {
        ApplyDarkTheme(*bench::WidgetApplication());
        for (commands::EditorWindow window :
             {commands::EditorWindow::Peq, commands::EditorWindow::Crossover,
              commands::EditorWindow::FinalResponse, commands::EditorWindow::Dynamics}) {
            program.Commands().OpenEditor(window, '1', 1);
        }
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
        }
    }
};

void TuningSwitchAB(benchmark::State& state) {
    if (bench::WidgetApplication() == nullptr) {
        state.SkipWithError("a program without windows was started first");
        return;
    }
    OpenProgram open;
    TuningWorkflow& tuning = open.program.Tuning();
    TuneEveryBlock(open.program.Editors(), OutputTopology::ThreeOutputs, 0);
    tuning.Store(ComparisonSlot::A);
    TuneEveryBlock(open.program.Editors(), OutputTopology::ThreeOutputs, 1);
    tuning.Store(ComparisonSlot::B);
    Measure(state, [&tuning] { tuning.Switch(); });
}
BENCHMARK(TuningSwitchAB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void TuningUndoBand(benchmark::State& state) {
    if (bench::WidgetApplication() == nullptr) {
        state.SkipWithError("a program without windows was started first");
        return;
    }
    OpenProgram open;
    TuningWorkflow& tuning = open.program.Tuning();
    EditorSet& editors = open.program.Editors();
    TuneEveryBlock(editors, OutputTopology::ThreeOutputs, 0);
    tuning.CloseStep();
    editors.equaliser.ShowBand(1, 3);
    editors.equaliser.SetFrequencyText("2500");
    editors.equaliser.FrequencyEnter();
    tuning.CloseStep();
    bool undo = true;
    Measure(state, [&] {
        undo ? tuning.Undo() : tuning.Redo();
        undo = !undo;
    });
}
BENCHMARK(TuningUndoBand)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
