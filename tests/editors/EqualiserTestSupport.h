#pragma once

#include "config/ProcessorConfiguration.h"
#include "editors/EqualiserEditor.h"
#include "support/RecordingRealTimeSender.h"

#include <string>
#include <vector>

namespace veld23::testing {

// An equaliser editor on a new configuration, in Real Time mode, with the sends of its
// creation forgotten, so each test sees only what its own actions send.
struct EqualiserFixture {
    ProcessorConfiguration config;
    RecordingRealTimeSender sender;
    EqualiserEditor editor{config, sender};
    // Each final-response refresh, with the magnitude of PEQ1 at 1 kHz as the editor had
    // evaluated it at that moment.
    std::vector<float> finalResponses;

    EqualiserFixture() {
        editor.SetRedrawFinalResponse(
            [this] { finalResponses.push_back(editor.Curve(1).magnitudeDb[kGridIndex1kHz]); });
        sender.calls.clear();
    }

    PeqBand& Band(int peq, int k) { return config.Peq[static_cast<std::size_t>(peq - 1)].Band(k); }

    // Grid point 221 is 1005 Hz, the one nearest 1 kHz.
    static constexpr int kGridIndex1kHz = 221;
};

// A pointer event on the plot at a data point, as the plot model hands it over.
inline PlotPointer At(double hz, double value, bool shift = false) {
    return PlotPointer{PixelPoint{}, PlotPoint{hz, value}, shift};
}

} // namespace veld23::testing
