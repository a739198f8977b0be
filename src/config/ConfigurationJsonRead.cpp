#include "config/ConfigurationFileLimits.h"
#include "config/ConfigurationJson.h"
#include "config/Windows1252.h"
#include "dsp/CrossoverHalf.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <limits>
#include <optional>

namespace veld23 {

namespace {

using Json = nlohmann::ordered_json;
using Content = ConfigurationFileContent;

// The first bad key ends the reading; it travels up as an exception so that every
// field reads as one plain line below.
struct BadKey {
    std::string path;
    std::string reason;
};

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// A JSON pointer step: "~" and "/" inside a key are escaped as the pointer syntax asks.
std::string Step(const std::string& parent, std::string_view key) {
    std::string path = parent + "/";
    for (char c : key) {
        if (c == '~') {
            path += "~0";
        } else if (c == '/') {
            path += "~1";
        } else {
            path += c;
        }
    }
    return path;
}

// One JSON value and where it sits.
class Node {
  public:
    Node(const Json& value, std::string path) : value_(value), path_(std::move(path)) {}

    [[noreturn]] void Fail(std::string reason) const { throw BadKey{path_, std::move(reason)}; }

    // An object with exactly these keys; a key that is not one of them is refused, so a
    // misspelt name cannot silently leave a field at its default.
    void Object(std::initializer_list<std::string_view> keys) const {
        if (!value_.is_object()) {
            Fail("expected an object");
        }
        for (const auto& member : value_.items()) {
            bool known = false;
            for (std::string_view key : keys) {
                known = known || member.key() == key;
            }
            if (!known) {
                throw BadKey{Step(path_, member.key()), "is not a stored field"};
            }
        }
    }

    Node operator[](std::string_view key) const {
        const std::string path = Step(path_, key);
        const auto found = value_.find(std::string(key));
        if (found == value_.end()) {
            throw BadKey{path, "is missing"};
        }
        return Node(*found, path);
    }

    // An array of exactly `size` elements.
    void Array(std::size_t size) const {
        if (!value_.is_array()) {
            Fail("expected an array");
        }
        if (value_.size() != size) {
            Fail("expected " + std::to_string(size) + " elements, found " +
                 std::to_string(value_.size()));
        }
    }

    Node At(std::size_t index) const {
        return Node(value_.at(index), path_ + "/" + std::to_string(index));
    }

    double Real(double lo, double hi) const {
        if (!value_.is_number()) {
            Fail("expected a number");
        }
        const double v = value_.get<double>();
        if (!(v >= lo && v <= hi)) {
            Fail(NumberText(v) + " is outside " + NumberText(lo) + " to " + NumberText(hi));
        }
        return v;
    }

    // A real the file keeps in single precision: the range is checked on the float the
    // file would hold, so a limit that a float cannot hold exactly still lets through
    // the float nearest to it.
    float Single(long double lo, long double hi) const {
        if (!value_.is_number()) {
            Fail("expected a number");
        }
        const double v = value_.get<double>();
        const float f = StoredFloat(v);
        if (!(std::fabs(v) <= std::numeric_limits<float>::max() && f >= StoredFloat(lo) &&
              f <= StoredFloat(hi))) {
            Fail(NumberText(v) + " is outside " + NumberText(static_cast<double>(lo)) + " to " +
                 NumberText(static_cast<double>(hi)));
        }
        return f;
    }

    std::int32_t Integer(std::int64_t lo, std::int64_t hi) const {
        if (!value_.is_number_integer()) {
            Fail("expected a whole number");
        }
        const bool tooLarge =
            value_.is_number_unsigned() &&
            value_.get<std::uint64_t>() >
                static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        const std::int64_t v =
            tooLarge ? std::numeric_limits<std::int64_t>::max() : value_.get<std::int64_t>();
        if (tooLarge || v < lo || v > hi) {
            Fail(value_.dump() + " is outside " + std::to_string(lo) + " to " + std::to_string(hi));
        }
        return static_cast<std::int32_t>(v);
    }

    bool Boolean() const {
        if (!value_.is_boolean()) {
            Fail("expected true or false");
        }
        return value_.get<bool>();
    }

    // UTF-8 in JSON, Windows-1252 bytes in the model: one byte per character.
    std::string Text(std::size_t capacity) const {
        if (!value_.is_string()) {
            Fail("expected a text");
        }
        const std::optional<std::string> bytes = Utf8ToWindows1252(value_.get<std::string>());
        if (!bytes) {
            Fail("holds a character that Windows-1252 has no code for");
        }
        if (bytes->size() > capacity) {
            Fail("is " + std::to_string(bytes->size()) + " characters long; at most " +
                 std::to_string(capacity) + " fit");
        }
        return *bytes;
    }

    template <std::size_t N> void Text(FixedText<N>& text) const { text.Assign(Text(N)); }

    std::string Name() const {
        if (!value_.is_string()) {
            Fail("expected a text");
        }
        return value_.get<std::string>();
    }

  private:
    const Json& value_;
    std::string path_;
};

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

void ReadRouting(const Node& n, Content::RouteFields& r) {
    n.Object({"RouteState", "RouteC", "RouteD"});
    r.RouteState = n["RouteState"].Integer(0, stored::kHighestRouteState);
    r.RouteC = n["RouteC"].Real(0.0, stored::kMaxRouteAmount);
    r.RouteD = n["RouteD"].Real(0.0, stored::kMaxRouteAmount);
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
        b.Coefficients[k] = n[kNames[k]].Real(stored::kMinCoefficient, stored::kMaxCoefficient);
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

void ReadHalf(const Node& n, Content::Half& h) {
    n.Object({"Family", "Order", "Frequency"});
    h.Family = static_cast<std::uint8_t>(n["Family"].Integer(0, kLastXoverFamily));
    // Only orders the family's design accepts: any other could need more sections than
    // a half owns.
    const OrderRange orders = AcceptedOrders(h.Family);
    h.Order = n["Order"].Integer(orders.lowest, orders.highest);
    h.Frequency = n["Frequency"].Single(stored::kCrossoverMinHz, stored::kCrossoverMaxHz);
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

void ReadLevel(const Node& n, Content::Level& l) {
    n.Object({"OutputGain", "OutputInverted", "OutputMuted"});
    l.OutputGain = n["OutputGain"].Real(-stored::kMaxOutputGain, stored::kMaxOutputGain);
    l.OutputInverted = n["OutputInverted"].Boolean();
    l.OutputMuted = n["OutputMuted"].Boolean();
}

void ReadDelay(const Node& n, int output, Content::Delay& d) {
    n.Object({"DelayWord", "AlignmentDelay"});
    d.DelayWord = n["DelayWord"].Integer(0, OutputDelay::kMaxSamples);
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
        ReadHalf(n["HighPass"], x.HighPass);
        ReadHalf(n["LowPass"], x.LowPass);
    });
    ReadArray(root["CrossoverSolos"], c.CrossoverSolos,
              [](const Node& n, int, Content::Solo& s) { ReadSolo(n, s); });
    const Node loudness = root["Loudness"];
    loudness.Array(1);
    ReadLoudness(loudness.At(0), c.Loudness1);
    ReadArray(root["Levels"], c.Levels,
              [](const Node& n, int, Content::Level& l) { ReadLevel(n, l); });
    ReadArray(root["Delays"], c.Delays,
              [](const Node& n, int i, Content::Delay& d) { ReadDelay(n, i + 1, d); });
    ReadArray(root["Dynamics"], c.Dynamics,
              [](const Node& n, int, Content::DynamicsRecord& d) { ReadDynamics(n, d); });
    ReadMeasurementImport(root["MeasurementImport"], c.MeasurementImport);
    ReadFinalResponse(root["FinalResponse"], c.FinalResponse);
    return c;
}

} // namespace

JsonContentResult ContentFromJson(std::string_view text) {
    JsonContentResult result;
    Json document;
    try {
        document = Json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        // The library's own wording after its "[json.exception...]" tag.
        std::string what = e.what();
        const std::size_t tag = what.find("] ");
        result.message =
            "not valid JSON: " + (tag == std::string::npos ? what : what.substr(tag + 2));
        return result;
    }
    try {
        result.content = ReadContent(Node(document, ""));
        result.valid = true;
    } catch (const BadKey& bad) {
        result.message =
            (bad.path.empty() ? std::string("top level") : bad.path) + ": " + bad.reason;
    }
    return result;
}

} // namespace veld23
