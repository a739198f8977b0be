// encode: what a real becomes in a processor coefficient word.
#include "CommandArguments.h"
#include "CommandRegistry.h"

#include "device/Encodings.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace veld23::tool {
namespace {

int RunEncode(const std::vector<double>& values) {
    for (double v : values) {
        const Coef22Bytes bytes = EncodeCoef22(v);
        std::printf("%02X %02X %02X %.17g\n", bytes[0], bytes[1], bytes[2], DecodeCoef22(bytes));
    }
    return kExitOk;
}

CommandRun DefineEncode(CLI::App& command) {
    auto values = std::make_shared<std::vector<double>>();
    command.add_option("VALUE", *values, "coefficient values")->required()->check(FiniteNumber());
    return [values] { return RunEncode(*values); };
}

const CommandRegistration encode("encode", "encode VALUE...",
                                 "per value the coefficient word's three bytes in hex and the "
                                 "value the processor holds",
                                 DefineEncode);

} // namespace
} // namespace veld23::tool
