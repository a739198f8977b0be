#include "config/ConfigurationFileContent.h"

#include "config/ProcessorConfiguration.h"

namespace veld23 {

namespace {

ConfigurationFileContent::Half CaptureHalf(const TXOVERPB& half) {
    return {half.Family, half.Order, half.Frequency};
}

ConfigurationFileContent::DynamicsRecord CaptureDynamics(const TDYNAMIC& d) {
    ConfigurationFileContent::DynamicsRecord r;
    r.Umbral = d.Umbral;
    r.Ratio = d.Ratio;
    r.Gain = d.Gain;
    r.GateIndex = d.GateIndex;
    r.Pendiente = d.Pendiente;
    r.SpareFlag = d.SpareFlag;
    r.Zload = d.Zload;
    r.PowerMaxLoad = d.PowerMaxLoad;
    r.AmpGain = d.AmpGain;
    r.PowerAmpMax = d.PowerAmpMax;
    r.Balanceado = d.Balanceado;
    r.NumberSpeakers = d.NumberSpeakers;
    r.Tipo = d.Tipo;
    r.Knee = d.Knee;
    r.Bypass = d.Bypass;
    r.Diezmado = d.Diezmado;
    r.xdBmaxLimit = d.xdBmaxLimit;
    r.RmsCoef = StoredFloat(d.RmsCoef);
    r.HoldSamples = d.HoldSamples;
    r.DecayCode = d.DecayCode;
    r.LookAheadSamples = d.LookAheadSamples;
    return r;
}

} // namespace

ConfigurationFileContent CaptureConfiguration(const ProcessorConfiguration& config) {
    ConfigurationFileContent c;
    c.SystemInformation = config.SystemInformation;
    c.ChannelLabels = config.ChannelLabels;
    c.Topology = config.Topology;
    c.SampleRate = config.SampleRate;
    c.DelayTemperature = config.DelayTemperature;
    c.Routing = {config.Routing.RouteState, config.Routing.RouteC, config.Routing.RouteD};

    for (int input = 0; input < ConfigurationFileContent::kInputs; ++input) {
        const PeqSet& set = config.Peq[input];
        ConfigurationFileContent::Equaliser& stored = c.Peq[input];
        stored.UsedBands = set.UsedBands;
        for (int k = 0; k < ConfigurationFileContent::kBands; ++k) {
            const PeqBand& band = set.bands[k];
            stored.bands[k] = {band.SectionType,
                               band.GainDb,
                               band.Frequency,
                               band.Q,
                               {band.b0, band.b1, band.b2, band.a1, band.a2}};
        }
    }

    for (int output = 0; output < ConfigurationFileContent::kOutputs; ++output) {
        c.Crossovers[output] = {CaptureHalf(config.Crossovers[output].HighPass),
                                CaptureHalf(config.Crossovers[output].LowPass)};
        c.CrossoverSolos[output] = {config.CrossoverSolos[output].HighPassAux,
                                    config.CrossoverSolos[output].LowPassAux};
        const OutputLevel& level = config.Levels[output];
        c.Levels[output] = {level.OutputGain, level.OutputInverted, level.OutputMuted};
        const OutputDelay& delay = config.Delays[output];
        c.Delays[output] = {delay.DelayWord, delay.AlignmentDelay};
    }

    const LoudnessSection& loudness = config.Loudness[0];
    c.Loudness1 = {loudness.SectionType, loudness.GainDb, loudness.Frequency};

    for (int record = 0; record < ConfigurationFileContent::kDynamicsRecords; ++record) {
        c.Dynamics[record] = CaptureDynamics(config.Dynamics[record]);
    }

    c.MeasurementImport = config.MeasurementImport;
    for (std::string& path : c.MeasurementImport.MeasurementFiles) {
        if (path.size() > MeasurementImportSettings::kMaxPathLength) {
            path.resize(MeasurementImportSettings::kMaxPathLength);
        }
    }
    c.FinalResponse = config.FinalResponse;
    return c;
}

} // namespace veld23
