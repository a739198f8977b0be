// veld23-tool device against the veld23-sim program, both run as programs: the command's
// contract (what it sends, prints and exits with); the transfer itself is tested in process.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace veld23 {
namespace {

namespace fs = std::filesystem;
using testing::RunToEnd;
using testing::RunTool;
using testing::Subprocess;
using testing::TempDir;
using testing::ToolRun;

struct Simulator {
    explicit Simulator(std::vector<std::string> args = {}) {
        args.insert(args.begin(), {VELD23_SIM_PATH, "--log"});
        process = std::make_unique<Subprocess>(args);
        path = process->ReadLine();
    }
    // The log line that starts with prefix; empty when none came.
    std::string Logged(const std::string& prefix) {
        for (std::string line = process->ReadLine(); !line.empty(); line = process->ReadLine()) {
            if (line.rfind(prefix, 0) == 0) {
                return line;
            }
        }
        return {};
    }
    std::unique_ptr<Subprocess> process;
    std::string path;
};

ToolRun Device(const Simulator& sim, std::vector<std::string> args) {
    args.insert(args.begin(), {"device", "--port", sim.path});
    return RunTool(args);
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DeviceCommand, ShortCommandsSendTheirDataAndPrintTheirAnswer) {
    Simulator sim({"--running", "6"});
    ASSERT_FALSE(sim.path.empty());
    const ToolRun check = Device(sim, {"check"});
    EXPECT_EQ(check.exitCode, 0) << check.err;
    EXPECT_EQ(check.out + check.err, "");
    EXPECT_EQ(sim.Logged("done"), "done command=0 program=0 length=0 blocks=0");
    EXPECT_EQ(Device(sim, {"query"}).out, "6\n");
    EXPECT_EQ(Device(sim, {"change", "3"}).exitCode, 0);
    EXPECT_EQ(RunTool({"device", "--port=" + sim.path, "query"}).out, "3\n");
    const struct {
        std::vector<std::string> args;
        std::string log;
    } sends[] = {
        {{"lock"}, "done command=5 program=0 length=1 blocks=1 data=ff"},
        {{"unlock"}, "done command=5 program=0 length=1 blocks=1 data=00"},
        {{"password", "LRPLRP", "--active"},
         "done command=6 program=0 length=7 blocks=1 data=020103020103ff"},
        {{"password", "pppppp"}, "done command=6 program=0 length=7 blocks=1 data=03030303030300"},
    };
    for (const auto& send : sends) {
        EXPECT_EQ(Device(sim, send.args).exitCode, 0) << send.log;
        EXPECT_EQ(sim.Logged("done command=" + send.log.substr(13, 1)), send.log);
    }
}

TEST(DeviceCommand, ANewConfigurationWrittenToAMemoryReadsBackUnchanged) {
    TempDir folder;
    Simulator sim({"--memory-dir", folder.File("memories")});
    ASSERT_FALSE(sim.path.empty());
    const std::string fresh = folder.File("new.v23");
    ASSERT_EQ(RunTool({"new", "--outputs", "3", fresh}).exitCode, 0);
    const std::string written = folder.File("written.bin");
    ASSERT_EQ(RunTool({"convert", fresh, written}).exitCode, 0);
    // Stored, read back to compare, then made the running memory.
    const ToolRun write = Device(sim, {"write", "3", fresh});
    EXPECT_EQ(write.exitCode, 0) << write.err;
    EXPECT_EQ(write.out, "Memory 3 written and verified\n");
    EXPECT_EQ(sim.Logged("done command=3"), "done command=3 program=3 length=2048 blocks=32");
    EXPECT_EQ(sim.Logged("sent"), "sent memory=3 length=2046");
    EXPECT_EQ(sim.Logged("done command=7"), "done command=7 program=3 length=0 blocks=0");
    const std::string read = folder.File("read.bin");
    const ToolRun run = Device(sim, {"read", "3", read});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::uint8_t> image = FileBytes(written);
    EXPECT_TRUE(FileBytes(read) == image);
    // The simulator keeps what it stored in its folder, for its next run.
    const std::vector<std::uint8_t> stored = FileBytes(folder.File("memories/memory3.bin"));
    ASSERT_GE(stored.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), stored.begin()));

    const ToolRun unverified = Device(sim, {"write", "5", fresh, "--no-verify"});
    EXPECT_EQ(unverified.out, "Memory 5 written\n");
    EXPECT_EQ(sim.Logged("done command=3"), "done command=3 program=5 length=2048 blocks=32");
    EXPECT_EQ(sim.Logged("done command=7"), "done command=7 program=5 length=0 blocks=0");

    // Nothing was ever written to memory 7: what comes back is no image, and no file.
    const ToolRun empty = Device(sim, {"read", "7", folder.File("out.json")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("memory 7: "), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(folder.File("out.json")));
    // A configuration that cannot be loaded is refused before the processor is addressed.
    const ToolRun missing = Device(sim, {"write", "2", folder.File("missing.v23")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err, "");
}

// The editor's texts go to stderr with exit status 1, whether the processor refused
// (an information) or the port failed (an error); the texts themselves are the link's.
TEST(DeviceCommand, FailuresExitOneWithTheEditorsText) {
    Simulator sim({"--protect", "2,5"});
    ToolRun run = Device(sim, {"change", "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "MEMORY PROTECTED. If you want to override it, you must unprotect it from "
                       "the keyboard of the Processor.\n");
    run = RunTool({"device", "--port", "/dev/veld23-no-such-port", "check"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "/dev/veld23-no-such-port could not be opened: No such file or directory. "
                       "Check that the adapter is plugged in and choose the port it gives.\n");
}

TEST(DeviceCommand, BadArgumentsShowTheUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {"device"},
        {"device", "check"},
        {"device", "--port"},
        {"device", "--port=/dev/x", "--port", "/dev/x", "query"}, // one link option only
        {"device", "--usb", "change", "9"},
        {"device", "--usb", "check", "extra"},
        {"device", "--usb", "password", "LRPLR"},
        {"device", "--usb", "password", "LRPLRX"},
        {"device", "--usb", "read", "3"},
        {"device", "--usb", "reboot"},
    };
    for (const auto& args : bad) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err.rfind("usage: veld23-tool device", 0), 0u) << run.err;
    }
}

// What each program says about itself: the project's one version number, and its usage
// on --help (on stdout, not as an error) or after a bad option (on stderr, status 2).
TEST(Programs, TellTheProjectVersionAndTheirUsage) {
    const std::pair<std::string, std::string> programs[] = {{VELD23_TOOL_PATH, "veld23-tool"},
                                                            {VELD23_SIM_PATH, "veld23-sim"},
                                                            {VELD23_EDITOR_PATH, "veld23"}};
    for (const auto& [path, name] : programs) {
        for (const char* option : {"--version", "-v"}) {
            const ToolRun run = RunToEnd({path, option});
            EXPECT_EQ(run.exitCode, 0) << name << " " << option;
            EXPECT_EQ(run.out, name + " " + VELD23_VERSION + "\n");
            EXPECT_EQ(run.err, "") << name;
        }
        const ToolRun help = RunToEnd({path, "--help"});
        EXPECT_EQ(help.exitCode, 0) << name;
        EXPECT_EQ(help.err, "") << name;
        EXPECT_NE(help.out.find("--version"), std::string::npos) << name;
    }
    // A subcommand's own help names its arguments.
    const ToolRun write = RunToEnd({VELD23_TOOL_PATH, "device", "--usb", "write", "--help"});
    EXPECT_EQ(write.exitCode, 0);
    for (const char* word : {"N", "CONFIG", "--no-verify"}) {
        EXPECT_NE(write.out.find(word), std::string::npos) << word;
    }
}

TEST(Programs, TheSimulatorRefusesBadOptionsWithItsUsage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--protect", "9"},
                                                 {"--wrong", "nowhere"},
                                                 {"--baud", "fast"},
                                                 {"--silent", "start=3"},
                                                 {"--frobnicate"}}) {
        std::vector<std::string> argv = {VELD23_SIM_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        const ToolRun run = RunToEnd(argv);
        EXPECT_EQ(run.exitCode, 2) << args[0];
        EXPECT_NE(run.err.find("usage: veld23-sim"), std::string::npos) << args[0];
    }
}

} // namespace
} // namespace veld23
