// veld23-tool device against the veld23-sim program, both run as programs.
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include <csignal>
#include <stdlib.h>
#include <unistd.h>

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

TEST(DeviceCommand, APortThatCannotBeOpenedSaysWhy) {
    const ToolRun run = Tool({"--port", "/dev/veld23-no-such-port", "check"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "/dev/veld23-no-such-port could not be opened: No such file or directory. "
                       "Check that the adapter is plugged in and choose the port it gives.\n");
}

// Writes a new configuration at a pace that keeps the port busy for a while.
struct SlowWrite {
    explicit SlowWrite(const Simulator& sim) {
        char name[] = "/tmp/veld23-slow-write-XXXXXX.v23";
        const int fd = ::mkstemps(name, 4);
        ::close(fd);
        config = name;
        EXPECT_EQ(testing::RunToEnd({VELD23_TOOL_PATH, "new", config}).exitCode, 0);
        writer = std::make_unique<Subprocess>(std::vector<std::string>{
            VELD23_TOOL_PATH, "device", "--port", sim.path, "write", "2", config});
        // Well into the data: the port is held.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    ~SlowWrite() { std::remove(config.c_str()); }
    std::string config;
    std::unique_ptr<Subprocess> writer;
};

TEST(DeviceCommand, ASecondClientIsRefusedWhileATransferRuns) {
    Simulator sim({"--baud", "19200"});
    SlowWrite write(sim);
    const ToolRun second = Device(sim, {"query"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, "COM Port already in use. Select another.\n");
    EXPECT_EQ(write.writer->Wait(), 0) << write.writer->Stderr();
    EXPECT_EQ(write.writer->Stdout(), "Memory 2 written and verified\n");
}

TEST(DeviceCommand, AClientKilledInTheMiddleOfAWriteDoesNotSilenceTheProcessor) {
    Simulator sim({"--baud", "19200"});
    SlowWrite write(sim);
    ::kill(write.writer->Pid(), SIGKILL);
    write.writer->Wait();
    // The processor gives the half-received write up once its line has been quiet.
    for (std::string line = sim.process->ReadLine(); !line.empty() && line.rfind("forgot", 0) != 0;
         line = sim.process->ReadLine()) {
    }
    const ToolRun query = Device(sim, {"query"});
    EXPECT_EQ(query.exitCode, 0) << query.err;
    EXPECT_EQ(query.out, "1\n");
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
