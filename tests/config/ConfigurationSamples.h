#pragma once

#include "config/ProcessorConfiguration.h"
#include "dsp/PeqRules.h"

namespace veld23::testing {

// Every stored field away from its default, each value one an editor can produce.
inline void FillDistinctValues(ProcessorConfiguration& c) {
    c.SystemInformation.SystemName.Assign("Stage Left");
    c.SystemInformation.ProjectName.Assign("Tour");
    c.SystemInformation.Engineer.Assign("Ana \xE9");
    c.SystemInformation.Comments.Assign("line 1\r\nline 2");
    c.DelayTemperature = 31;
    c.ChannelLabels.In1.Assign("Kick");
    c.ChannelLabels.In2.Assign("Vox");
    c.ChannelLabels.Out1.Assign("L");
    c.ChannelLabels.Out2.Assign("R");
    c.ChannelLabels.Sub.Assign("Subs");
    for (int o = 0; o < 3; ++o) {
        c.Delays[o].DelayWord = 10 * (o + 1);
        c.Delays[o].AlignmentDelay = 5 + o;
    }
    c.Peq[0].UsedBands = 5;
    c.Peq[1].UsedBands = 3;
    TSOS& band = c.Peq[0].bands[2];
    band.SectionType = kParametricQAdap;
    band.GainDb = -3.5;
    band.Frequency = 250.0;
    band.Q = 2.5;
    band.b0 = 1.25L;
    band.b1 = -1.5L;
    band.b2 = 0.5L;
    band.a1 = 1.75L;
    band.a2 = -0.625L;
    TSOS& typed = c.Peq[1].bands[6];
    typed.SectionType = kIirCoeff;
    typed.GainDb = 1.0;
    typed.Frequency = 20000.0;
    typed.Q = 0.5;
    // A typed coefficient comes as the nearest multiple of 2^-20.
    typed.b0 = QuantiseEnteredCoefficient(0.999999);
    // Levels as the sliders leave them: -6 dB, +2.1 dB inverted, 0 dB muted.
    const std::int32_t positions[] = {121, 40, 61};
    for (int o = 0; o < 3; ++o) {
        c.Levels[o].OutputInverted = o == 1;
        c.Levels[o].OutputMuted = o == 2;
        c.Levels[o].RestoreFromPosition();
        c.Levels[o].ApplyPosition(positions[o]);
    }
    c.Crossovers[1].HighPass.Family = kButterworthHighPass;
    c.Crossovers[1].HighPass.Order = 4;
    c.Crossovers[1].HighPass.Frequency = 120.0;
    c.Crossovers[1].LowPass.Family = kLinkwitzRileyLowPass;
    c.Crossovers[1].LowPass.Order = 2;
    c.Crossovers[1].LowPass.Frequency = 2500.0;
    c.CrossoverSolos[0].HighPassAux = true;
    c.CrossoverSolos[2].LowPassAux = true;
    c.Loudness[0].GainDb = 4.5;
    c.Loudness[0].SectionType = kHiPassQ;
    c.Loudness[0].Frequency = 43.0;
    TDYNAMIC& d = c.Dynamics[1];
    d.Umbral = -20.0f;
    d.Ratio = 4.0f;
    d.Gain = 1.5f;
    d.RmsCoef = 0.001L;
    d.HoldSamples = 480;
    d.DecayCode = 100;
    d.LookAheadSamples = 48;
    d.SpareFlag = 1;
    d.Tipo = dynamics::kCompressor;
    d.Knee = 2.5f;
    d.Balanceado = false;
    d.Diezmado = false;
    d.Bypass = true;
    d.xdBmaxLimit = 10.0f;
    d.AmpGain = 30.0f;
    d.Zload = 4.0f;
    d.PowerMaxLoad = 300.0f;
    d.PowerAmpMax = 500.0f;
    d.NumberSpeakers = 2;
    d.GateIndex = 12.0f;
    d.Pendiente = 6.0f;
    c.Dynamics[0].LookAheadSamples = 24;
    c.Routing.SelectRoute(1);
    c.FinalResponse = {true, false, true, false, true};
    c.MeasurementImport.MeasurementFiles = {"/m/a.txt", "", "C:\\b.frd"};
    c.MeasurementImport.ImportFileType = 7;
    c.MeasurementImport.ReferenceLevel = 85.5;
    c.Topology = OutputTopology::ThreeOutputs;
}

} // namespace veld23::testing
