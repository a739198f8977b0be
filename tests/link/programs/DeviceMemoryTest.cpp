// veld23-tool device write and read against the veld23-sim program: a configuration
// goes into a processor memory and comes back as the editor's Read would take it.
#include "support/ToolRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace veld23 {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing::Subprocess;
using testing::ToolRun;

ToolRun Tool(std::vector<std::string> args) {
    args.insert(args.begin(), VELD23_TOOL_PATH);
    return testing::RunToEnd(args);
}

struct TempFolder {
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "veld23-memory-XXXXXX").string();
        path = ::mkdtemp(pattern.data()) != nullptr ? pattern : "";
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string File(const std::string& name) const { return (fs::path(path) / name).string(); }
    std::string path;
};

json ReadJson(const std::string& path) {
    std::ifstream in(path);
    return json::parse(in);
}

void WriteJson(const std::string& path, const json& value) {
    std::ofstream(path) << value.dump(2);
}

// Reads the simulator's log until a line starting with prefix; empty when none came.
std::string LogLine(Subprocess& sim, const std::string& prefix) {
    for (std::string line = sim.ReadLine(); !line.empty(); line = sim.ReadLine()) {
        if (line.rfind(prefix, 0) == 0) {
            return line;
        }
    }
    return {};
}

// A three-output configuration with something set in every block the panel codes carry.
json EditedConfiguration(const TempFolder& folder) {
    const std::string fresh = folder.File("new.json");
    EXPECT_EQ(Tool({"new", "--outputs", "3", fresh}).exitCode, 0);
    json config = ReadJson(fresh);
    config["SystemInformation"]["SystemName"] = "Hall B";
    json& band = config["Peq"][0]["bands"][2];
    band["SectionType"] = 1;
    band["Frequency"] = 1234.0;
    band["GainDb"] = -4.5;
    band["Q"] = 2.5;
    json& other = config["Peq"][1]["bands"][0];
    other["SectionType"] = 1;
    other["Frequency"] = 250.0;
    other["GainDb"] = 3.2;
    other["Q"] = 1.4;
    config["Crossovers"][0]["HighPass"] = {{"Family", 4}, {"Order", 2}, {"Frequency", 80.0}};
    config["Crossovers"][0]["LowPass"] = {{"Family", 1}, {"Order", 2}, {"Frequency", 2500.0}};
    config["Levels"][0]["OutputGain"] = 0.5;
    config["Levels"][1]["OutputMuted"] = true;
    config["Delays"][1]["DelayWord"] = 40;
    config["Dynamics"][1]["Ratio"] = 4.0;
    return config;
}

TEST(DeviceMemory, AConfigurationWrittenToAMemoryReadsBack) {
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string edited = folder.File("edited.json");
    WriteJson(edited, EditedConfiguration(folder));
    // What the editor makes of the file is what goes into the memory.
    const std::string written = folder.File("written.json");
    ASSERT_EQ(Tool({"convert", edited, written}).exitCode, 0);

    Subprocess sim({VELD23_SIM_PATH, "--log"});
    const std::string port = sim.ReadLine();
    ASSERT_FALSE(port.empty());
    // Stored, read back to compare, then made the running memory.
    const ToolRun write = Tool({"device", "--port", port, "write", "3", edited});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_EQ(write.out, "Memory 3 written and verified\n");
    EXPECT_EQ(LogLine(sim, "done"), "done command=3 program=3 length=2048 blocks=32");
    EXPECT_EQ(LogLine(sim, "sent"), "sent memory=3 length=2046");
    EXPECT_EQ(LogLine(sim, "done"), "done command=7 program=3 length=0 blocks=0");
    const ToolRun unverified =
        Tool({"device", "--port", port, "write", "5", edited, "--no-verify"});
    EXPECT_EQ(unverified.out, "Memory 5 written\n");
    EXPECT_EQ(LogLine(sim, "done"), "done command=3 program=5 length=2048 blocks=32");
    EXPECT_EQ(LogLine(sim, "done"), "done command=7 program=5 length=0 blocks=0");

    const std::string read = folder.File("read.json");
    const ToolRun run = Tool({"device", "--port", port, "read", "3", read});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(LogLine(sim, "sent"), "sent memory=3 length=2046");

    const json before = ReadJson(written);
    const json after = ReadJson(read);
    EXPECT_EQ(after["Topology"], "ThreeOutputs");
    EXPECT_EQ(after["SystemInformation"]["SystemName"], "Hall B" + std::string(34, ' '));
    for (const auto& [peq, k] : {std::pair{0, 2}, std::pair{1, 0}}) {
        const json& b = before["Peq"][peq]["bands"][k];
        const json& a = after["Peq"][peq]["bands"][k];
        EXPECT_EQ(a["SectionType"], b["SectionType"]);
        EXPECT_EQ(a["Frequency"], b["Frequency"]);
        // Gain and Q travel as tenths.
        EXPECT_NEAR(a["GainDb"].get<double>(), b["GainDb"].get<double>(), 0.05) << peq;
        EXPECT_NEAR(a["Q"].get<double>(), b["Q"].get<double>(), 0.05) << peq;
        EXPECT_NEAR(a["b0"].get<double>(), b["b0"].get<double>(), 1e-3) << peq;
    }
    EXPECT_EQ(before["Crossovers"][0]["LowPass"]["Frequency"], 2500.0);
    EXPECT_EQ(after["Crossovers"][0], before["Crossovers"][0]);
    const double gainDb = 20.0 * std::log10(after["Levels"][0]["OutputGain"].get<double>());
    EXPECT_NEAR(gainDb, 20.0 * std::log10(before["Levels"][0]["OutputGain"].get<double>()), 0.05);
    EXPECT_EQ(after["Levels"][1]["OutputMuted"], true);
    EXPECT_EQ(after["Delays"][1]["DelayWord"], 40);
    EXPECT_EQ(after["Dynamics"][1]["Ratio"], 4.0);
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What the editor makes, the processor gives back: the memory image of a new
// configuration in either topology is the same after Write and Read.
TEST(DeviceMemory, ANewConfigurationComesBackFromAMemoryUnchanged) {
    TempFolder folder;
    Subprocess sim({VELD23_SIM_PATH});
    const std::string port = sim.ReadLine();
    ASSERT_FALSE(port.empty());
    for (const std::string outputs : {"2", "3"}) {
        const std::string fresh = folder.File("new" + outputs + ".v23");
        ASSERT_EQ(Tool({"new", "--outputs", outputs, fresh}).exitCode, 0);
        const std::string written = folder.File("written" + outputs + ".bin");
        ASSERT_EQ(Tool({"convert", fresh, written}).exitCode, 0);
        ASSERT_EQ(Tool({"device", "--port", port, "write", "1", fresh}).exitCode, 0);
        const std::string read = folder.File("read" + outputs + ".bin");
        const ToolRun run = Tool({"device", "--port", port, "read", "1", read});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::uint8_t> before = FileBytes(written);
        EXPECT_EQ(before.size(), 2047u);
        EXPECT_TRUE(FileBytes(read) == before) << outputs << " outputs";
    }
}

TEST(DeviceMemory, AnEmptyMemoryOrABadConfigurationFails) {
    TempFolder folder;
    Subprocess sim({VELD23_SIM_PATH});
    const std::string port = sim.ReadLine();
    ASSERT_FALSE(port.empty());
    // Nothing was ever written to memory 5: what comes back is no image.
    const std::string out = folder.File("out.json");
    const ToolRun read = Tool({"device", "--port", port, "read", "5", out});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_NE(read.err.find("memory 5: "), std::string::npos) << read.err;
    EXPECT_FALSE(fs::exists(out));
    // A configuration that cannot be loaded is refused before the processor is addressed.
    const ToolRun write =
        Tool({"device", "--port", port, "write", "2", folder.File("missing.v23")});
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_FALSE(write.err.empty());
}

} // namespace
} // namespace veld23
