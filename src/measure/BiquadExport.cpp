#include "measure/BiquadExport.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/SectionDesign.h"
#include "measure/ExportFiles.h"

#include <cstdio>
#include <vector>

namespace veld23 {

namespace {

struct Block {
    std::string title;
    std::vector<const TSOS*> sections;
    std::string note{}; // a comment line before the title
};

Block Equaliser(const std::string& output, const PeqSet& set) {
    // All seven bands: the processor runs every one of them.
    Block block{"# " + output + " PEQ", {}};
    for (const PeqBand& band : set.bands) {
        block.sections.push_back(&band);
    }
    return block;
}

Block Crossover(const std::string& output, const TXOVER& crossover) {
    // The sections the crossover's response is made of: its low-pass half, then its
    // high-pass half, as far as each is in use.
    Block block{"# " + output + " X-OVER", {}};
    const XoverEvaluationList list = BuildEvaluationList(crossover);
    for (int i = 0; i < list.count; ++i) {
        block.sections.push_back(list.sections[i]);
    }
    return block;
}

void AppendSection(std::string& text, int number, const TSOS& s) {
    char line[64];
    std::snprintf(line, sizeof line, "biquad%d,\n", number);
    text += line;
    const char* names[] = {"b0", "b1", "b2", "a1", "a2"};
    for (int k = 0; k < 5; ++k) {
        std::snprintf(line, sizeof line, "%s=%.17g,\n", names[k], s.GetCoefficient(k));
        text += line;
    }
}

} // namespace

std::string BiquadExportText(const ProcessorConfiguration& config, std::string_view origin) {
    const bool three = config.Topology == OutputTopology::ThreeOutputs;
    std::vector<Block> blocks;
    blocks.push_back(Equaliser("OUT 1", config.Peq[0]));
    blocks.push_back(Crossover("OUT 1", config.Crossovers[0]));
    blocks.push_back(Equaliser("OUT 2", config.Peq[1]));
    // With two outputs the third channel is the second output.
    blocks.push_back(Crossover("OUT 2", config.Crossovers[three ? 1 : 2]));

    TSOS fixedLowPass;
    if (three) {
        char mix[160];
        std::snprintf(mix, sizeof mix,
                      "# SUB input: %.17g x IN 1 + %.17g x IN 2, each after its PEQ\n",
                      config.Routing.RouteC, config.Routing.RouteD);
        blocks.push_back({"# SUB Reinforcement", {&config.Loudness[0]}, mix});
        blocks.push_back(Crossover("SUB", config.Crossovers[2]));
        fixedLowPass.Frequency = kSubLowPassHz;
        DesignLowPassButtw(fixedLowPass);
        blocks.push_back({"# SUB fixed low-pass (470 Hz, not editable)", {&fixedLowPass}});
    }

    std::string text = "# VELD23 biquads of the " + DescribeConfiguration(config, origin) + "\n";
    text += "# " + std::to_string(config.SampleRate) +
            " Hz; H(z) = (b0 + b1 z^-1 + b2 z^-2) / (1 - a1 z^-1 - a2 z^-2)\n";
    for (const Block& block : blocks) {
        text += block.note + block.title + "\n";
        if (block.sections.empty()) {
            text += "# (no sections: bypassed)\n";
        }
        int number = 0;
        for (const TSOS* section : block.sections) {
            AppendSection(text, ++number, *section);
        }
    }
    return text;
}

} // namespace veld23
