// Memory write and read through the Qt serial driver to veld23-sim paced at
// 19200 bit/s, against the time the bytes alone need on such a line. The
// counters: wire_s (the line's time for every byte of the dialogue) and
// ratio (measured / wire; the target is below 1.15).
#include "link/LinkController.h"
#include "link/SimulatedD2xx.h"
#include "link/TransferEngine.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/TCommPortDriver.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace veld23::link;

constexpr unsigned kBaud = 19200;
constexpr double kByteSeconds = 10.0 / kBaud; // start, eight data and stop bits

// Command 3 with 2048 bytes: START, command, program twice, LONG, data, END
// from the editor; four header answers, 32 acknowledgements and END back.
constexpr int kWriteBytes = (1 + 1 + 1 + 1 + 2 + 2048 + 1) + (1 + 1 + 1 + 1 + 32 + 1);
// Command 4 (7 bytes out, 5 back), the go byte, the five framing bytes with
// their echoes, 2046 data bytes with 32 acknowledgements, END and its echo.
constexpr int kReadBytes = (7 + 5) + 1 + 10 + (2046 + 32) + 2;

QCoreApplication& Application() {
    // The window benchmarks of this program may have made the (GUI) application already.
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "veld23_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

class NullUi : public LinkUi, public TransferView {
  public:
    void Beep() override {}
    void ShowError(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void ShowInformation(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void ShowMessage(const std::string&) override {}
    void ShowMainWindow() override {}
    void LinkChanged(LinkKind, LinkCondition) override {}
    int ShownMemoryNumber() const override { return 3; }
    void SetMemorySelector(int) override {}
    void ShowProgress() override {}
    void CloseProgress() override {}
    void SetInfo(const std::string&) override {}
    void SetPortLabel(const std::string&) override {}
    void SetGaugeMax(int) override {}
    void SetGaugePosition(int) override {}
    void TransferFailed() override {}
};

// veld23-sim running paced; stopped when the benchmark is done.
class PacedSimulator {
  public:
    PacedSimulator() {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::dup2(out[1], STDOUT_FILENO);
            const std::string baud = std::to_string(kBaud);
            ::execl(VELD23_SIM_PATH, VELD23_SIM_PATH, "--baud", baud.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        char c = 0;
        pollfd p{out[0], POLLIN, 0};
        while (::poll(&p, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n') {
            path_ += c;
        }
        ::close(out[0]);
    }
    ~PacedSimulator() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& Path() const { return path_; }

  private:
    pid_t pid_ = -1;
    std::string path_;
};

struct Bench {
    Bench() {
        Application();
        comm.UseComm1Values();
        comm.SetPortPath(ComPortNumber::pnCOM1, simulator.Path());
        engine.SetImageHandler(
            [this](std::span<const std::uint8_t> image) { received = image.size(); });
        image.assign(2047, 0x0D);
        image[0] = 0x07;
        image[1] = 0xFE;
    }
    bool Ready() { return !simulator.Path().empty() && link.SelectCom(ComPortNumber::pnCOM1); }

    PacedSimulator simulator;
    NullUi ui;
    TCommPortDriver comm;
    ProcessorSimulator none;
    SimulatedD2xx noConverter{none};
    LinkController link{comm, noConverter, ui};
    QtEventLoopWaiter waiter;
    TransferEngine engine{link, waiter, ui};
    std::vector<std::uint8_t> image;
    std::size_t received = 0;
};

void Report(benchmark::State& state, double totalSeconds, int wireBytes) {
    const double wire = wireBytes * kByteSeconds;
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = totalSeconds / static_cast<double>(state.iterations()) / wire;
}

void BM_WriteMemoryAt19200(benchmark::State& state) {
    Bench b;
    if (!b.Ready()) {
        state.SkipWithError("veld23-sim did not start");
        return;
    }
    const std::uint16_t length = b.engine.LoadImage(b.image);
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!b.engine.RunCommand(3, 3, length, true)) {
            state.SkipWithError("write failed");
            return;
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        total += elapsed.count();
    }
    Report(state, total, kWriteBytes);
}

void BM_ReadMemoryAt19200(benchmark::State& state) {
    Bench b;
    if (!b.Ready() || b.engine.LoadImage(b.image) != 2048 ||
        !b.engine.RunCommand(3, 3, 2048, false)) {
        state.SkipWithError("veld23-sim did not take the memory");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!b.engine.ReceiveMemory(3) || b.received != 2046) {
            state.SkipWithError("read failed");
            return;
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        total += elapsed.count();
    }
    Report(state, total, kReadBytes);
}

} // namespace

BENCHMARK(BM_WriteMemoryAt19200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadMemoryAt19200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
