#include "device/DeviceImageBlocks.h"

#include "config/ProcessorConfiguration.h"
#include "device/DeviceImageLayout.h"
#include "device/Encodings.h"
#include "dsp/Coef22Range.h"
#include "dsp/DynamicsValues.h"

namespace veld23 {

using namespace image_layout;

namespace {

constexpr int kHalfOrderAlone = 4;
constexpr int kHalfOrderShared = 2;

// Writes words by number, so every word lands at its place whatever was written
// before it.
class BlockWriter {
  public:
    explicit BlockWriter(ProcessorBlockBytes bytes) : bytes_(bytes) {}

    // Held to the word's range first: a value at or above +2 would otherwise wrap
    // to a large negative coefficient.
    void Coef(std::size_t word, long double value) {
        Put(word, EncodeCoef22(HoldToCoef22Range(value)));
    }
    void Integer(std::size_t word, std::int32_t value) {
        Put(word, EncodeWord16in24(static_cast<std::uint32_t>(value)));
    }
    void Section(std::size_t firstWord, const TSOS& section) {
        Coef(firstWord, section.b0);
        Coef(firstWord + 1, section.b1);
        Coef(firstWord + 2, section.b2);
        Coef(firstWord + 3, section.a1);
        Coef(firstWord + 4, section.a2);
    }

  private:
    void Put(std::size_t word, const Coef22Bytes& b) {
        if (word >= kProcessorBlockWords) {
            return;
        }
        for (std::size_t i = 0; i < b.size(); ++i) {
            bytes_[3 * word + i] = b[i];
        }
    }

    ProcessorBlockBytes bytes_;
};

TSOS FlatSection() {
    TSOS flat;
    flat.SetBypass();
    return flat;
}

void WriteEqualiser(BlockWriter& w, const PeqSet& set, std::size_t firstWord) {
    for (int k = 1; k <= PeqSet::kBands; ++k) {
        w.Section(firstWord + kWordsPerSection * static_cast<std::size_t>(k - 1), set.Band(k));
    }
}

std::size_t CrossoverWord(int output) {
    return kCrossoverBaseWord + kCrossoverWordsPerOutput * static_cast<std::size_t>(output);
}

void WriteDynamics(BlockWriter& w, const TDYNAMIC& record, int number) {
    const dynamics::DeviceAddresses& at = dynamics::AddressesOf(number);
    for (int k = 0; k < TDYNAMIC::kTableSize; ++k) {
        w.Coef(at.tableFirst + static_cast<std::size_t>(k), record.Tabla[k]);
    }
    w.Coef(at.rmsCoef, record.RmsCoef);
    w.Coef(at.outGain, record.OutGain);
}

} // namespace

std::array<TSOS, 2> CrossoverSlotSections(const TXOVER& crossover) {
    const TXOVERPB& high = crossover.HighPass;
    const TXOVERPB& low = crossover.LowPass;
    if (high.Order == kHalfOrderAlone) {
        return {high.Sections[1], high.Sections[0]};
    }
    if (low.Order == kHalfOrderAlone) {
        return {low.Sections[1], low.Sections[0]};
    }
    return {low.Order == kHalfOrderShared ? FirstSlotSection(low) : FlatSection(),
            high.Order == kHalfOrderShared ? FirstSlotSection(high) : FlatSection()};
}

void WriteProcessorBlock(const ProcessorConfiguration& config, int block,
                         ProcessorBlockBytes bytes) {
    BlockWriter w(bytes);
    const bool running = block == 1;
    // Block 2 carries flat equalisers; they are the shadow sets, which nothing edits.
    const auto& equalisers = running ? config.Peq : config.ShadowPeq;
    WriteEqualiser(w, equalisers[0], kEqIn1Word);
    WriteEqualiser(w, equalisers[1], kEqIn2Word);

    for (int output = 1; output <= ProcessorConfiguration::kOutputs; ++output) {
        const TXOVER& crossover = config.Crossovers[static_cast<std::size_t>(output - 1)];
        const std::size_t first = CrossoverWord(output);
        if (running) {
            const std::array<TSOS, 2> slots = CrossoverSlotSections(crossover);
            w.Section(first, slots[0]);
            w.Section(first + kWordsPerSection, slots[1]);
        } else {
            w.Section(first, crossover.LowPass.Sections[0]);
            w.Section(first + kWordsPerSection, crossover.LowPass.Sections[1]);
        }
    }

    w.Section(kLoudnessWord, config.Loudness[running ? 0 : 1]);
    w.Section(kFlatSectionWord, FlatSection());

    WriteDynamics(w, config.Dynamics[0], 1);
    WriteDynamics(w, config.Dynamics[1], 2);
    w.Coef(kConstant180Word, kConstant180);
    w.Integer(kLookAheadWord, config.Dynamics[0].LookAheadSamples);
    for (std::size_t o = 0; o < config.Delays.size(); ++o) {
        w.Integer(kDelayWord + o, config.Delays[o].DelayWord);
    }
    w.Coef(kZero185Word, 0.0L);
    w.Coef(kConstant186Word, kConstant186);
    const InputRouting& r = config.Routing;
    w.Coef(kRouteWord, r.RouteA);
    w.Coef(kRouteWord + 1, r.RouteB);
    w.Coef(kRouteWord + 2, r.RouteC);
    w.Coef(kRouteWord + 3, r.RouteD);
    w.Integer(kHoldWord, config.Dynamics[0].HoldSamples);
    w.Integer(kHoldWord + 1, config.Dynamics[1].HoldSamples);
    w.Integer(kDecayWord, config.Dynamics[0].DecayCode);
    w.Integer(kDecayWord + 1, config.Dynamics[1].DecayCode);
    for (std::size_t word = kDecayWord + 2; word < kOutputGainWord; ++word) {
        w.Coef(word, 0.0L);
    }
    for (std::size_t o = 0; o < config.Levels.size(); ++o) {
        w.Coef(kOutputGainWord + o, config.Levels[o].DeviceValue());
    }
}

} // namespace veld23
