#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImageSteps.h"
#include "device/DeviceImageLayout.h"
#include "dsp/Crossover.h"
#include "dsp/CrossoverHalf.h"
#include "dsp/LoudnessSection.h"
#include "dsp/PeqRules.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

using namespace image_layout;

namespace {

// What an image written before the gate fields existed gets.
constexpr float kOldImageGateIndex = 13.0f;
constexpr float kOldImagePendiente = 4.0f;

// The band as the equaliser's controls can hold it: a type from its list, each
// field within its range and at its shown decimals, and the floors and caps that
// the type brings.
void HoldBandToEditor(PeqBand& band) {
    band.SectionType =
        EqTypeList()[static_cast<std::size_t>(EqTypeListIndex(band.SectionType))].sectionType;
    band.Frequency = std::clamp(band.Frequency, kBandMinHz, kBandMaxHz);
    band.GainDb = field_number::Shown(std::clamp(band.GainDb, kBandMinGainDb, kBandMaxGainDb), 1);
    band.Q = field_number::Shown(std::clamp(band.Q, kBandMinQ, kBandMaxQ), 1);
    ApplyTypeChoiceRules(band);
}

void ReadBand(PeqBand& band, const DeviceImageReader& image, std::size_t at,
              std::size_t coefficientOffset) {
    if (const auto type = SectionTypeFromPeqCode(image.PanelByte(at + kBandType))) {
        band.SectionType = *type;
    }
    band.Frequency = image.PanelWord(at + kBandFrequency);
    band.GainDb = (kGainCodeOffset - image.PanelWord(at + kBandGain)) * 0.1 - 15.0;
    band.Q = (kQCodeTop - image.PanelByte(at + kBandQ)) / 10.0;
    HoldBandToEditor(band);
    if (band.SectionType == kIirCoeff) {
        // Typed coefficients exist only as the processor holds them; every word
        // decodes to a multiple of 2^-20 within -2 .. 2.
        for (int k = 0; k < static_cast<int>(kWordsPerSection); ++k) {
            band.SetCoefficient(k, image.Coef(coefficientOffset + 3 * static_cast<std::size_t>(k)));
        }
    } else {
        RedesignBand(band);
    }
}

void ReadEqualiser(PeqSet& set, const DeviceImageReader& image, std::size_t panelFirst,
                   std::size_t firstWord) {
    for (int k = 1; k <= PeqSet::kBands; ++k) {
        const std::size_t index = static_cast<std::size_t>(k - 1);
        ReadBand(set.Band(k), image, panelFirst + kEqBandStride * index,
                 Block1Offset(firstWord + kWordsPerSection * index));
    }
}

double HoldCrossoverFrequency(double hz) {
    return std::clamp(std::nearbyint(hz), double{kCrossoverLowestHz}, double{kCrossoverHighestHz});
}

// The crossover editor's rules: at most one solo (solo L wins, as the window checks
// it first), the half a solo leaves out held at bypass, and the order rule. A family
// the program does not know becomes bypass, one of the other half what its list shows.
void HoldCrossoverToEditor(TXOVER& crossover, CrossoverSolo& solo) {
    if (solo.HighPassAux && solo.LowPassAux) {
        solo.LowPassAux = false;
    }
    for (const XoverSide side : {XoverSide::HighPass, XoverSide::LowPass}) {
        TXOVERPB& half = side == XoverSide::HighPass ? crossover.HighPass : crossover.LowPass;
        half.Family = FamilyOnSide(half.Family, side);
        half.Frequency = HoldCrossoverFrequency(half.Frequency);
    }
    if (solo.HighPassAux) {
        crossover.LowPass.Family = kXoverBypass;
    }
    if (solo.LowPassAux) {
        crossover.HighPass.Family = kXoverBypass;
    }
    const auto soloOrder = [](std::int32_t order) {
        return order > kSharedCrossoverOrder ? kSoloCrossoverHighestOrder : kSharedCrossoverOrder;
    };
    crossover.HighPass.Order =
        solo.HighPassAux ? soloOrder(crossover.HighPass.Order) : kSharedCrossoverOrder;
    crossover.LowPass.Order =
        solo.LowPassAux ? soloOrder(crossover.LowPass.Order) : kSharedCrossoverOrder;
}

// As the crossover editor designs a half: the half's frequency is the sections'
// starting point, except for the families designed from the sections' own values.
void DesignHalf(TXOVERPB& half) {
    if (half.Family != kSectionsLowPass && half.Family != kSectionsHighPass) {
        half.Sections[0].Frequency = half.Frequency;
        half.Sections[1].Frequency = half.Frequency;
    }
    // Held to the editor's rules first: a family of its side, an order of 2 or 4 and a
    // frequency of 20 Hz to 20 kHz, which every family designs.
    static_cast<void>(half.Design());
}

} // namespace

void ReadEqualisers(ProcessorConfiguration& config, const DeviceImageReader& image) {
    ReadEqualiser(config.Peq[0], image, kEqIn1, kEqIn1Word);
    ReadEqualiser(config.Peq[1], image, kEqIn2, kEqIn2Word);
}

void ReadCrossovers(ProcessorConfiguration& config, const DeviceImageReader& image) {
    for (std::size_t o = 0; o < config.Crossovers.size(); ++o) {
        TXOVER& crossover = config.Crossovers[o];
        CrossoverSolo& solo = config.CrossoverSolos[o];
        const std::size_t at = kCrossover + kCrossoverStride * o;
        crossover.LowPass.Family = image.PanelByte(at + kLowPassFamily);
        crossover.LowPass.Frequency = image.PanelWord(at + kLowPassFrequency);
        crossover.LowPass.Order = image.PanelByte(at + kLowPassOrder);
        solo.LowPassAux = image.PanelFlag(at + kLowPassAux);
        crossover.HighPass.Family = image.PanelByte(at + kHighPassFamily);
        crossover.HighPass.Frequency = image.PanelWord(at + kHighPassFrequency);
        crossover.HighPass.Order = image.PanelByte(at + kHighPassOrder);
        solo.HighPassAux = image.PanelFlag(at + kHighPassAux);
        HoldCrossoverToEditor(crossover, solo);
        DesignHalf(crossover.HighPass);
        DesignHalf(crossover.LowPass);
    }
}

void ReadLoudness(ProcessorConfiguration& config, const DeviceImageReader& image) {
    LoudnessSection& section = config.Loudness[0];
    // The slider laws are 80 - position and (120 - position) / 10, held to the sliders.
    section.Frequency = LoudnessFrequencyFromPosition(image.PanelByte(kLoudnessFrequency));
    section.GainDb = LoudnessGainFromPosition(image.PanelByte(kLoudnessGain));
    if (const auto type = SectionTypeFromPeqCode(image.PanelByte(kLoudnessType))) {
        section.SectionType = *type;
    }
    // The window offers "Param" and "High P." only, and shows every other type as
    // "Param".
    if (section.SectionType != kHiPassQ) {
        section.SectionType = kParametricQAdap;
    }
    DesignLoudness(section);
}

void ReadLevels(ProcessorConfiguration& config, const DeviceImageReader& image) {
    for (std::size_t o = 0; o < config.Levels.size(); ++o) {
        OutputLevel& level = config.Levels[o];
        const std::size_t at = kLevel + kLevelStride * o;
        level.LevelPosition =
            std::min<std::int32_t>(image.PanelWord(at), OutputLevel::kMaxPosition);
        level.OutputMuted = image.PanelFlag(at + 2);
        level.OutputInverted = image.PanelFlag(at + 3);
    }
}

void ReadDelays(ProcessorConfiguration& config, const DeviceImageReader& image) {
    const bool twoOutputs = config.Topology == OutputTopology::TwoOutputs;
    for (int output = 1; output <= OutputDelay::kOutputs; ++output) {
        const std::size_t index = static_cast<std::size_t>(output - 1);
        // Only the low byte of the delay word is read: the panel's own delay codes are
        // not, and a word never exceeds 165 anyway.
        const std::uint8_t word = image.Byte(Block1Offset(kDelayWord + index) + 2);
        config.Delays[index].DelayPosition = OutputDelay::PositionForWord(word, output, twoOutputs);
    }
    config.DelayTemperature = image.PanelByte(kDelayTemperature);
    HoldDelaysToEditorRanges(config.Delays, config.DelayTemperature, twoOutputs);
}

void ReadDynamics(ProcessorConfiguration& config, const DeviceImageReader& image) {
    for (int record = 1; record <= ProcessorConfiguration::kDynamicsRecords; ++record) {
        TDYNAMIC& d = config.Dynamics[static_cast<std::size_t>(record - 1)];
        const std::size_t at = kDynamics + kDynamicsStride * static_cast<std::size_t>(record - 1);
        // The threshold code is the threshold slider's position.
        d.Umbral = config.UmbralFromThresholdPosition(record, image.PanelByte(at + kThreshold));
        d.Ratio = static_cast<float>(kRatioTop - image.PanelByte(at + kRatio));
        d.Knee = static_cast<float>((kKneeTop - image.PanelByte(at + kKnee)) / 2.0L);
        d.Tipo = image.PanelByte(at + kTipo);
        d.Bypass = image.PanelFlag(at + kBypassSwitch);
        // The setters hold each time to its field's range.
        d.SetAttack(image.PanelByte(at + kAttack));
        d.SetLookAhead(image.PanelByte(at + kLookAhead));
        d.SetHold(image.PanelByte(at + kHold));
        d.SetRelease(image.PanelByte(at + kRelease));
        d.HoldToEditorRanges();
    }
}

void ReadSpeakerSettings(ProcessorConfiguration& config, const DeviceImageReader& image) {
    for (int record = 1; record <= ProcessorConfiguration::kDynamicsRecords; ++record) {
        TDYNAMIC& d = config.Dynamics[static_cast<std::size_t>(record - 1)];
        const std::size_t at = kSpeaker + kSpeakerStride * static_cast<std::size_t>(record - 1);
        d.Zload = static_cast<float>(image.PanelWord(at + kZload) / kZloadScale);
        d.PowerMaxLoad = image.PanelWord(at + kPowerMaxLoad);
        d.PowerAmpMax = image.PanelWord(at + kPowerAmpMax);
        d.AmpGain = image.PanelByte(at + kAmpGain);
        d.Balanceado = image.PanelFlag(at + kBalanceado);
        d.HoldToEditorRanges();
    }
}

void ReadAlignmentDelays(ProcessorConfiguration& config, const DeviceImageReader& image) {
    for (std::size_t o = 0; o < config.Delays.size(); ++o) {
        config.Delays[o].AlignmentDelay = image.PanelByte(kAlignmentDelay + o);
    }
    HoldDelaysToEditorRanges(config.Delays, config.DelayTemperature,
                             config.Topology == OutputTopology::TwoOutputs);
}

void ReadNoiseGates(ProcessorConfiguration& config, const DeviceImageReader& image) {
    const bool hasGateFields = image.Byte(kImageVersionOffset) >= kImageFormatVersion;
    for (std::size_t r = 0; r < config.Dynamics.size(); ++r) {
        TDYNAMIC& d = config.Dynamics[r];
        d.GateIndex = hasGateFields ? image.PanelByte(kGateIndex + r) : kOldImageGateIndex;
        d.Pendiente = hasGateFields ? image.PanelByte(kPendiente + r) : kOldImagePendiente;
        d.HoldToEditorRanges();
    }
}

} // namespace veld23
