#include "SimOptions.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace veld23::sim {

namespace {

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

// "--name VALUE" or "--name=VALUE"; a step option may carry "=NUMBER" after the step.
struct Cursor {
    const std::vector<std::string>& args;
    std::size_t i = 0;

    bool Value(const std::string& arg, const std::string& name, std::string& value) {
        if (arg.rfind(name + "=", 0) == 0) {
            value = arg.substr(name.size() + 1);
            return true;
        }
        if (arg == name && i + 1 < args.size()) {
            value = args[++i];
            return true;
        }
        return false;
    }
};

std::optional<std::string> ParseStep(const std::string& text, link::SimStep& step,
                                     std::optional<long>& number, long maximum) {
    const std::size_t equals = text.find('=');
    const auto parsed = link::ParseSimStep(text.substr(0, equals));
    if (!parsed) {
        return "unknown step '" + text.substr(0, equals) + "'";
    }
    step = *parsed;
    if (equals != std::string::npos) {
        long value = 0;
        if (!ParseNumber(text.substr(equals + 1), 0, maximum, value)) {
            return "bad number in '" + text + "'";
        }
        number = value;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ParseSimOptions(const std::vector<std::string>& args,
                                           SimOptions& options) {
    Cursor c{args};
    for (; c.i < args.size(); ++c.i) {
        const std::string arg = args[c.i];
        std::string value;
        long number = 0;
        std::optional<long> extra;
        link::SimStep step{};
        if (arg == "--log") {
            options.log = true;
        } else if (arg == "--corrupt") {
            options.faults.corruptStoredByte = kCorruptOffset;
        } else if (c.Value(arg, "--corrupt", value)) {
            if (!ParseNumber(value, 0, 65535, number)) {
                return "--corrupt needs a byte offset up to 65535";
            }
            options.faults.corruptStoredByte = static_cast<std::size_t>(number);
        } else if (arg == "--oversize") {
            options.faults.announcedLength = 40000;
        } else if (c.Value(arg, "--oversize", value)) {
            if (!ParseNumber(value, 0, 65535, number)) {
                return "--oversize needs a length up to 65535";
            }
            options.faults.announcedLength = static_cast<std::uint16_t>(number);
        } else if (c.Value(arg, "--baud", value)) {
            if (!ParseNumber(value, 0, 10'000'000, number)) {
                return "--baud needs a speed in bit/s";
            }
            options.baud = static_cast<unsigned>(number);
        } else if (c.Value(arg, "--protect", value)) {
            std::stringstream list(value);
            std::string item;
            while (std::getline(list, item, ',')) {
                if (!ParseNumber(item, 1, 8, number)) {
                    return "--protect needs memory numbers 1 to 8";
                }
                options.protectedMemories.push_back(static_cast<int>(number));
            }
        } else if (c.Value(arg, "--running", value)) {
            if (!ParseNumber(value, 1, 8, number)) {
                return "--running needs a memory number 1 to 8";
            }
            options.runningMemory = static_cast<int>(number);
        } else if (c.Value(arg, "--memory-dir", value)) {
            options.memoryDir = value;
        } else if (c.Value(arg, "--delay", value)) {
            if (!ParseNumber(value, 0, 60'000, number)) {
                return "--delay needs milliseconds";
            }
            options.faults.answerDelay = std::chrono::milliseconds(number);
        } else if (c.Value(arg, "--hangup-after", value)) {
            if (!ParseNumber(value, 0, 1024, number)) {
                return "--hangup-after needs a block count";
            }
            options.faults.hangUpAfterBlocks = static_cast<int>(number);
        } else if (c.Value(arg, "--silent", value)) {
            if (auto error = ParseStep(value, step, extra, 0)) {
                return error;
            }
            options.faults.silentAt = step;
        } else if (c.Value(arg, "--wrong", value)) {
            if (auto error = ParseStep(value, step, extra, 255)) {
                return error;
            }
            options.faults.wrongAt = step;
            if (extra) {
                options.faults.wrongValue = static_cast<std::uint8_t>(*extra);
            }
        } else if (c.Value(arg, "--burst", value)) {
            if (auto error = ParseStep(value, step, extra, 120)) {
                return error;
            }
            options.faults.burstAt = step;
            options.faults.burstCount = static_cast<int>(extra.value_or(4));
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    return std::nullopt;
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
