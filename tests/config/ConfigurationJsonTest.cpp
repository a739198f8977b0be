#include "config/ConfigurationJson.h"
#include "config/ConfigurationFile.h"
#include "config/ConfigurationSamples.h"
#include "config/ProcessorConfiguration.h"
#include "config/RecordingSteps.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace veld23 {
namespace {

using Json = nlohmann::ordered_json;
using testing::FileOpening;
using testing::FillDistinctValues;
using testing::RecordingLoadedSteps;

Json JsonOf(const ProcessorConfiguration& c) {
    return Json::parse(ConfigurationToJson(c));
}

std::string Refusal(const Json& j) {
    const Result<ConfigurationFileContent> result = ContentFromJson(j.dump());
    EXPECT_FALSE(result.Succeeded());
    return result.Message();
}

// The names of the fields inside are those the refusals below name.
TEST(ConfigurationJson, KeysAreTheModelsNamesAndTextsAreUtf8) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    const Json j = JsonOf(c);

    std::vector<std::string> keys;
    for (const auto& item : j.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"SystemInformation", "ChannelLabels", "Topology",
                                              "SampleRate", "DelayTemperature", "Routing", "Peq",
                                              "Crossovers", "CrossoverSolos", "Loudness", "Levels",
                                              "Delays", "Dynamics", "MeasurementImport",
                                              "FinalResponse"}));
    EXPECT_EQ(j["SystemInformation"]["Engineer"], "Ana \u00e9"); // 0xE9 in the model
    EXPECT_EQ(j["Loudness"].size(), 1u);                         // only section 1 is stored
    // Single-precision fields read as their shortest decimal, not as the widened float.
    const std::string text = ConfigurationToJson(c);
    EXPECT_NE(text.find("\"RmsCoef\": 0.001,"), std::string::npos);
    EXPECT_NE(text.find("\"ReferenceLevel\": 85.5"), std::string::npos);
}

TEST(ConfigurationJson, CarriesEveryStoredFieldAtTheFilesPrecision) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    const ConfigurationFileContent content = CaptureConfiguration(c);
    const Result<ConfigurationFileContent> read = ContentFromJson(ContentToJson(content));
    ASSERT_TRUE(read.Succeeded()) << read.Message();
    EXPECT_EQ(EncodeConfigurationRecord(read.Value(), "/a.v23"),
              EncodeConfigurationRecord(content, "/a.v23"));
}

TEST(ConfigurationJson, RefusesWhatNoEditorHoldsByItsPath) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    const Json good = JsonOf(c);
    // One field set to a value: refused with the field's path and why.
    const struct {
        const char* path;
        Json value;
        std::string why;
    } values[] = {
        {"/Peq/0/bands/3/Q", 25, "25 is outside 0.5 to 20"},
        {"/Levels/1/OutputMuted", 1, "expected true or false"},
        {"/Dynamics/0/Colour", 1, "is not a stored field"},
        {"/ChannelLabels/Sub", "Subwoofer", "is 9 characters long; at most 6 fit"},
        {"/SystemInformation/Engineer", "\u0141ukasz",
         "holds a character that Windows-1252 has no code for"},
        {"/Crossovers/1/LowPass/Order", 6, "6 is outside 1 to 4"},
        {"/Crossovers/0/HighPass/Family", 9, "9 is outside 0 to 8"},
        {"/Topology", "FourOutputs", "expected \"TwoOutputs\" or \"ThreeOutputs\""},
        {"/SampleRate", 44100, "44100 is outside 48000 to 48000"},
        {"/Delays/2/AlignmentDelay", 142, "142 is outside 0 to 141"},
        {"/Dynamics/1/Zload", 5, "expected one of the load choices 2, 2.67, 4, 8, 16"},
        {"/Dynamics/0/GateIndex", 12.5, "expected a whole number"},
        {"/Loudness/0/SectionType", 4, "expected 1 (Param) or 11 (High P.)"},
        {"/MeasurementImport/MeasurementFiles/1", std::string(101, 'p'),
         "is 101 characters long; at most 100 fit"},
        {"/Peq", Json::object(), "expected an array"},
        // What opening would change (an order the family rounds up, a gain whose sign
        // contradicts the polarity, amounts the route state overrides, a delay the slider
        // cannot show) is refused rather than silently changed.
        {"/Crossovers/0/HighPass/Family", 3, "3 is a low-pass family"},
        {"/Crossovers/0/LowPass/Family", 8, "8 is a high-pass family"},
        {"/Crossovers/1/LowPass/Order", 3,
         "3 is not an order of Linkwitz-Riley, which takes 2 or 4"},
        {"/Levels/0/OutputGain", -0.5, "-0.5 is negative, but OutputInverted is false"},
        {"/Levels/1/OutputGain", 1.0, "1 is positive, but OutputInverted is true"},
        {"/Levels/2/OutputGain", 0.01, "0.01 is -40 dB; the level reaches -30 to 6 dB"},
        {"/Levels/2/OutputGain", 0, "0 is no level; the level reaches -30 to 6 dB"},
        {"/Routing/RouteC", 0.3, "0.3 is not the amount of RouteState 1, which is 1"},
        {"/Delays/2/DelayWord", 0,
         "0 is outside 21 to 164, the delays this output's slider gives with three outputs"},
        {"/Peq/0/bands/2/b0", 2.0, "2 is outside -2 to 1.99999904632568"},
        {"/Peq/1/bands/6/b1", 0.1,
         "0.1 is not a whole number of coefficient steps (2^-20); the processor would "
         "receive 0.0999994277954102"}};
    for (const auto& k : values) {
        Json j = good;
        j[Json::json_pointer(k.path)] = k.value;
        EXPECT_EQ(Refusal(j), std::string(k.path) + ": " + k.why);
    }

    const struct {
        std::function<void(Json&)> damage;
        std::string message;
    } shapes[] = {
        {[](Json& j) { j["Routing"].erase("RouteD"); }, "/Routing/RouteD: is missing"},
        {[](Json& j) { j["CrossoverSolos"][0]["LowPassAux"] = true; },
         "/CrossoverSolos/0: HighPassAux and LowPassAux are both set; only one half can be used "
         "alone"},
        {[](Json& j) { j["Peq"][1]["bands"].erase(6); },
         "/Peq/1/bands: expected 7 elements, found 6"},
        // Two faults: the first in the document is the one reported.
        {[](Json& j) {
             j["FinalResponse"]["SpkData"] = "yes";
             j["Routing"]["RouteState"] = 3;
         },
         "/Routing/RouteState: 3 is outside 0 to 2"},
        {[](Json& j) { j = Json::array(); }, "top level: expected an object"},
        // A Bessel cutoff that the family would lower.
        {[](Json& j) {
             j["Crossovers"][1]["LowPass"]["Family"] = 5;
             j["Crossovers"][1]["LowPass"]["Order"] = 4;
             j["Crossovers"][1]["LowPass"]["Frequency"] = 15000;
         },
         "/Crossovers/1/LowPass/Frequency: 15000 is above 14900 Hz, the highest cutoff of a "
         "Bessel low-pass of order 4"},
    };
    for (const auto& k : shapes) {
        Json j = good;
        k.damage(j);
        EXPECT_EQ(Refusal(j), k.message);
    }

    // An attack coefficient no attack rate of the field gives.
    Json attack = good;
    attack["Dynamics"][0]["RmsCoef"] = 0.5;
    EXPECT_EQ(Refusal(attack).rfind("/Dynamics/0/RmsCoef: 0.5 is outside ", 0), 0u);

    const Result<ConfigurationFileContent> broken = ContentFromJson("{\"SystemInformation\": ");
    EXPECT_FALSE(broken.Succeeded());
    EXPECT_EQ(broken.Message().rfind("not valid JSON: ", 0), 0u) << broken.Message();
}

// Nesting deeper than a configuration's own shape is refused where it starts (a text
// nesting 100 000 arrays would otherwise exhaust the stack), and a key may appear once.
TEST(ConfigurationJson, RefusesDeepNestingAndRepeatedKeysWhereTheyStart) {
    ProcessorConfiguration c;
    FillDistinctValues(c);
    const std::string good = ConfigurationToJson(c);
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const int depth = 100000;
    const std::string nested = std::string(depth, '[') + std::string(depth, ']');
    std::string objects;
    for (int i = 0; i <= depth; ++i) {
        objects += "{\"a\": ";
    }
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {replaced("\"Comments\": \"line 1\\r\\nline 2\"", "\"Comments\": " + nested),
         "/SystemInformation/Comments/0/0/0: nests deeper than any field of a configuration"},
        {objects + "1" + std::string(depth + 1, '}'),
         "/a/a/a/a/a: nests deeper than any field of a configuration"},
        {replaced("\"GainDb\": -3.5,", "\"GainDb\": -3.5, \"GainDb\": -3.5,"),
         "/Peq/0/bands/2/GainDb appears twice"},
    };
    for (const Case& k : cases) {
        const Result<ConfigurationFileContent> read = ContentFromJson(k.text);
        EXPECT_FALSE(read.Succeeded());
        EXPECT_EQ(read.Message(), k.message);
    }
}

TEST(ConfigurationJson, ReadsAsOpeningTheFileDoesAndARefusalChangesNothing) {
    ProcessorConfiguration source;
    FillDistinctValues(source);

    ProcessorConfiguration fromFile;
    FileOpening file;
    ASSERT_EQ(file.Open(fromFile, BuildConfigurationRecord(source, "/a.v23")),
              ConfigurationOpenResult::Opened);

    ProcessorConfiguration fromJson;
    RecordingLoadedSteps jsonSteps;
    const Result<> read =
        ReadConfigurationJson(fromJson, ConfigurationToJson(source), file.sender, jsonSteps);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(jsonSteps.calls, file.steps.calls);
    EXPECT_EQ(ConfigurationToJson(fromJson), ConfigurationToJson(fromFile));

    ProcessorConfiguration untouched;
    const std::string before = ConfigurationToJson(untouched);
    Json bad = JsonOf(source);
    bad["Dynamics"][1]["Ratio"] = 0.5;
    RecordingLoadedSteps refusedSteps;
    const Result<> refused =
        ReadConfigurationJson(untouched, bad.dump(), file.sender, refusedSteps);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.Message(), "/Dynamics/1/Ratio: 0.5 is outside 1 to 10");
    EXPECT_TRUE(refusedSteps.calls.empty());
    EXPECT_EQ(ConfigurationToJson(untouched), before);
}

} // namespace
} // namespace veld23
