#pragma once

#include "config/ConfigurationFileContent.h"
#include "config/Result.h"

#include <string>
#include <string_view>

namespace veld23 {

class LoadedConfigurationSteps;
class ProcessorConfiguration;
class RealTimeSender;

// The configuration as JSON: exactly the fields a configuration file stores, at the
// precision the file stores them, under the model's own names, so configurations can
// be read, compared and kept under version control. Texts are UTF-8 here and
// Windows-1252 in the model.
//
//   SystemInformation {SystemName, ProjectName, Engineer, Comments}
//   ChannelLabels {In1, In2, Out1, Out2, Sub}
//   Topology "TwoOutputs" | "ThreeOutputs", SampleRate, DelayTemperature
//   Routing {RouteState, RouteC, RouteD}
//   Peq [IN 1, IN 2] {UsedBands, bands [7] {SectionType, GainDb, Frequency, Q,
//                                           b0, b1, b2, a1, a2}}
//   Crossovers [3] {HighPass, LowPass {Family, Order, Frequency}}
//   CrossoverSolos [3] {HighPassAux, LowPassAux}
//   Loudness [section 1 only] {SectionType, GainDb, Frequency}
//   Levels [3] {OutputGain, OutputInverted, OutputMuted}
//   Delays [3] {DelayWord, AlignmentDelay}
//   Dynamics [2] {Umbral, Ratio, Gain, GateIndex, Pendiente, SpareFlag, Zload,
//                 PowerMaxLoad, AmpGain, PowerAmpMax, Balanceado, NumberSpeakers, Tipo,
//                 Knee, Bypass, Diezmado, xdBmaxLimit, RmsCoef, HoldSamples, DecayCode,
//                 LookAheadSamples}
//   MeasurementImport {MeasurementFiles [3], ImportFileType, ReferenceLevel}
//   FinalResponse {SpkData, PEQBox, XOVERBox, GAINBox, DelayBox}
//
// Arrays count from 0 (Peq/0 is IN 1). Equaliser coefficients are JSON numbers, so they
// keep double precision: the designed ones are computed again when the JSON is read,
// and a typed one is a multiple of 2^-20, which a double holds exactly.
std::string ContentToJson(const ConfigurationFileContent& content);
std::string ConfigurationToJson(const ProcessorConfiguration& config);

// Every key is required, once, and no other is allowed; nothing nests deeper than the
// shape above. Every value must have its type and lie within what the editors accept, and
// a value that opening would change is refused rather than changed: a family of the
// other half, an odd Linkwitz-Riley order, a Bessel low-pass cutoff above its order's
// limit, a gain whose sign contradicts OutputInverted or whose level the slider cannot
// reach, mix amounts other than the route state's, a delay word the output's slider
// cannot give in the topology, an entered coefficient that is not a whole number of word
// steps. Numbers are still kept at the precision their controls show (a level to a tenth
// of a decibel, frequencies to whole hertz), and the editors apply their own rules as on
// every open (with two outputs, for one, the route state becomes 2, IN 2 alone, which a
// memory read from the processor need not hold). The first key that fails is reported by
// its JSON pointer ("/Peq/0/bands/3/Q: 25 is outside 0.5 to 20", "/Topology appears
// twice").
Result<ConfigurationFileContent> ContentFromJson(std::string_view text);

// Reads JSON into the configuration (which the caller has reset) as opening a file
// does: the whole text is checked first and a refused one changes nothing; then
// RestoreConfiguration runs the same restore, designs and editor refreshes.
Result<> ReadConfigurationJson(ProcessorConfiguration& config, std::string_view text,
                               RealTimeSender& sender, LoadedConfigurationSteps& steps);

} // namespace veld23
