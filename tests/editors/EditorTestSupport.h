#pragma once

// The equaliser and crossover editors on a new configuration in Real Time mode, with the
// sends of their creation forgotten, so each test sees only what its own actions send.

#include "config/ProcessorConfiguration.h"
#include "dsp/DspTestSupport.h"
#include "dsp/FrequencyGrid.h"
#include "editors/CrossoverController.h"
#include "editors/EqualiserEditor.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <vector>

namespace veld23::testing {

// Grid points by their whole hertz.
inline constexpr int kGrid55Hz = 57;
inline constexpr int kGrid80Hz = 78;
inline constexpr int kGrid200Hz = 130;
inline constexpr int kGrid1kHz = 221; // 1005 Hz, the one nearest 1 kHz

inline std::vector<int> FiveParameters(const RecordingRealTimeSender& sender) {
    std::vector<int> parameters;
    for (const RecordingRealTimeSender::Call& call : sender.calls) {
        EXPECT_EQ(call.kind, RecordingRealTimeSender::Kind::Five);
        parameters.push_back(call.parameter);
    }
    return parameters;
}

inline void ExpectSentSection(const RecordingRealTimeSender::Call& call, const TSOS& section) {
    EXPECT_EQ(call.kind, RecordingRealTimeSender::Kind::Five);
    EXPECT_EQ(call.parameter, section.CoefIndex);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(call.values[static_cast<std::size_t>(k)], section.GetCoefficient(k)) << k;
    }
}

// A pointer event on the plot at a data point, as the plot model hands it over.
inline PlotPointer At(double hz, double value, bool shift = false) {
    return PlotPointer{PixelPoint{}, PlotPoint{hz, value}, shift};
}

struct EqualiserFixture {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    EqualiserEditor editor{config, sender};
    // Each final-response refresh, with PEQ1's magnitude at 1 kHz as the editor had
    // evaluated it at that moment.
    std::vector<float> finalResponses;

    EqualiserFixture() {
        editor.SetRedrawFinalResponse(
            [this] { finalResponses.push_back(editor.Curve(1).magnitudeDb[kGrid1kHz]); });
        sender.calls.clear();
    }
    PeqBand& Band(int peq, int k) { return config.Peq[static_cast<std::size_t>(peq - 1)].Band(k); }
};

struct CrossoverEditor {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    RecordingNotifier notifier;
    CrossoverController controller{config, sender};
    int finalRedraws = 0;

    CrossoverEditor() {
        controller.SetRedrawFinalResponse([this] { ++finalRedraws; });
        controller.SetDesignNotifier(&notifier);
        sender.calls.clear();
    }
    TXOVER& Crossover(int output) {
        return config.Crossovers[static_cast<std::size_t>(output - 1)];
    }
    void Enter(XoverSide side, const char* text) {
        controller.SetFrequencyText(side, text);
        controller.FrequencyEnter(side);
    }
    const std::string& Text(XoverSide side) const {
        return controller.Column(side).FrequencyText();
    }
    double CurveY(int output, int index) const {
        return controller.Plot().FindSeries(output)->Points()[static_cast<std::size_t>(index)].y;
    }
};

} // namespace veld23::testing
