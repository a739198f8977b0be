#include "config/ConfigurationFileRecord.h"

#include "config/LittleEndianRecord.h"

#include <algorithm>
#include <string>

namespace veld23 {

namespace {

using Content = ConfigurationFileContent;

// Field offsets of the record.
constexpr std::size_t kMagicOffset = 0;
constexpr std::size_t kMagicCapacity = 7;
constexpr std::size_t kFormatOffset = 10;
constexpr std::size_t kFormatCapacity = 4;
constexpr std::size_t kSystemNameOffset = 116;
constexpr std::size_t kProjectNameOffset = 157;
constexpr std::size_t kEngineerOffset = 188;
constexpr std::size_t kCommentsOffset = 219;
constexpr std::size_t kSampleRateOffset = 420;
constexpr std::size_t kTemperatureOffset = 424;
constexpr std::array<std::size_t, 5> kLabelOffsets{428, 435, 442, 449, 456};
constexpr std::size_t kDelayWordOffset = 464;
constexpr std::size_t kUsedBandsOffset = 476;
constexpr std::array<std::size_t, 2> kBandParameterOffsets{484, 680};
constexpr std::size_t kBandParameterSize = 28;
constexpr std::size_t kOutputGainOffset = 876;
constexpr std::size_t kInvertedOffset = 900;
constexpr std::size_t kMutedOffset = 903;
constexpr std::size_t kCrossoverOffset = 908;
constexpr std::size_t kCrossoverSize = 28;
constexpr std::size_t kLowPassAuxOffset = 992;
constexpr std::size_t kHighPassAuxOffset = 995;
constexpr std::size_t kLoudnessGainOffset = 1000;
constexpr std::size_t kLoudnessTypeOffset = 1016;
constexpr std::size_t kDynamicsOffset = 1020;
constexpr std::size_t kDynamicsSize = 64;
constexpr std::size_t kLoudnessFrequencyOffset = 1148;
constexpr std::size_t kRouteCOffset = 1156;
constexpr std::size_t kRouteDOffset = 1164;
constexpr std::size_t kRouteStateOffset = 1172;
constexpr std::size_t kFinalResponseOffset = 1180;
constexpr std::array<std::size_t, 3> kMeasurementFileOffsets{1185, 1286, 1387};
constexpr std::size_t kImportFileTypeOffset = 1488;
constexpr std::size_t kReferenceLevelOffset = 1492;
constexpr std::size_t kTopologyOffset = 1496;
constexpr std::size_t kAlignmentOffset = 1500;
constexpr std::size_t kGateIndexOffset = 1512;
constexpr std::size_t kPendienteOffset = 1520;
constexpr std::array<std::size_t, 2> kCoefficientOffsets{1528, 1878};
constexpr std::size_t kCoefficientBandSize = 50;
constexpr std::size_t kExt80Size = 10;
// The stored route amounts are tenths.
constexpr double kRouteScale = 10.0;

std::uint8_t Flag(bool value) {
    return value ? 1 : 0;
}

// Any non-zero byte counts as set, as the editor has always read them.
bool ReadFlag(const LittleEndianRecord& r, std::size_t offset) {
    return r.Byte(offset) != 0;
}

template <std::size_t N>
void PutText(LittleEndianRecord& r, std::size_t offset, const FixedText<N>& text) {
    r.PutString(offset, N, text.View());
}

template <std::size_t N>
void ReadText(const LittleEndianRecord& r, std::size_t offset, FixedText<N>& text) {
    text.Assign(r.String(offset, N));
}

void PutDynamics(LittleEndianRecord& r, std::size_t at, const Content::DynamicsRecord& d) {
    r.PutFloat32(at + 0, d.Umbral);
    r.PutFloat32(at + 4, d.Ratio);
    r.PutFloat32(at + 8, d.Gain);
    r.PutFloat32(at + 12, d.RmsCoef);
    r.PutInt32(at + 16, d.HoldSamples);
    r.PutInt32(at + 20, d.DecayCode);
    r.PutInt32(at + 24, d.LookAheadSamples);
    r.PutByte(at + 28, d.SpareFlag);
    r.PutByte(at + 29, d.Tipo);
    r.PutFloat32(at + 32, d.Knee);
    r.PutByte(at + 36, Flag(d.Balanceado));
    r.PutByte(at + 37, Flag(d.Diezmado));
    r.PutByte(at + 38, Flag(d.Bypass));
    r.PutFloat32(at + 40, d.xdBmaxLimit);
    r.PutFloat32(at + 44, d.AmpGain);
    r.PutFloat32(at + 48, d.Zload);
    r.PutFloat32(at + 52, d.PowerMaxLoad);
    r.PutFloat32(at + 56, d.PowerAmpMax);
    r.PutInt32(at + 60, d.NumberSpeakers);
}

Content::DynamicsRecord ReadDynamics(const LittleEndianRecord& r, std::size_t at) {
    Content::DynamicsRecord d;
    d.Umbral = r.Float32(at + 0);
    d.Ratio = r.Float32(at + 4);
    d.Gain = r.Float32(at + 8);
    d.RmsCoef = r.Float32(at + 12);
    d.HoldSamples = r.Int32(at + 16);
    d.DecayCode = r.Int32(at + 20);
    d.LookAheadSamples = r.Int32(at + 24);
    d.SpareFlag = r.Byte(at + 28);
    d.Tipo = r.Byte(at + 29);
    d.Knee = r.Float32(at + 32);
    d.Balanceado = ReadFlag(r, at + 36);
    d.Diezmado = ReadFlag(r, at + 37);
    d.Bypass = ReadFlag(r, at + 38);
    d.xdBmaxLimit = r.Float32(at + 40);
    d.AmpGain = r.Float32(at + 44);
    d.Zload = r.Float32(at + 48);
    d.PowerMaxLoad = r.Float32(at + 52);
    d.PowerAmpMax = r.Float32(at + 56);
    d.NumberSpeakers = r.Int32(at + 60);
    return d;
}

std::array<const ChannelLabelTexts::Label*, 5> Labels(const ChannelLabelTexts& l) {
    return {&l.In1, &l.In2, &l.Out1, &l.Out2, &l.Sub};
}
std::array<ChannelLabelTexts::Label*, 5> Labels(ChannelLabelTexts& l) {
    return {&l.In1, &l.In2, &l.Out1, &l.Out2, &l.Sub};
}

std::array<bool*, 5> Selections(FinalResponseSelections& s) {
    return {&s.SpkData, &s.PEQBox, &s.XOVERBox, &s.GAINBox, &s.DelayBox};
}
std::array<bool, 5> Selections(const FinalResponseSelections& s) {
    return {s.SpkData, s.PEQBox, s.XOVERBox, s.GAINBox, s.DelayBox};
}

} // namespace

bool IsConfigurationFileSize(std::size_t size) {
    return size == kConfigurationFileSize || size == kOlderConfigurationFileSize ||
           size == kOlderGateConfigurationFileSize;
}

bool HasConfigurationMagic(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 1 + kMagicCapacity || bytes[0] != kMagicCapacity) {
        return false;
    }
    return std::equal(kConfigurationMagic.begin(), kConfigurationMagic.end(), bytes.begin() + 1,
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

ConfigurationRecord EncodeConfigurationRecord(const ConfigurationFileContent& c,
                                              std::string_view fullPath) {
    ConfigurationRecord bytes{};
    LittleEndianRecord r(bytes);
    r.PutString(kMagicOffset, kMagicCapacity, kConfigurationMagic);
    r.PutString(kFormatOffset, kFormatCapacity, kConfigurationFormatText);
    std::string header(kConfigurationHeaderText);
    header.append(fullPath);
    r.PutString(kConfigurationHeaderOffset, kConfigurationHeaderCapacity, header);

    PutText(r, kSystemNameOffset, c.SystemInformation.SystemName);
    PutText(r, kProjectNameOffset, c.SystemInformation.ProjectName);
    PutText(r, kEngineerOffset, c.SystemInformation.Engineer);
    PutText(r, kCommentsOffset, c.SystemInformation.Comments);
    r.PutInt32(kSampleRateOffset, c.SampleRate);
    r.PutInt32(kTemperatureOffset, c.DelayTemperature);
    const auto labels = Labels(c.ChannelLabels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        PutText(r, kLabelOffsets[i], *labels[i]);
    }

    for (std::size_t input = 0; input < Content::kInputs; ++input) {
        r.PutInt32(kUsedBandsOffset + 4 * input, c.Peq[input].UsedBands);
        for (std::size_t k = 0; k < Content::kBands; ++k) {
            const Content::Band& band = c.Peq[input].bands[k];
            const std::size_t at = kBandParameterOffsets[input] + kBandParameterSize * k;
            r.PutDouble(at, band.GainDb);
            r.PutDouble(at + 8, band.Frequency);
            r.PutDouble(at + 16, band.Q);
            r.PutByte(at + 24, band.SectionType);
            const std::size_t coefficients = kCoefficientOffsets[input] + kCoefficientBandSize * k;
            for (std::size_t j = 0; j < Content::kCoefficients; ++j) {
                r.PutExt80(coefficients + kExt80Size * j, band.Coefficients[j]);
            }
        }
    }

    for (std::size_t o = 0; o < Content::kOutputs; ++o) {
        r.PutInt32(kDelayWordOffset + 4 * o, c.Delays[o].DelayWord);
        r.PutDouble(kOutputGainOffset + 8 * o, c.Levels[o].OutputGain);
        r.PutByte(kInvertedOffset + o, Flag(c.Levels[o].OutputInverted));
        r.PutByte(kMutedOffset + o, Flag(c.Levels[o].OutputMuted));
        const Content::Crossover& x = c.Crossovers[o];
        const std::size_t at = kCrossoverOffset + kCrossoverSize * o;
        r.PutFloat32(at, StoredFloat(x.HighPass.Frequency));
        r.PutFloat32(at + 4, StoredFloat(x.LowPass.Frequency));
        r.PutInt32(at + 8, x.LowPass.Order);
        r.PutInt32(at + 12, x.HighPass.Order);
        r.PutByte(at + 24, x.LowPass.Family);
        r.PutByte(at + 25, x.HighPass.Family);
        r.PutByte(kLowPassAuxOffset + o, Flag(c.CrossoverSolos[o].LowPassAux));
        r.PutByte(kHighPassAuxOffset + o, Flag(c.CrossoverSolos[o].HighPassAux));
        r.PutInt32(kAlignmentOffset + 4 * o, c.Delays[o].AlignmentDelay);
    }

    r.PutDouble(kLoudnessGainOffset, c.Loudness1.GainDb);
    r.PutByte(kLoudnessTypeOffset, c.Loudness1.SectionType);
    r.PutInt32(kLoudnessFrequencyOffset, StoredInt32(c.Loudness1.Frequency));

    for (std::size_t d = 0; d < Content::kDynamicsRecords; ++d) {
        PutDynamics(r, kDynamicsOffset + kDynamicsSize * d, c.Dynamics[d]);
        r.PutInt32(kGateIndexOffset + 4 * d, StoredInt32(c.Dynamics[d].GateIndex));
        r.PutInt32(kPendienteOffset + 4 * d, StoredInt32(c.Dynamics[d].Pendiente));
    }

    r.PutInt32(kRouteCOffset, StoredInt32(c.Routing.RouteC * kRouteScale));
    r.PutInt32(kRouteDOffset, StoredInt32(c.Routing.RouteD * kRouteScale));
    r.PutInt32(kRouteStateOffset, c.Routing.RouteState);
    const auto selections = Selections(c.FinalResponse);
    for (std::size_t i = 0; i < selections.size(); ++i) {
        r.PutByte(kFinalResponseOffset + i, Flag(selections[i]));
    }
    for (std::size_t slot = 0; slot < kMeasurementFileOffsets.size(); ++slot) {
        r.PutString(kMeasurementFileOffsets[slot], MeasurementImportSettings::kMaxPathLength,
                    c.MeasurementImport.MeasurementFiles[slot]);
    }
    r.PutInt32(kImportFileTypeOffset, c.MeasurementImport.ImportFileType);
    r.PutFloat32(kReferenceLevelOffset, StoredFloat(c.MeasurementImport.ReferenceLevel));
    r.PutByte(kTopologyOffset, Flag(TopologyFlag(c.Topology)));
    return bytes;
}

ConfigurationFileContent DecodeConfigurationRecord(std::span<const std::uint8_t> bytes) {
    ConfigurationRecord padded{};
    const std::size_t size = std::min(bytes.size(), padded.size());
    std::copy_n(bytes.begin(), size, padded.begin());
    const LittleEndianRecord r(padded);
    const bool older = size < kConfigurationFileSize;

    Content c;
    ReadText(r, kSystemNameOffset, c.SystemInformation.SystemName);
    ReadText(r, kProjectNameOffset, c.SystemInformation.ProjectName);
    ReadText(r, kEngineerOffset, c.SystemInformation.Engineer);
    ReadText(r, kCommentsOffset, c.SystemInformation.Comments);
    c.SampleRate = r.Int32(kSampleRateOffset);
    c.DelayTemperature = r.Int32(kTemperatureOffset);
    const auto labels = Labels(c.ChannelLabels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        ReadText(r, kLabelOffsets[i], *labels[i]);
    }

    for (std::size_t input = 0; input < Content::kInputs; ++input) {
        c.Peq[input].UsedBands = r.Int32(kUsedBandsOffset + 4 * input);
        for (std::size_t k = 0; k < Content::kBands; ++k) {
            Content::Band& band = c.Peq[input].bands[k];
            const std::size_t at = kBandParameterOffsets[input] + kBandParameterSize * k;
            band.GainDb = r.Double(at);
            band.Frequency = r.Double(at + 8);
            band.Q = r.Double(at + 16);
            band.SectionType = r.Byte(at + 24);
            if (older) {
                band.Coefficients = {1.0L, 0.0L, 0.0L, 0.0L, 0.0L};
                continue;
            }
            const std::size_t coefficients = kCoefficientOffsets[input] + kCoefficientBandSize * k;
            for (std::size_t j = 0; j < Content::kCoefficients; ++j) {
                band.Coefficients[j] = r.Ext80(coefficients + kExt80Size * j);
            }
        }
    }

    for (std::size_t o = 0; o < Content::kOutputs; ++o) {
        c.Delays[o].DelayWord = r.Int32(kDelayWordOffset + 4 * o);
        c.Delays[o].AlignmentDelay = r.Int32(kAlignmentOffset + 4 * o);
        c.Levels[o].OutputGain = r.Double(kOutputGainOffset + 8 * o);
        c.Levels[o].OutputInverted = ReadFlag(r, kInvertedOffset + o);
        c.Levels[o].OutputMuted = ReadFlag(r, kMutedOffset + o);
        Content::Crossover& x = c.Crossovers[o];
        const std::size_t at = kCrossoverOffset + kCrossoverSize * o;
        x.HighPass.Frequency = r.Float32(at);
        x.LowPass.Frequency = r.Float32(at + 4);
        x.LowPass.Order = r.Int32(at + 8);
        x.HighPass.Order = r.Int32(at + 12);
        x.LowPass.Family = r.Byte(at + 24);
        x.HighPass.Family = r.Byte(at + 25);
        c.CrossoverSolos[o].LowPassAux = ReadFlag(r, kLowPassAuxOffset + o);
        c.CrossoverSolos[o].HighPassAux = ReadFlag(r, kHighPassAuxOffset + o);
    }

    c.Loudness1.GainDb = r.Double(kLoudnessGainOffset);
    c.Loudness1.SectionType = r.Byte(kLoudnessTypeOffset);
    c.Loudness1.Frequency = r.Int32(kLoudnessFrequencyOffset);

    for (std::size_t d = 0; d < Content::kDynamicsRecords; ++d) {
        c.Dynamics[d] = ReadDynamics(r, kDynamicsOffset + kDynamicsSize * d);
        // The gate fields of a 1528-byte file came from a version whose gate meant
        // something else; they are replaced like the missing ones of a 1512-byte file.
        c.Dynamics[d].GateIndex =
            older ? kOlderFileGateIndex : static_cast<float>(r.Int32(kGateIndexOffset + 4 * d));
        c.Dynamics[d].Pendiente =
            older ? kOlderFileRampLength : static_cast<float>(r.Int32(kPendienteOffset + 4 * d));
    }

    c.Routing.RouteC = r.Int32(kRouteCOffset) / kRouteScale;
    c.Routing.RouteD = r.Int32(kRouteDOffset) / kRouteScale;
    c.Routing.RouteState = r.Int32(kRouteStateOffset);
    const auto selections = Selections(c.FinalResponse);
    for (std::size_t i = 0; i < selections.size(); ++i) {
        *selections[i] = ReadFlag(r, kFinalResponseOffset + i);
    }
    for (std::size_t slot = 0; slot < kMeasurementFileOffsets.size(); ++slot) {
        c.MeasurementImport.MeasurementFiles[slot] =
            r.String(kMeasurementFileOffsets[slot], MeasurementImportSettings::kMaxPathLength);
    }
    c.MeasurementImport.ImportFileType = r.Int32(kImportFileTypeOffset);
    c.MeasurementImport.ReferenceLevel = r.Float32(kReferenceLevelOffset);
    c.Topology = TopologyFromFlag(ReadFlag(r, kTopologyOffset));
    return c;
}

} // namespace veld23
