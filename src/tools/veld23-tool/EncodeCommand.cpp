// encode: what a real becomes in a processor coefficient word.
#include "CommandRegistry.h"

#include "device/Encodings.h"
#include "dsp/Coef22Range.h"

#include <cstdio>

namespace veld23::tool {
namespace {

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

int RunEncode(const Arguments& args) {
    if (args.empty()) {
        return UsageError("encode");
    }
    std::vector<double> values(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!ParseDouble(args[i], values[i])) {
            return UsageError("encode");
        }
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        // The word wraps what lies beyond it (+2 would read as -2); like every producer
        // of a word, the tool holds such a value at the word's end, and says so.
        const long double held = HoldToCoef22Range(values[i]);
        if (Coef22DeviceValue(held) != Coef22DeviceValue(values[i])) {
            PrintMessage("encode: " + args[i] + " is beyond the word's range; held at " +
                         NumberText(static_cast<double>(held)));
        }
        const Coef22Bytes bytes = EncodeCoef22(held);
        std::printf("%02X %02X %02X %.17g\n", bytes[0], bytes[1], bytes[2], DecodeCoef22(bytes));
    }
    return kExitOk;
}

const CommandRegistration encode("encode", "encode VALUE...", RunEncode);

} // namespace
} // namespace veld23::tool
