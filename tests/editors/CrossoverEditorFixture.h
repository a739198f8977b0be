#pragma once

// The crossover editor bound to a configuration, a recording sender and a recording
// notifier, as the crossover and loudness tests share it.

#include "config/ProcessorConfiguration.h"
#include "dsp/DesignNotifier.h"
#include "dsp/FrequencyGrid.h"
#include "editors/CrossoverController.h"
#include "support/RecordingRealTimeSender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace veld23::testing {

inline constexpr double kMinus3dB = -3.0102999566398121; // 20 log10(1/sqrt 2)
inline constexpr double kMinus6dB = 2 * kMinus3dB;
inline constexpr int kGrid693Hz = 200;
inline constexpr XoverSide kColumnL = XoverSide::HighPass;
inline constexpr XoverSide kColumnH = XoverSide::LowPass;

class RecordingNotifier : public DesignNotifier {
  public:
    std::vector<std::pair<double, int>> limits;
    void BesselCutoffLimited(double limitHz, int order) override {
        limits.emplace_back(limitHz, order);
    }
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
        const PlotSeries* series = controller.Plot().FindSeries(output);
        EXPECT_NE(series, nullptr);
        return series->Points()[static_cast<std::size_t>(index)].y;
    }

    std::vector<std::uint16_t> SentParameters() const {
        std::vector<std::uint16_t> parameters;
        for (const RecordingRealTimeSender::Call& call : sender.calls) {
            EXPECT_EQ(call.kind, RecordingRealTimeSender::Kind::Five);
            parameters.push_back(call.parameter);
        }
        return parameters;
    }
};

inline void ExpectSentSection(const RecordingRealTimeSender::Call& call, const TSOS& section) {
    EXPECT_EQ(call.kind, RecordingRealTimeSender::Kind::Five);
    EXPECT_EQ(call.parameter, section.CoefIndex);
    for (int k = 0; k < 5; ++k) {
        EXPECT_DOUBLE_EQ(call.values[static_cast<std::size_t>(k)], section.GetCoefficient(k))
            << "coefficient " << k;
    }
}

inline int GridIndexNear(double hz) {
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    int best = 0;
    for (int i = 1; i <= FrequencyGrid::N; ++i) {
        if (std::abs(grid.GridHz[static_cast<std::size_t>(i)] - hz) <
            std::abs(grid.GridHz[static_cast<std::size_t>(best)] - hz)) {
            best = i;
        }
    }
    return best;
}

} // namespace veld23::testing
