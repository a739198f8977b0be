#include "config/ConfigurationFileRestore.h"

#include "config/ConfigurationFileContent.h"
#include "config/ConfigurationFileLimits.h"
#include "config/LoadedConfigurationSteps.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/Coef22Range.h"
#include "dsp/Crossover.h"

#include <cmath>

namespace veld23 {

namespace {

using Content = ConfigurationFileContent;
using stored::Hold;

void RestoreBandParameters(PeqBand& band, const Content::Band& s) {
    const TSOS fresh;
    // A type the list does not offer would design nothing the user can see.
    band.SectionType =
        s.SectionType <= stored::kHighestSectionType ? s.SectionType : std::uint8_t{kBypass};
    band.GainDb = Hold(s.GainDb, kBandMinGainDb, kBandMaxGainDb, fresh.GainDb);
    band.Frequency = Hold(s.Frequency, kBandMinHz, kBandMaxHz, fresh.Frequency);
    band.Q = Hold(s.Q, kBandMinQ, kBandMaxQ, fresh.Q);
}

void RestoreBandCoefficients(PeqBand& band, const Content::Band& s) {
    for (int j = 0; j < Content::kCoefficients; ++j) {
        long double value = HoldToCoef22Range(s.Coefficients[j]);
        // A typed coefficient only ever comes from its field as a whole number of word
        // steps. One from elsewhere is cut to the step the processor would receive (the
        // word truncates toward zero), so what is shown, saved and sent agrees and the
        // JSON form, whose numbers are doubles, holds it exactly. Designed bands are
        // computed again by the equaliser refresh.
        if (band.SectionType == kIirCoeff) {
            value = std::trunc(value / kCoef22Step) * kCoef22Step;
        }
        band.SetCoefficient(j, value);
    }
}

void RestoreHalf(TXOVERPB& half, const Content::Half& s, XoverSide side) {
    // NaN lands where the frequency field puts text it cannot read: at its bottom.
    half.Frequency = Hold(s.Frequency, stored::kCrossoverMinHz, stored::kCrossoverMaxHz,
                          stored::kCrossoverMinHz);
    half.Family = FamilyOnSide(s.Family, side);
    // An order no design of the family accepts could need more sections than a half
    // owns; it lands on the nearest accepted one.
    const OrderRange orders = AcceptedOrders(half.Family);
    half.Order = Hold(s.Order, orders.lowest, orders.highest);
}

void RestoreDynamicsFields(TDYNAMIC& d, const Content::DynamicsRecord& s) {
    d.Umbral = s.Umbral;
    d.Ratio = s.Ratio;
    d.Gain = s.Gain;
    d.RmsCoef = s.RmsCoef;
    d.HoldSamples = s.HoldSamples;
    d.DecayCode = s.DecayCode;
    d.LookAheadSamples = s.LookAheadSamples;
    d.SpareFlag = s.SpareFlag;
    d.Tipo = s.Tipo;
    d.Knee = s.Knee;
    d.Balanceado = s.Balanceado;
    d.Diezmado = s.Diezmado;
    d.Bypass = s.Bypass;
    d.xdBmaxLimit = s.xdBmaxLimit;
    d.AmpGain = s.AmpGain;
    d.Zload = s.Zload;
    d.PowerMaxLoad = s.PowerMaxLoad;
    d.PowerAmpMax = s.PowerAmpMax;
    d.NumberSpeakers = s.NumberSpeakers;
}

// Step 1: every stored field, in the editors' order.
void RestoreFields(ProcessorConfiguration& config, const Content& c) {
    config.SystemInformation.ProjectName = c.SystemInformation.ProjectName;
    config.SystemInformation.Engineer = c.SystemInformation.Engineer;
    config.SystemInformation.Comments = c.SystemInformation.Comments;
    // One field serves the main window and the system information window.
    config.SystemInformation.SystemName = c.SystemInformation.SystemName;
    config.DelayTemperature =
        Hold(c.DelayTemperature, OutputDelay::kMinTemperature, OutputDelay::kMaxTemperature);
    config.ChannelLabels = c.ChannelLabels;

    for (int input = 0; input < Content::kInputs; ++input) {
        for (int k = 0; k < Content::kBands; ++k) {
            RestoreBandParameters(config.Peq[input].bands[k], c.Peq[input].bands[k]);
        }
    }

    for (int o = 0; o < Content::kOutputs; ++o) {
        OutputLevel& level = config.Levels[o];
        level.OutputGain = c.Levels[o].OutputGain;
        level.OutputInverted = c.Levels[o].OutputInverted;
        level.OutputMuted = c.Levels[o].OutputMuted;
        // Position, polarity and on factor follow the gain and the switches, and the
        // gain ends as the slider gives it: within -30..+6 dB, never NaN.
        level.RestoreFromGain();
    }

    for (int o = 0; o < Content::kOutputs; ++o) {
        RestoreHalf(config.Crossovers[o].HighPass, c.Crossovers[o].HighPass, XoverSide::HighPass);
        RestoreHalf(config.Crossovers[o].LowPass, c.Crossovers[o].LowPass, XoverSide::LowPass);
    }
    for (int o = 0; o < Content::kOutputs; ++o) {
        CrossoverSolo& solo = config.CrossoverSolos[o];
        solo.LowPassAux = c.CrossoverSolos[o].LowPassAux;
        solo.HighPassAux = c.CrossoverSolos[o].HighPassAux;
        // Only one half can be used alone; the crossover editor keeps solo L.
        if (solo.HighPassAux && solo.LowPassAux) {
            solo.LowPassAux = false;
        }
    }

    LoudnessSection& loudness = config.Loudness[0];
    loudness.Frequency = Hold(c.Loudness1.Frequency, stored::kLoudnessMinHz, stored::kLoudnessMaxHz,
                              stored::kLoudnessDefaultHz);
    loudness.GainDb = Hold(c.Loudness1.GainDb, stored::kLoudnessMinGainDb,
                           stored::kLoudnessMaxGainDb, stored::kLoudnessMinGainDb);
    // The loudness window knows two types; anything but the high-pass is its peak.
    loudness.SectionType = c.Loudness1.SectionType == kHiPassQ ? std::uint8_t{kHiPassQ}
                                                               : std::uint8_t{kParametricQAdap};

    for (int r = 0; r < Content::kDynamicsRecords; ++r) {
        RestoreDynamicsFields(config.Dynamics[r], c.Dynamics[r]);
    }

    InputRouting& routing = config.Routing;
    routing.RouteC = Hold(c.Routing.RouteC, 0.0, stored::kMaxRouteAmount, 0.5);
    routing.RouteD = Hold(c.Routing.RouteD, 0.0, stored::kMaxRouteAmount, 0.5);
    routing.RouteState =
        c.Routing.RouteState >= 0 && c.Routing.RouteState <= stored::kHighestRouteState
            ? c.Routing.RouteState
            : 0;
    config.FinalResponse = c.FinalResponse;

    MeasurementImportSettings& measurement = config.MeasurementImport;
    measurement.MeasurementFiles = c.MeasurementImport.MeasurementFiles;
    for (std::string& path : measurement.MeasurementFiles) {
        if (path.size() > MeasurementImportSettings::kMaxPathLength) {
            path.resize(MeasurementImportSettings::kMaxPathLength);
        }
    }
    // Any layout code is kept: an unknown one makes every slot fail identification.
    measurement.ImportFileType = c.MeasurementImport.ImportFileType;
    measurement.ReferenceLevel =
        MeasurementImportSettings::UsableReferenceLevel(c.MeasurementImport.ReferenceLevel);

    for (int o = 0; o < Content::kOutputs; ++o) {
        config.Delays[o].AlignmentDelay =
            Hold(c.Delays[o].AlignmentDelay, 0, OutputDelay::MaxAlignmentDelay(o + 1));
    }

    for (int r = 0; r < Content::kDynamicsRecords; ++r) {
        TDYNAMIC& d = config.Dynamics[r];
        d.GateIndex = c.Dynamics[r].GateIndex;
        d.Pendiente = c.Dynamics[r].Pendiente;
        // A gate index past the table or a ramp of 0 would index or divide out of
        // bounds; a ratio of 0 or a load of 0 ohms would give NaN or infinity.
        d.HoldToEditorRanges();
    }

    for (int input = 0; input < Content::kInputs; ++input) {
        for (int k = 0; k < Content::kBands; ++k) {
            RestoreBandCoefficients(config.Peq[input].bands[k], c.Peq[input].bands[k]);
        }
    }
}

// Step 2: delay sliders for the stored topology, then the topology itself.
void RestoreDelaysAndTopology(ProcessorConfiguration& config, const Content& c,
                              RealTimeSender& sender, LoadedConfigurationSteps& steps) {
    const bool twoOutputs = c.Topology == OutputTopology::TwoOutputs;
    for (int o = 0; o < Content::kOutputs; ++o) {
        config.Delays[o].DelayWord = c.Delays[o].DelayWord;
    }
    // Positions from the words (held to the sliders), then the words the sliders give.
    ApplyDelayWords(config.Delays, twoOutputs);
    if (twoOutputs) {
        ApplyTwoOutputs(config, sender);
    } else {
        ApplyThreeOutputs(config, sender);
    }
    steps.TopologyApplied(config);
}

// Step 4: the editors' own refreshes, which redesign what the file does not store.
void RefreshEditors(ProcessorConfiguration& config, RealTimeSender& sender,
                    LoadedConfigurationSteps& steps) {
    steps.RefreshGainsFromFile(config);
    for (int output = 1; output <= Content::kOutputs; ++output) {
        steps.RefreshCrossover(config, output);
    }
    steps.RefreshLoudness(config);
    steps.RefreshDynamics(config, 2);
    steps.RefreshDynamics(config, 1);
    // One step back in the cycle, then the route command steps forward again and sets
    // the amounts from the state. Stepping back from 0 must land on 2, not on -1.
    InputRouting& routing = config.Routing;
    routing.RouteState =
        (routing.ShownRouteState() + InputRouting::kStates - 1) % InputRouting::kStates;
    routing.RouteCommand(sender);
    steps.ConfirmMeasurementImport(config);
    steps.RefreshEqualiser(config, 2);
    steps.RefreshEqualiser(config, 1);
}

} // namespace

void RestoreConfiguration(ProcessorConfiguration& config, const ConfigurationFileContent& content,
                          RealTimeSender& sender, LoadedConfigurationSteps& steps) {
    RestoreFields(config, content);
    steps.LookAheadChanged(config);
    RestoreDelaysAndTopology(config, content, sender, steps);
    steps.RefreshDistances(config);
    RefreshEditors(config, sender, steps);
}

} // namespace veld23
