#include "SimOptions.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace veld23::sim {

namespace {

// The length a bare --oversize announces: more than the editor's buffer holds.
constexpr std::uint16_t kOversizeLength = 40000;
// The byte a bare --corrupt spoils: inside any memory image, past its length word.
constexpr std::size_t kCorruptOffset = 100;

bool ParseNumber(const std::string& text, long minimum, long maximum, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && end == text.c_str() + text.size() && value >= minimum && value <= maximum;
}

// A fault's place in the dialogue: "STEP" or "STEP=NUMBER" with NUMBER up to maximum.
struct StepArgument {
    link::SimStep step{};
    std::optional<long> number;
};

std::optional<std::string> ParseStep(const std::string& text, long maximum, StepArgument& out) {
    const std::size_t equals = text.find('=');
    const auto parsed = link::ParseSimStep(text.substr(0, equals));
    if (!parsed) {
        return "unknown step '" + text.substr(0, equals) + "'";
    }
    out.step = *parsed;
    if (equals != std::string::npos) {
        long value = 0;
        if (!ParseNumber(text.substr(equals + 1), 0, maximum, value)) {
            return "bad number in '" + text + "'";
        }
        out.number = value;
    }
    return std::nullopt;
}

// A STEP[=NUMBER] option: checked while the command line is read, then handed on.
void AddStepOption(CLI::App& app, const std::string& name, const std::string& description,
                   long maximum, std::function<void(const StepArgument&)> apply) {
    app.add_option_function<std::string>(
           name,
           [maximum, apply](const std::string& text) {
               StepArgument step;
               ParseStep(text, maximum, step);
               apply(step);
           },
           description)
        ->type_name(maximum == 0 ? "STEP" : "STEP[=N]")
        ->check(CLI::Validator(
            [maximum](std::string& text) -> std::string {
                StepArgument step;
                return ParseStep(text, maximum, step).value_or("");
            },
            "", "STEP"));
}

} // namespace

void DefineSimOptions(CLI::App& app, SimOptions& options) {
    link::SimFaults& faults = options.faults;
    app.add_option("--baud", options.baud,
                   "answer no sooner than a line of this speed would carry the bytes "
                   "(0: at once)")
        ->type_name("BITS_PER_S")
        ->check(CLI::Range(0, 10'000'000));
    app.add_option("--protect", options.protectedMemories, "protected memories")
        ->type_name("N[,N...]")
        ->delimiter(',')
        ->check(CLI::Range(1, 8));
    app.add_option("--running", options.runningMemory, "the running memory at start")
        ->type_name("N")
        ->check(CLI::Range(1, 8));
    app.add_option("--memory-dir", options.memoryDir,
                   "keep the memories as files DIR/memoryN.bin between runs")
        ->type_name("DIR");
    app.add_flag("--log", options.log, "print one line per finished exchange");

    AddStepOption(app, "--silent", "no answer at that step", 0,
                  [&faults](const StepArgument& s) { faults.silentAt = s.step; });
    AddStepOption(app, "--wrong", "a wrong byte at that step (N, or bit 6 flipped)", 255,
                  [&faults](const StepArgument& s) {
                      faults.wrongAt = s.step;
                      if (s.number) {
                          faults.wrongValue = static_cast<std::uint8_t>(*s.number);
                      }
                  });
    AddStepOption(app, "--burst", "N bytes more at that step (default 4)", 120,
                  [&faults](const StepArgument& s) {
                      faults.burstAt = s.step;
                      faults.burstCount = static_cast<int>(s.number.value_or(4));
                  });
    app.add_option_function<long>(
           "--delay", [&faults](long ms) { faults.answerDelay = std::chrono::milliseconds(ms); },
           "wait before every answer")
        ->type_name("MS")
        ->check(CLI::Range(0, 60'000));
    app.add_option_function<int>(
           "--hangup-after", [&faults](int blocks) { faults.hangUpAfterBlocks = blocks; },
           "stop answering after that many data blocks")
        ->type_name("BLOCKS")
        ->check(CLI::Range(0, 1024));
    app.add_option_function<int>(
           "--oversize",
           [&faults](int length) { faults.announcedLength = static_cast<std::uint16_t>(length); },
           "announce a memory of this length, whatever it holds")
        ->type_name("[=LENGTH]")
        ->expected(0, 1)
        ->default_str(std::to_string(kOversizeLength))
        ->check(CLI::Range(0, 65535));
    app.add_option_function<std::size_t>(
           "--corrupt", [&faults](std::size_t offset) { faults.corruptStoredByte = offset; },
           "every write stores the byte at this offset inverted, as a failing memory cell would")
        ->type_name("[=OFFSET]")
        ->expected(0, 1)
        ->default_str(std::to_string(kCorruptOffset))
        ->check(CLI::Range(0, 65535));
    app.footer("STEP: start command program long data end (answers to the editor's commands),\n"
               "      begin rx-command rx-program rx-long rx-data rx-end (while returning a "
               "memory)");
}

void Configure(const SimOptions& options, link::ProcessorSimulator& processor) {
    processor.SetBaud(options.baud);
    processor.Faults() = options.faults;
    processor.SetRunningProgram(options.runningMemory);
    for (const int memory : options.protectedMemories) {
        processor.SetProtected(memory, true);
    }
}

} // namespace veld23::sim
