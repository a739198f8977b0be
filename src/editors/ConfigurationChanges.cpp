#include "editors/ConfigurationChanges.h"

#include <cstddef>
#include <string_view>

namespace veld23 {

namespace {

using Content = ConfigurationFileContent;

// "a", "a and b"; more fields than two name the thing itself.
std::string Named(std::string thing, const std::vector<std::string_view>& fields) {
    if (fields.empty() || fields.size() > 2) {
        return thing;
    }
    thing += ' ';
    thing += fields[0];
    if (fields.size() == 2) {
        thing += " and ";
        thing += fields[1];
    }
    return thing;
}

// A changed type is the change: the gain and Q it zeroes or floors follow from it.
std::vector<std::string_view> BandFields(const Content::Band& a, const Content::Band& b) {
    if (a.SectionType != b.SectionType) {
        return {"type"};
    }
    std::vector<std::string_view> fields;
    if (a.Frequency != b.Frequency) {
        fields.push_back("frequency");
    }
    if (a.GainDb != b.GainDb) {
        fields.push_back("gain");
    }
    if (a.Q != b.Q) {
        fields.push_back("Q");
    }
    if (fields.empty() && a.Coefficients != b.Coefficients) {
        fields.push_back("coefficients");
    }
    return fields;
}

bool BandDiffers(const Content::Band& a, const Content::Band& b) {
    if (a.SectionType == kBypass && b.SectionType == kBypass) {
        return a.Frequency != b.Frequency || a.Coefficients != b.Coefficients;
    }
    return !(a == b);
}

void ComparePeq(int input, const Content::Equaliser& a, const Content::Equaliser& b,
                ConfigurationChanges& changes) {
    const auto i = static_cast<std::size_t>(input - 1);
    int changedBands = 0;
    int firstBand = 0;
    for (int k = 0; k < Content::kBands; ++k) {
        if (BandDiffers(a.bands[k], b.bands[k])) {
            changes.bands[i][static_cast<std::size_t>(k)] = true;
            firstBand = changedBands++ == 0 ? k + 1 : firstBand;
        }
    }
    if (changedBands == 0) {
        return;
    }
    changes.peq[i] = true;
    const std::string peq = "PEQ " + std::to_string(input);
    changes.names.push_back(
        changedBands > 1 ? peq
                         : Named(peq + " band " + std::to_string(firstBand),
                                 BandFields(a.bands[static_cast<std::size_t>(firstBand - 1)],
                                            b.bands[static_cast<std::size_t>(firstBand - 1)])));
}

void CompareCrossover(int output, const Content& a, const Content& b, OutputTopology topology,
                      ConfigurationChanges& changes) {
    const auto o = static_cast<std::size_t>(output - 1);
    const Content::Crossover& x = a.Crossovers[o];
    const Content::Crossover& y = b.Crossovers[o];
    if (x == y && a.CrossoverSolos[o] == b.CrossoverSolos[o]) {
        return;
    }
    changes.crossover[o] = true;
    std::vector<std::string_view> fields;
    const auto half = [&fields](const Content::Half& p, const Content::Half& q,
                                std::string_view frequency, std::string_view family,
                                std::string_view order) {
        if (p.Frequency != q.Frequency) {
            fields.push_back(frequency);
        }
        if (p.Family != q.Family) {
            fields.push_back(family);
        }
        if (p.Order != q.Order) {
            fields.push_back(order);
        }
    };
    if (!(a.CrossoverSolos[o] == b.CrossoverSolos[o])) {
        fields.push_back("solo");
    }
    half(x.HighPass, y.HighPass, "high-pass frequency", "high-pass family", "high-pass order");
    half(x.LowPass, y.LowPass, "low-pass frequency", "low-pass family", "low-pass order");
    changes.names.push_back(Named("crossover " + OutputName(output, topology), fields));
}

std::vector<std::string_view> DynamicsFields(const Content::DynamicsRecord& a,
                                             const Content::DynamicsRecord& b) {
    std::vector<std::string_view> fields;
    const auto add = [&fields](bool changed, std::string_view name) {
        if (changed) {
            fields.push_back(name);
        }
    };
    add(a.Umbral != b.Umbral, "threshold");
    add(a.Ratio != b.Ratio, "ratio");
    add(a.Knee != b.Knee, "knee");
    add(a.Tipo != b.Tipo, "type");
    add(a.Gain != b.Gain, "gain");
    add(a.GateIndex != b.GateIndex || a.Pendiente != b.Pendiente, "noise gate");
    add(a.Bypass != b.Bypass, "bypass");
    add(a.RmsCoef != b.RmsCoef, "attack");
    add(a.HoldSamples != b.HoldSamples, "hold");
    add(a.DecayCode != b.DecayCode, "release");
    add(a.LookAheadSamples != b.LookAheadSamples, "look-ahead");
    add(a.Zload != b.Zload || a.PowerMaxLoad != b.PowerMaxLoad || a.AmpGain != b.AmpGain ||
            a.PowerAmpMax != b.PowerAmpMax || a.Balanceado != b.Balanceado ||
            a.NumberSpeakers != b.NumberSpeakers,
        "speaker settings");
    return fields;
}

void CompareOutputs(const Content& a, const Content& b, OutputTopology topology,
                    ConfigurationChanges& changes) {
    for (int output = 1; output <= Content::kOutputs; ++output) {
        const auto o = static_cast<std::size_t>(output - 1);
        const Content::Level& x = a.Levels[o];
        const Content::Level& y = b.Levels[o];
        if (!(x == y)) {
            changes.levels = true;
            // Inverting the polarity flips the gain's sign too; the switch is the change.
            const std::string_view what = x.OutputInverted != y.OutputInverted ? "polarity"
                                          : x.OutputMuted != y.OutputMuted     ? "mute"
                                                                               : "level";
            changes.names.push_back(std::string(what) + " " + OutputName(output, topology));
        }
    }
    for (int output = 1; output <= Content::kOutputs; ++output) {
        const auto o = static_cast<std::size_t>(output - 1);
        if (a.Delays[o].DelayWord != b.Delays[o].DelayWord) {
            changes.delays = true;
            changes.names.push_back("delay " + OutputName(output, topology));
        }
    }
    for (int record = 1; record <= Content::kDynamicsRecords; ++record) {
        const auto r = static_cast<std::size_t>(record - 1);
        if (!(a.Dynamics[r] == b.Dynamics[r])) {
            changes.dynamics[r] = true;
            changes.names.push_back(Named("dynamics " + DynamicsRecordName(record, topology),
                                          DynamicsFields(a.Dynamics[r], b.Dynamics[r])));
        }
    }
    changes.lookAhead = a.Dynamics[0].LookAheadSamples != b.Dynamics[0].LookAheadSamples;
}

void CompareSettings(const Content& a, const Content& b, OutputTopology topology,
                     ConfigurationChanges& changes) {
    if (!(a.Routing == b.Routing)) {
        changes.routing = true;
        changes.names.emplace_back("route");
    }
    for (int output = 1; output <= Content::kOutputs; ++output) {
        const auto o = static_cast<std::size_t>(output - 1);
        if (a.Delays[o].AlignmentDelay != b.Delays[o].AlignmentDelay) {
            changes.distances = true;
            changes.names.push_back("distance " + OutputName(output, topology));
        }
    }
    if (a.DelayTemperature != b.DelayTemperature) {
        changes.distances = true;
        changes.names.emplace_back("temperature");
    }
    const SystemInformationTexts& s = a.SystemInformation;
    const SystemInformationTexts& t = b.SystemInformation;
    const std::pair<bool, const char*> texts[] = {
        {!(s.SystemName == t.SystemName), "preset name"},
        {!(s.ProjectName == t.ProjectName), "project name"},
        {!(s.Engineer == t.Engineer), "engineer"},
        {!(s.Comments == t.Comments), "comments"},
        {!(a.ChannelLabels == b.ChannelLabels), "labels"},
        {!(a.FinalResponse == b.FinalResponse), "final response blocks"},
    };
    for (const auto& [changed, name] : texts) {
        if (changed) {
            changes.names.emplace_back(name);
        }
    }
    if (!(a.MeasurementImport == b.MeasurementImport)) {
        changes.measurement = true;
        changes.names.emplace_back("measurement import");
    }
}

} // namespace

std::string OutputName(int output, OutputTopology topology) {
    if (output == 3) {
        return topology == OutputTopology::ThreeOutputs ? "SUB" : "OUT 2";
    }
    return "OUT " + std::to_string(output);
}

std::string DynamicsRecordName(int record, OutputTopology topology) {
    if (topology == OutputTopology::ThreeOutputs) {
        return record == 2 ? "SUB" : "OUT 1-2";
    }
    return record == 2 ? "OUT 2" : "OUT 1";
}

std::string ConfigurationChanges::StepName() const {
    if (names.empty()) {
        return {};
    }
    return names.size() == 1 ? names.front() : names.front() + " and more";
}

ConfigurationChanges CompareConfigurations(const ConfigurationFileContent& before,
                                           const ConfigurationFileContent& after) {
    ConfigurationChanges changes;
    const OutputTopology topology = after.Topology;
    if (before.Topology != after.Topology) {
        // A topology command moves routing, delays and more; it is one change.
        changes.topology = true;
        changes.names.emplace_back("topology");
    }
    for (int input = 1; input <= Content::kInputs; ++input) {
        ComparePeq(input, before.Peq[static_cast<std::size_t>(input - 1)],
                   after.Peq[static_cast<std::size_t>(input - 1)], changes);
    }
    for (int output = 1; output <= Content::kOutputs; ++output) {
        CompareCrossover(output, before, after, topology, changes);
    }
    if (!(before.Loudness1 == after.Loudness1)) {
        changes.loudness = true;
        const Content::Loudness& x = before.Loudness1;
        const Content::Loudness& y = after.Loudness1;
        std::vector<std::string_view> fields;
        if (x.SectionType != y.SectionType) {
            fields.push_back("type");
        }
        if (x.Frequency != y.Frequency) {
            fields.push_back("frequency");
        }
        if (x.GainDb != y.GainDb) {
            fields.push_back("gain");
        }
        changes.names.push_back(Named("SUB Reinforcement", fields));
    }
    CompareOutputs(before, after, topology, changes);
    CompareSettings(before, after, topology, changes);
    if (changes.topology) {
        changes.names.resize(1);
    }
    return changes;
}

} // namespace veld23
