// encode: what a real becomes in a processor coefficient word.
#include "CommandRegistry.h"

#include "device/Encodings.h"

#include <cstdio>

namespace veld23::tool {
namespace {

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
    for (double v : values) {
        const Coef22Bytes bytes = EncodeCoef22(v);
        std::printf("%02X %02X %02X %.17g\n", bytes[0], bytes[1], bytes[2], DecodeCoef22(bytes));
    }
    return kExitOk;
}

const CommandRegistration encode("encode", "encode VALUE...", RunEncode);

} // namespace
} // namespace veld23::tool
