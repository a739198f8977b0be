// veld23-tool device against the veld23-sim program, both run as programs.
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <chrono>

namespace veld23 {
namespace {

using testing::Subprocess;
using testing::ToolRun;

struct Simulator {
    explicit Simulator(std::vector<std::string> args = {}) {
        args.insert(args.begin(), {VELD23_SIM_PATH, "--log"});
        process = std::make_unique<Subprocess>(args);
        path = process->ReadLine();
    }
    std::unique_ptr<Subprocess> process;
    std::string path;
};

ToolRun Tool(std::vector<std::string> args) {
    args.insert(args.begin(), {VELD23_TOOL_PATH, "device"});
    return testing::RunToEnd(args);
}

ToolRun Device(const Simulator& sim, std::vector<std::string> args) {
    args.insert(args.begin(), {"--port", sim.path});
    return Tool(args);
}

TEST(DeviceCommand, CheckIsTheLinkCheck) {
    Simulator sim;
    ASSERT_FALSE(sim.path.empty());
    const ToolRun run = Device(sim, {"check"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(sim.process->ReadLine(), "done command=0 program=0 length=0 blocks=0");
}

TEST(DeviceCommand, QueryPrintsTheRunningMemoryAndChangeSetsIt) {
    Simulator sim({"--running", "6"});
    EXPECT_EQ(Device(sim, {"query"}).out, "6\n");
    const ToolRun change = Device(sim, {"change", "3"});
    EXPECT_EQ(change.exitCode, 0) << change.err;
    EXPECT_EQ(Device(sim, {"--port=" + sim.path, "query"}).exitCode, 2); // one link option only
    EXPECT_EQ(Tool({"--port=" + sim.path, "query"}).out, "3\n");
}

TEST(DeviceCommand, KeyboardAndPasswordCarryTheirData) {
    Simulator sim;
    EXPECT_EQ(Device(sim, {"lock"}).exitCode, 0);
    EXPECT_EQ(sim.process->ReadLine(), "done command=5 program=0 length=1 blocks=1 data=ff");
    EXPECT_EQ(Device(sim, {"unlock"}).exitCode, 0);
    EXPECT_EQ(sim.process->ReadLine(), "done command=5 program=0 length=1 blocks=1 data=00");
    EXPECT_EQ(Device(sim, {"password", "LRPLRP", "--active"}).exitCode, 0);
    EXPECT_EQ(sim.process->ReadLine(),
              "done command=6 program=0 length=7 blocks=1 data=020103020103ff");
    EXPECT_EQ(Device(sim, {"password", "pppppp"}).exitCode, 0);
    EXPECT_EQ(sim.process->ReadLine(),
              "done command=6 program=0 length=7 blocks=1 data=03030303030300");
}

TEST(DeviceCommand, AProtectedMemoryIsRefusedWithItsMessage) {
    Simulator sim({"--protect", "2,5"});
    const ToolRun run = Device(sim, {"change", "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "MEMORY PROTECTED. If you want to override it, you must unprotect it from "
                       "the keyboard of the Processor.\n");
    EXPECT_EQ(Device(sim, {"query"}).out, "1\n");
}

TEST(DeviceCommand, AWrongAnswerFailsWithItsText) {
    Simulator sim({"--wrong", "start=129"});
    const ToolRun run = Device(sim, {"check"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "  ¡¡ERROR!! HEADER NO VALID(129)\n");
}

TEST(DeviceCommand, ASilentProcessorFailsAfterTheWatchdog) {
    Simulator sim({"--silent", "end"});
    const auto start = std::chrono::steady_clock::now();
    const ToolRun run = Device(sim, {"check"});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Comunication ERROR. Please verify that the COM port selected is correct\n");
}

TEST(DeviceCommand, APortThatCannotBeOpenedIsInUse) {
    const ToolRun run = Tool({"--port", "/dev/veld23-no-such-port", "check"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "COM Port already in use. Select another.\n");
}

TEST(DeviceCommand, UsbWithoutAConverterIsNotFound) {
    const ToolRun run = Tool({"--usb", "check"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Can't open the USB. Please verify that the USB port is correct and your "
                       "VELD23 unit is switch on - Device Not Found....\n");
}

TEST(DeviceCommand, BadArgumentsShowTheUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"check"},
        {"--port"},
        {"--usb", "change", "9"},
        {"--usb", "change", "0"},
        {"--usb", "check", "extra"},
        {"--usb", "password", "LRPLR"},
        {"--usb", "password", "LRPLRX"},
        {"--usb", "write", "9", "file.v23"},
        {"--usb", "read", "3"},
        {"--usb", "reboot"},
    };
    for (const auto& args : bad) {
        const ToolRun run = Tool(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.err.rfind("usage: veld23-tool device", 0), 0u) << run.err;
    }
}

} // namespace
} // namespace veld23
