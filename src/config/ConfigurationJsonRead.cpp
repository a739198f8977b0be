#include "config/ConfigurationFileLimits.h"
#include "config/ConfigurationJson.h"
#include "config/FieldNumber.h"
#include "config/InputRouting.h"
#include "config/JsonNode.h"
#include "config/OutputLevel.h"
#include "config/StrictJson.h"
#include "dsp/Coef22Range.h"
#include "dsp/CrossoverHalf.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veld23 {

namespace {

using Content = ConfigurationFileContent;
using Node = JsonNode;

// Root, Peq, one equaliser, its bands, one band: nothing in a configuration nests deeper.
constexpr std::size_t kDeepestNesting = 5;

void ReadSystemInformation(const Node& n, SystemInformationTexts& info) {
    n.Object({"SystemName", "ProjectName", "Engineer", "Comments"});
    n["SystemName"].Text(info.SystemName);
    n["ProjectName"].Text(info.ProjectName);
    n["Engineer"].Text(info.Engineer);
    n["Comments"].Text(info.Comments);
}

void ReadLabels(const Node& n, ChannelLabelTexts& labels) {
    n.Object({"In1", "In2", "Out1", "Out2", "Sub"});
    n["In1"].Text(labels.In1);
    n["In2"].Text(labels.In2);
    n["Out1"].Text(labels.Out1);
    n["Out2"].Text(labels.Out2);
    n["Sub"].Text(labels.Sub);
}

OutputTopology ReadTopology(const Node& n) {
    const std::string name = n.Name();
    if (name == "TwoOutputs") {
        return OutputTopology::TwoOutputs;
    }
    if (name == "ThreeOutputs") {
        return OutputTopology::ThreeOutputs;
    }
    n.Fail("expected \"TwoOutputs\" or \"ThreeOutputs\"");
}

// Opening sets the mix amounts from the route state, so the stored ones must be those.
double ReadRouteAmount(const Node& n, std::int32_t state, double amountOfState) {
    const double amount = n.Real(0.0, stored::kMaxRouteAmount);
    if (amount != amountOfState) {
        n.Fail(JsonNumberText(amount) + " is not the amount of RouteState " +
               std::to_string(state) + ", which is " + JsonNumberText(amountOfState));
    }
    return amount;
}

void ReadRouting(const Node& n, Content::RouteFields& r) {
    n.Object({"RouteState", "RouteC", "RouteD"});
    r.RouteState = n["RouteState"].Integer(0, stored::kHighestRouteState);
    InputRouting mix;
    mix.SelectRoute(r.RouteState);
    r.RouteC = ReadRouteAmount(n["RouteC"], r.RouteState, mix.RouteC);
    r.RouteD = ReadRouteAmount(n["RouteD"], r.RouteState, mix.RouteD);
}

// A typed coefficient reaches the processor truncated to a whole number of word steps,
// and opening stores it so; only such a number is taken.
void CheckWholeCoefficientSteps(const Node& n, long double value) {
    const long double received = std::trunc(value / kCoef22Step) * kCoef22Step;
    if (received != value) {
        n.Fail(JsonNumberText(static_cast<double>(value)) +
               " is not a whole number of coefficient steps (2^-20); the processor would "
               "receive " +
               JsonNumberText(static_cast<double>(received)));
    }
}

void ReadBand(const Node& n, Content::Band& b) {
    static constexpr std::string_view kNames[] = {"b0", "b1", "b2", "a1", "a2"};
    n.Object({"SectionType", "GainDb", "Frequency", "Q", "b0", "b1", "b2", "a1", "a2"});
    b.SectionType =
        static_cast<std::uint8_t>(n["SectionType"].Integer(0, stored::kHighestSectionType));
    b.GainDb = n["GainDb"].Real(kBandMinGainDb, kBandMaxGainDb);
    b.Frequency = n["Frequency"].Real(kBandMinHz, kBandMaxHz);
    b.Q = n["Q"].Real(kBandMinQ, kBandMaxQ);
    for (int k = 0; k < Content::kCoefficients; ++k) {
        const Node coefficient = n[kNames[k]];
        // The span of the processor's word: +2 itself would wrap to -2.
        b.Coefficients[k] =
            coefficient.Real(static_cast<double>(kCoef22Min), static_cast<double>(kCoef22Max));
        if (b.SectionType == kIirCoeff) {
            CheckWholeCoefficientSteps(coefficient, b.Coefficients[k]);
        }
    }
}

void ReadEqualiser(const Node& n, Content::Equaliser& e) {
    n.Object({"UsedBands", "bands"});
    e.UsedBands = n["UsedBands"].Integer(stored::kMinUsedBands, stored::kMaxUsedBands);
    const Node bands = n["bands"];
    bands.Array(Content::kBands);
    for (int k = 0; k < Content::kBands; ++k) {
        ReadBand(bands.At(k), e.bands[k]);
    }
}

void ReadHalf(const Node& n, bool lowPassHalf, Content::Half& h) {
    n.Object({"Family", "Order", "Frequency"});
    const Node family = n["Family"];
    h.Family = static_cast<std::uint8_t>(family.Integer(0, kLastXoverFamily));
    // Each half of the crossover window offers only its own families.
    if (h.Family != kXoverBypass && IsLowPassFamily(h.Family) != lowPassHalf) {
        family.Fail(std::to_string(h.Family) +
                    (lowPassHalf ? " is a high-pass family" : " is a low-pass family"));
    }
    // Only orders the family's design accepts: any other could need more sections than
    // a half owns. The Linkwitz-Riley design raises an odd order by one.
    const OrderRange orders = AcceptedOrders(h.Family);
    const Node order = n["Order"];
    h.Order = order.Integer(orders.lowest, orders.highest);
    const bool linkwitzRiley =
        h.Family == kLinkwitzRileyLowPass || h.Family == kLinkwitzRileyHighPass;
    if (linkwitzRiley && h.Order % 2 == 1) {
        order.Fail(std::to_string(h.Order) +
                   " is not an order of Linkwitz-Riley, which takes 2 or 4");
    }
    // The Bessel low-pass design lowers a cutoff above its order's limit to the limit.
    const Node frequency = n["Frequency"];
    h.Frequency = frequency.Single(stored::kCrossoverMinHz, stored::kCrossoverMaxHz);
    const double limit = BesselCutoffLimit(h.Order);
    if (h.Family == kBesselLowPass && h.Frequency > limit) {
        frequency.Fail(JsonNumberText(h.Frequency) + " is above " + JsonNumberText(limit) +
                       " Hz, the highest cutoff of a Bessel low-pass of order " +
                       std::to_string(h.Order));
    }
}

void ReadSolo(const Node& n, Content::Solo& s) {
    n.Object({"HighPassAux", "LowPassAux"});
    s.HighPassAux = n["HighPassAux"].Boolean();
    s.LowPassAux = n["LowPassAux"].Boolean();
    if (s.HighPassAux && s.LowPassAux) {
        n.Fail("HighPassAux and LowPassAux are both set; only one half can be used alone");
    }
}

void ReadLoudness(const Node& n, Content::Loudness& l) {
    n.Object({"SectionType", "GainDb", "Frequency"});
    const Node type = n["SectionType"];
    l.SectionType = static_cast<std::uint8_t>(type.Integer(0, stored::kHighestSectionType));
    if (l.SectionType != kParametricQAdap && l.SectionType != kHiPassQ) {
        type.Fail("expected 1 (Param) or 11 (High P.)");
    }
    l.GainDb = n["GainDb"].Real(stored::kLoudnessMinGainDb, stored::kLoudnessMaxGainDb);
    l.Frequency = n["Frequency"].Real(stored::kLoudnessMinHz, stored::kLoudnessMaxHz);
}

// Opening takes the level from the gain's size, to the slider's tenth of a decibel, and
// its sign from OutputInverted: a gain the slider cannot reach or whose sign contradicts
// the switch would change.
void CheckLevel(const Node& gain, const Content::Level& l) {
    const std::string value = JsonNumberText(l.OutputGain);
    const std::string reach = "; the level reaches " + JsonNumberText(OutputLevel::kMinLevelDb) +
                              " to " + JsonNumberText(OutputLevel::kMaxLevelDb) + " dB";
    if (l.OutputGain == 0.0) {
        gain.Fail(value + " is no level" + reach);
    }
    if (l.OutputGain < 0.0 && !l.OutputInverted) {
        gain.Fail(value + " is negative, but OutputInverted is false");
    }
    if (l.OutputGain > 0.0 && l.OutputInverted) {
        gain.Fail(value + " is positive, but OutputInverted is true");
    }
    const double levelDb = field_number::Shown(20.0 * std::log10(std::fabs(l.OutputGain)), 1);
    if (levelDb < OutputLevel::kMinLevelDb || levelDb > OutputLevel::kMaxLevelDb) {
        gain.Fail(value + " is " + JsonNumberText(levelDb) + " dB" + reach);
    }
}

void ReadLevel(const Node& n, Content::Level& l) {
    n.Object({"OutputGain", "OutputInverted", "OutputMuted"});
    const Node gain = n["OutputGain"];
    l.OutputGain = gain.Real(-stored::kMaxOutputGain, stored::kMaxOutputGain);
    l.OutputInverted = n["OutputInverted"].Boolean();
    l.OutputMuted = n["OutputMuted"].Boolean();
    CheckLevel(gain, l);
}

// The delay word is what the output's slider gives in the topology; opening places the
// slider by the word, so a word the slider cannot give would change.
void CheckSliderWord(const Node& n, std::int32_t word, int output, bool twoOutputs) {
    const DelayLayout layout = OutputDelay::Layout(output, twoOutputs);
    OutputDelay probe;
    probe.ApplyPosition(OutputDelay::PositionForWord(word, output, twoOutputs), layout);
    if (probe.DelayWord == word) {
        return;
    }
    std::int32_t lowest = OutputDelay::kMaxSamples;
    std::int32_t highest = 0;
    for (std::int32_t position = 0; position <= layout.sliderMaximum; ++position) {
        probe.ApplyPosition(position, layout);
        lowest = std::min(lowest, probe.DelayWord);
        highest = std::max(highest, probe.DelayWord);
    }
    n.Fail(std::to_string(word) + " is outside " + std::to_string(lowest) + " to " +
           std::to_string(highest) + ", the delays this output's slider gives with " +
           (twoOutputs ? "two" : "three") + " outputs");
}

void ReadDelay(const Node& n, int output, bool twoOutputs, Content::Delay& d) {
    n.Object({"DelayWord", "AlignmentDelay"});
    const Node word = n["DelayWord"];
    d.DelayWord = word.Integer(0, OutputDelay::kMaxSamples);
    CheckSliderWord(word, d.DelayWord, output, twoOutputs);
    d.AlignmentDelay = n["AlignmentDelay"].Integer(0, OutputDelay::MaxAlignmentDelay(output));
}

void ReadDynamics(const Node& n, Content::DynamicsRecord& d) {
    using namespace dynamics;
    n.Object({"Umbral",          "Ratio",          "Gain",         "GateIndex",   "Pendiente",
              "SpareFlag",       "Zload",          "PowerMaxLoad", "AmpGain",     "PowerAmpMax",
              "Balanceado",      "NumberSpeakers", "Tipo",         "Knee",        "Bypass",
              "Diezmado",        "xdBmaxLimit",    "RmsCoef",      "HoldSamples", "DecayCode",
              "LookAheadSamples"});
    d.Umbral = n["Umbral"].Single(kUmbralMin, kUmbralMax);
    d.Ratio = n["Ratio"].Single(kRatioMin, kRatioMax);
    d.Gain = n["Gain"].Single(kGainMin, kGainMax);
    d.GateIndex = static_cast<float>(n["GateIndex"].Integer(
        static_cast<std::int64_t>(kGateIndexMin), static_cast<std::int64_t>(kGateIndexMax)));
    d.Pendiente = static_cast<float>(n["Pendiente"].Integer(
        static_cast<std::int64_t>(kPendienteMin), static_cast<std::int64_t>(kPendienteMax)));
    d.SpareFlag = static_cast<std::uint8_t>(n["SpareFlag"].Integer(0, 255));
    const Node zload = n["Zload"];
    d.Zload = zload.Single(kZloadChoices[0], kZloadChoices[std::size(kZloadChoices) - 1]);
    if (NearestZloadChoice(d.Zload) != d.Zload) {
        zload.Fail("expected one of the load choices 2, 2.67, 4, 8, 16");
    }
    d.PowerMaxLoad = n["PowerMaxLoad"].Single(kPowerMaxLoadMin, kPowerMaxLoadMax);
    d.AmpGain = n["AmpGain"].Single(kAmpGainMin, kAmpGainMax);
    d.PowerAmpMax = n["PowerAmpMax"].Single(kPowerAmpMaxMin, kPowerAmpMaxMax);
    d.Balanceado = n["Balanceado"].Boolean();
    d.NumberSpeakers = n["NumberSpeakers"].Integer(kNumberSpeakersMin, kNumberSpeakersMax);
    d.Tipo = static_cast<std::uint8_t>(n["Tipo"].Integer(kLimiter, kCompressor));
    d.Knee = n["Knee"].Single(kKneeMin, kKneeMax);
    d.Bypass = n["Bypass"].Boolean();
    d.Diezmado = n["Diezmado"].Boolean();
    d.xdBmaxLimit = n["xdBmaxLimit"].Single(-std::numeric_limits<float>::max(),
                                            std::numeric_limits<float>::max());
    d.RmsCoef = n["RmsCoef"].Single(stored::kMinRmsCoef, stored::kMaxRmsCoef);
    d.HoldSamples = n["HoldSamples"].Integer(stored::kMinHoldSamples, stored::kMaxHoldSamples);
    d.DecayCode = n["DecayCode"].Integer(stored::kMinDecayCode, stored::kMaxDecayCode);
    d.LookAheadSamples =
        n["LookAheadSamples"].Integer(stored::kMinLookAheadSamples, stored::kMaxLookAheadSamples);
}

void ReadMeasurementImport(const Node& n, MeasurementImportSettings& m) {
    n.Object({"MeasurementFiles", "ImportFileType", "ReferenceLevel"});
    const Node files = n["MeasurementFiles"];
    files.Array(MeasurementImportSettings::kSlots);
    for (int slot = 0; slot < MeasurementImportSettings::kSlots; ++slot) {
        m.MeasurementFiles[slot] = files.At(slot).Text(MeasurementImportSettings::kMaxPathLength);
    }
    // Any layout code is stored; one without a layout fails identification on import.
    m.ImportFileType = n["ImportFileType"].Integer(std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max());
    m.ReferenceLevel = n["ReferenceLevel"].Single(MeasurementImportSettings::kMinReferenceLevel,
                                                  MeasurementImportSettings::kMaxReferenceLevel);
}

void ReadFinalResponse(const Node& n, FinalResponseSelections& s) {
    n.Object({"SpkData", "PEQBox", "XOVERBox", "GAINBox", "DelayBox"});
    s.SpkData = n["SpkData"].Boolean();
    s.PEQBox = n["PEQBox"].Boolean();
    s.XOVERBox = n["XOVERBox"].Boolean();
    s.GAINBox = n["GAINBox"].Boolean();
    s.DelayBox = n["DelayBox"].Boolean();
}

template <typename Element, std::size_t N, typename ReadOne>
void ReadArray(const Node& n, std::array<Element, N>& elements, ReadOne readOne) {
    n.Array(N);
    for (std::size_t i = 0; i < N; ++i) {
        readOne(n.At(i), static_cast<int>(i), elements[i]);
    }
}

Content ReadContent(const Node& root) {
    root.Object({"SystemInformation", "ChannelLabels", "Topology", "SampleRate", "DelayTemperature",
                 "Routing", "Peq", "Crossovers", "CrossoverSolos", "Loudness", "Levels", "Delays",
                 "Dynamics", "MeasurementImport", "FinalResponse"});
    Content c;
    ReadSystemInformation(root["SystemInformation"], c.SystemInformation);
    ReadLabels(root["ChannelLabels"], c.ChannelLabels);
    c.Topology = ReadTopology(root["Topology"]);
    // The rate is fixed; a file made for another one would misplace every design.
    constexpr auto kRate = static_cast<std::int32_t>(SampleRate);
    c.SampleRate = root["SampleRate"].Integer(kRate, kRate);
    c.DelayTemperature = root["DelayTemperature"].Integer(OutputDelay::kMinTemperature,
                                                          OutputDelay::kMaxTemperature);
    ReadRouting(root["Routing"], c.Routing);
    ReadArray(root["Peq"], c.Peq,
              [](const Node& n, int, Content::Equaliser& e) { ReadEqualiser(n, e); });
    ReadArray(root["Crossovers"], c.Crossovers, [](const Node& n, int, Content::Crossover& x) {
        n.Object({"HighPass", "LowPass"});
        ReadHalf(n["HighPass"], false, x.HighPass);
        ReadHalf(n["LowPass"], true, x.LowPass);
    });
    ReadArray(root["CrossoverSolos"], c.CrossoverSolos,
              [](const Node& n, int, Content::Solo& s) { ReadSolo(n, s); });
    const Node loudness = root["Loudness"];
    loudness.Array(1);
    ReadLoudness(loudness.At(0), c.Loudness1);
    ReadArray(root["Levels"], c.Levels,
              [](const Node& n, int, Content::Level& l) { ReadLevel(n, l); });
    const bool twoOutputs = c.Topology == OutputTopology::TwoOutputs;
    ReadArray(root["Delays"], c.Delays, [twoOutputs](const Node& n, int i, Content::Delay& d) {
        ReadDelay(n, i + 1, twoOutputs, d);
    });
    ReadArray(root["Dynamics"], c.Dynamics,
              [](const Node& n, int, Content::DynamicsRecord& d) { ReadDynamics(n, d); });
    ReadMeasurementImport(root["MeasurementImport"], c.MeasurementImport);
    ReadFinalResponse(root["FinalResponse"], c.FinalResponse);
    return c;
}

} // namespace

Result<ConfigurationFileContent> ContentFromJson(std::string_view text) {
    StrictJsonResult parsed = ParseStrictJson(text, kDeepestNesting);
    if (!parsed.parsed) {
        return Result<ConfigurationFileContent>::Failure(std::move(parsed.message));
    }
    try {
        return ReadContent(Node(parsed.document, ""));
    } catch (const BadJsonKey& bad) {
        return Result<ConfigurationFileContent>::Failure(
            (bad.path.empty() ? std::string("top level") : bad.path) + ": " + bad.reason);
    }
}

} // namespace veld23
