// encode: what a real becomes in a processor coefficient word.
#include "CommandArguments.h"
#include "CommandRegistry.h"

#include "device/Encodings.h"
#include "dsp/Coef22Range.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace veld23::tool {
namespace {

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// texts: the values as they were written, for the warning.
int RunEncode(const std::vector<double>& values, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        // The word wraps what lies beyond it (+2 would read as -2); like every producer
        // of a word, the tool holds such a value at the word's end, and says so.
        const long double held = HoldToCoef22Range(values[i]);
        if (Coef22DeviceValue(held) != Coef22DeviceValue(values[i])) {
            PrintMessage("encode: " + texts[i] + " is beyond the word's range; held at " +
                         NumberText(static_cast<double>(held)));
        }
        const Coef22Bytes bytes = EncodeCoef22(held);
        std::printf("%02X %02X %02X %.17g\n", bytes[0], bytes[1], bytes[2], DecodeCoef22(bytes));
    }
    return kExitOk;
}

CommandRun DefineEncode(CLI::App& command) {
    auto values = std::make_shared<std::vector<double>>();
    const CLI::Option* option = command.add_option("VALUE", *values, "coefficient values")
                                    ->required()
                                    ->check(FiniteNumber());
    return [values, option] { return RunEncode(*values, option->results()); };
}

const CommandRegistration encode("encode", "encode VALUE...",
                                 "per value the coefficient word's three bytes in hex and the "
                                 "value the processor holds",
                                 DefineEncode);

} // namespace
} // namespace veld23::tool
