// veld23-sim: the processor's side of the link on a pseudo terminal, for tests
// and for demonstrating the editor without hardware. Prints the terminal's
// path on the first line, then serves until SIGINT or SIGTERM.
#include "MemoryFolder.h"
#include "PtyServer.h"
#include "SimOptions.h"

#include "ProgramVersion.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

// One line per finished exchange, for whoever watches the simulator.
class Logger {
  public:
    explicit Logger(const veld23::link::ProcessorSimulator& p) : p_(p) {}
    void Report() {
        for (; transfers_ < p_.Completed().size(); ++transfers_) {
            const auto& t = p_.Completed()[transfers_];
            std::printf("done command=%d program=%d length=%d blocks=%d", t.command, t.program,
                        t.length, t.blocks);
            if (!t.data.empty() && t.data.size() <= 16) {
                std::printf(" data=%s", Hex(t.data).c_str());
            }
            std::printf("\n");
        }
        for (; receptions_ < p_.Receptions().size(); ++receptions_) {
            const auto& r = p_.Receptions()[receptions_];
            const bool last = receptions_ + 1 == p_.Receptions().size();
            if (!r.completed && last) {
                break; // still going, or abandoned: told when the next one starts
            }
            std::printf("%s memory=%d length=%d\n", r.completed ? "sent" : "abandoned", r.program,
                        r.length);
        }
        for (; forgotten_ < p_.ForgottenTransfers().size(); ++forgotten_) {
            const auto& f = p_.ForgottenTransfers()[forgotten_];
            std::printf(
                "forgot command=%d program=%d after %lld s without bytes\n", f.command, f.program,
                static_cast<long long>(veld23::link::ProcessorSimulator::kForgetAfter.count()));
        }
        for (; realTime_ < p_.RealTimeMessages().size(); ++realTime_) {
            const auto& m = p_.RealTimeMessages()[realTime_];
            std::printf("real-time selector=%d kind=%d body=%s\n", m.selector, m.kind,
                        Hex(m.body).c_str());
        }
        std::fflush(stdout);
    }

  private:
    const veld23::link::ProcessorSimulator& p_;
    std::size_t transfers_ = 0;
    std::size_t receptions_ = 0;
    std::size_t realTime_ = 0;
    std::size_t forgotten_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    using namespace veld23;
    sim::SimOptions options;
    CLI::App app("A VELD23 processor stand-in: prints the path of its pseudo terminal on the "
                 "first line, then answers on it until SIGINT or SIGTERM.",
                 "veld23-sim");
    app.set_version_flag("-v,--version", std::string("veld23-sim ") + kProgramVersion,
                         "Print the version and exit");
    app.set_help_flag("-h,--help", "Print this help and exit");
    sim::DefineSimOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            return app.exit(e); // --help or --version, on stdout
        }
        std::fprintf(stderr, "veld23-sim: %s\n%s\n", e.what(), sim::kUsage);
        return 2;
    }
    link::ProcessorSimulator processor;
    sim::Configure(options, processor);

    std::optional<sim::MemoryFolder> folder;
    if (!options.memoryDir.empty()) {
        folder.emplace(options.memoryDir);
        if (!folder->Load(processor)) {
            std::fprintf(stderr, "veld23-sim: cannot use the folder %s\n",
                         options.memoryDir.c_str());
            return 1;
        }
        processor.SetMemoryStoredListener([&](int memory) {
            if (!folder->Save(processor, memory)) {
                std::fprintf(stderr, "veld23-sim: cannot save memory %d in %s\n", memory,
                             options.memoryDir.c_str());
            }
        });
    }

    sim::PtyServer server(processor);
    std::string errorText;
    if (!server.Open(errorText)) {
        std::fprintf(stderr, "veld23-sim: %s\n", errorText.c_str());
        return 1;
    }
    std::printf("%s\n", server.SlavePath().c_str());
    std::fflush(stdout);

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    std::signal(SIGPIPE, SIG_IGN);
    Logger logger(processor);
    server.Serve(stopRequested, [&] {
        if (options.log) {
            logger.Report();
        }
    });
    return 0;
}
