#include "config/ConfigurationJson.h"

#include "config/ConfigurationFileRestore.h"
#include "config/ProcessorConfiguration.h"
#include "config/Windows1252.h"

#include <nlohmann/json.hpp>

#include <charconv>

namespace veld23 {

namespace {

using Json = nlohmann::ordered_json;
using Content = ConfigurationFileContent;

// The file keeps these reals in single precision. The shortest decimal that reads back
// as the same float is what a person would write ("0.1", not "0.10000000149011612");
// reading it as a double and narrowing gives the same float again.
double Single(long double value) {
    const float f = StoredFloat(value);
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, f);
    double shortest = f;
    std::from_chars(text, written.ptr, shortest);
    return shortest;
}

std::string Utf8(std::string_view windows1252) {
    return Windows1252ToUtf8(windows1252);
}

Json BandJson(const Content::Band& b) {
    Json j;
    j["SectionType"] = b.SectionType;
    j["GainDb"] = b.GainDb;
    j["Frequency"] = b.Frequency;
    j["Q"] = b.Q;
    static constexpr const char* kNames[] = {"b0", "b1", "b2", "a1", "a2"};
    for (int k = 0; k < Content::kCoefficients; ++k) {
        j[kNames[k]] = static_cast<double>(b.Coefficients[k]);
    }
    return j;
}

Json HalfJson(const Content::Half& h) {
    Json j;
    j["Family"] = h.Family;
    j["Order"] = h.Order;
    j["Frequency"] = Single(h.Frequency);
    return j;
}

Json DynamicsJson(const Content::DynamicsRecord& d) {
    Json j;
    j["Umbral"] = Single(d.Umbral);
    j["Ratio"] = Single(d.Ratio);
    j["Gain"] = Single(d.Gain);
    j["GateIndex"] = StoredInt32(d.GateIndex);
    j["Pendiente"] = StoredInt32(d.Pendiente);
    j["SpareFlag"] = d.SpareFlag;
    j["Zload"] = Single(d.Zload);
    j["PowerMaxLoad"] = Single(d.PowerMaxLoad);
    j["AmpGain"] = Single(d.AmpGain);
    j["PowerAmpMax"] = Single(d.PowerAmpMax);
    j["Balanceado"] = d.Balanceado;
    j["NumberSpeakers"] = d.NumberSpeakers;
    j["Tipo"] = d.Tipo;
    j["Knee"] = Single(d.Knee);
    j["Bypass"] = d.Bypass;
    j["Diezmado"] = d.Diezmado;
    j["xdBmaxLimit"] = Single(d.xdBmaxLimit);
    j["RmsCoef"] = Single(d.RmsCoef);
    j["HoldSamples"] = d.HoldSamples;
    j["DecayCode"] = d.DecayCode;
    j["LookAheadSamples"] = d.LookAheadSamples;
    return j;
}

} // namespace

std::string ContentToJson(const ConfigurationFileContent& c) {
    Json j;
    Json& info = j["SystemInformation"];
    info["SystemName"] = Utf8(c.SystemInformation.SystemName.View());
    info["ProjectName"] = Utf8(c.SystemInformation.ProjectName.View());
    info["Engineer"] = Utf8(c.SystemInformation.Engineer.View());
    info["Comments"] = Utf8(c.SystemInformation.Comments.View());

    Json& labels = j["ChannelLabels"];
    labels["In1"] = Utf8(c.ChannelLabels.In1.View());
    labels["In2"] = Utf8(c.ChannelLabels.In2.View());
    labels["Out1"] = Utf8(c.ChannelLabels.Out1.View());
    labels["Out2"] = Utf8(c.ChannelLabels.Out2.View());
    labels["Sub"] = Utf8(c.ChannelLabels.Sub.View());

    j["Topology"] = c.Topology == OutputTopology::TwoOutputs ? "TwoOutputs" : "ThreeOutputs";
    j["SampleRate"] = c.SampleRate;
    j["DelayTemperature"] = c.DelayTemperature;

    Json& routing = j["Routing"];
    routing["RouteState"] = c.Routing.RouteState;
    // Tenths, as the file keeps the amounts.
    routing["RouteC"] = StoredInt32(c.Routing.RouteC * 10.0) / 10.0;
    routing["RouteD"] = StoredInt32(c.Routing.RouteD * 10.0) / 10.0;

    Json& peq = j["Peq"] = Json::array();
    for (const Content::Equaliser& set : c.Peq) {
        Json e;
        e["UsedBands"] = set.UsedBands;
        Json& bands = e["bands"] = Json::array();
        for (const Content::Band& band : set.bands) {
            bands.push_back(BandJson(band));
        }
        peq.push_back(std::move(e));
    }

    Json& crossovers = j["Crossovers"] = Json::array();
    for (const Content::Crossover& x : c.Crossovers) {
        Json o;
        o["HighPass"] = HalfJson(x.HighPass);
        o["LowPass"] = HalfJson(x.LowPass);
        crossovers.push_back(std::move(o));
    }
    Json& solos = j["CrossoverSolos"] = Json::array();
    for (const Content::Solo& s : c.CrossoverSolos) {
        Json o;
        o["HighPassAux"] = s.HighPassAux;
        o["LowPassAux"] = s.LowPassAux;
        solos.push_back(std::move(o));
    }

    Json loudness;
    loudness["SectionType"] = c.Loudness1.SectionType;
    loudness["GainDb"] = c.Loudness1.GainDb;
    loudness["Frequency"] = StoredInt32(c.Loudness1.Frequency);
    j["Loudness"] = Json::array({loudness});

    Json& levels = j["Levels"] = Json::array();
    for (const Content::Level& l : c.Levels) {
        Json o;
        o["OutputGain"] = l.OutputGain;
        o["OutputInverted"] = l.OutputInverted;
        o["OutputMuted"] = l.OutputMuted;
        levels.push_back(std::move(o));
    }
    Json& delays = j["Delays"] = Json::array();
    for (const Content::Delay& d : c.Delays) {
        Json o;
        o["DelayWord"] = d.DelayWord;
        o["AlignmentDelay"] = d.AlignmentDelay;
        delays.push_back(std::move(o));
    }

    Json& dynamics = j["Dynamics"] = Json::array();
    for (const Content::DynamicsRecord& d : c.Dynamics) {
        dynamics.push_back(DynamicsJson(d));
    }

    Json& measurement = j["MeasurementImport"];
    Json& files = measurement["MeasurementFiles"] = Json::array();
    for (const std::string& path : c.MeasurementImport.MeasurementFiles) {
        files.push_back(Utf8(path.substr(0, MeasurementImportSettings::kMaxPathLength)));
    }
    measurement["ImportFileType"] = c.MeasurementImport.ImportFileType;
    measurement["ReferenceLevel"] = Single(c.MeasurementImport.ReferenceLevel);

    Json& selections = j["FinalResponse"];
    selections["SpkData"] = c.FinalResponse.SpkData;
    selections["PEQBox"] = c.FinalResponse.PEQBox;
    selections["XOVERBox"] = c.FinalResponse.XOVERBox;
    selections["GAINBox"] = c.FinalResponse.GAINBox;
    selections["DelayBox"] = c.FinalResponse.DelayBox;

    return j.dump(2) + "\n";
}

std::string ConfigurationToJson(const ProcessorConfiguration& config) {
    return ContentToJson(CaptureConfiguration(config));
}

Result<> ReadConfigurationJson(ProcessorConfiguration& config, std::string_view text,
                               RealTimeSender& sender, LoadedConfigurationSteps& steps) {
    const Result<ConfigurationFileContent> read = ContentFromJson(text);
    if (!read) {
        return Result<>::Failure(read.Message());
    }
    RestoreConfiguration(config, read.Value(), sender, steps);
    return Result<>::Success();
}

} // namespace veld23
