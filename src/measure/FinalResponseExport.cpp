#include "measure/FinalResponseExport.h"

#include "config/ProcessorConfiguration.h"
#include "config/Windows1252.h"
#include "dsp/FrequencyGrid.h"

#include <cstdio>
#include <string>

namespace veld23 {

namespace {

constexpr int kChannels = FinalResponseCurves::kChannels;

std::string FileName(const ProcessorConfiguration& config, int curve) {
    if (curve == FinalResponseCurves::kSum) {
        return "sum.frd";
    }
    if (curve == 2 && config.Topology == OutputTopology::ThreeOutputs) {
        return "sub.frd";
    }
    return "out" + std::to_string(curve + 1) + ".frd";
}

std::string Title(const ProcessorConfiguration& config, int curve) {
    if (curve == FinalResponseCurves::kSum) {
        return "the sum of the channels";
    }
    return "channel " + std::to_string(curve + 1) + " (" +
           Windows1252ToUtf8(config.OutputChannelLabel(curve + 1).View()) + ")";
}

std::string Blocks(const FinalResponseSelections& s) {
    const auto on = [](bool selected) { return selected ? " on" : " off"; };
    return std::string("SPEAKERS DATA") + on(s.SpkData) + ", PEQS" + on(s.PEQBox) + ", XOVER" +
           on(s.XOVERBox) + ", GAIN" + on(s.GAINBox) + ", DELAY" + on(s.DelayBox);
}

// What the curves leave out or hold flat, so nobody reads a muted channel's 0 dB line as
// sound: the view draws it flat and leaves it out of the sum.
std::string Notes(const ProcessorConfiguration& config, int curve) {
    std::string notes;
    for (int c = 0; c < kChannels; ++c) {
        if ((curve == c || curve == FinalResponseCurves::kSum) &&
            config.Levels[c].OutputOnFactor == 0.0) {
            notes += "* channel " + std::to_string(c + 1) +
                     " is muted: drawn flat at 0 dB and left out of the sum\n";
        }
    }
    if (curve == FinalResponseCurves::kSum && config.Topology == OutputTopology::TwoOutputs) {
        notes += "* channel 2 is not part of the sum with two outputs\n";
    }
    return notes;
}

// Four decimals, without the sign of a value that rounds to zero.
void AppendValue(std::string& text, float value) {
    char number[32];
    std::snprintf(number, sizeof number, "%.4f", double{value});
    text += std::string_view(number) == "-0.0000" ? "0.0000" : number;
}

std::string FrdText(const ProcessorConfiguration& config, const FinalResponseCurves& magnitude,
                    const FinalResponseCurves& phase, int curve, std::string_view origin) {
    std::string text = "* VELD23 final response of " + Title(config, curve) + "\n";
    text += "* " + DescribeConfiguration(config, origin) + "\n";
    text += "* blocks: " + Blocks(config.FinalResponse) + "\n";
    text += Notes(config, curve);
    text += "* hz magnitude_db phase_deg\n";
    const auto& grid = FrequencyGrid::Shared();
    char line[96];
    for (int j = 0; j <= FrequencyGrid::N; ++j) {
        // The grid repeats its lowest whole frequencies; a frequency is written once.
        if (j > 0 && grid.GridHz[j] == grid.GridHz[j - 1]) {
            continue;
        }
        std::snprintf(line, sizeof line, "%d ", grid.GridHz[j]);
        text += line;
        AppendValue(text, magnitude.magnitudeDb[curve][j]);
        text += ' ';
        AppendValue(text, phase.phaseDeg[curve][j]);
        text += '\n';
    }
    return text;
}

} // namespace

std::vector<ExportFile> FinalResponseFrdFiles(const ProcessorConfiguration& config,
                                              const FinalResponseSources& sources,
                                              int lookAheadSamples, std::string_view origin) {
    FinalResponseCurves magnitude;
    FinalResponseCurves phase;
    ComputeFinalResponse(config, sources, lookAheadSamples, ResponseView::Magnitude, magnitude);
    ComputeFinalResponse(config, sources, lookAheadSamples, ResponseView::Phase, phase);
    std::vector<ExportFile> files;
    for (int curve = 0; curve <= FinalResponseCurves::kSum; ++curve) {
        files.push_back(
            {FileName(config, curve), FrdText(config, magnitude, phase, curve, origin)});
    }
    return files;
}

} // namespace veld23
