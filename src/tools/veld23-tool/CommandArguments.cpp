#include "CommandArguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace veld23::tool {

CLI::Validator FiniteNumber() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            char* end = nullptr;
            errno = 0;
            const double value = std::strtod(text.c_str(), &end);
            const bool whole = !text.empty() && end == text.c_str() + text.size();
            if (!whole || errno != 0 || !std::isfinite(value)) {
                return text + " is not a finite number";
            }
            return {};
        },
        "", "FINITE");
}

CLI::Validator DecimalInteger() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
            if (text.size() == sign ||
                text.find_first_not_of("0123456789", sign) != std::string::npos) {
                return text + " is not a whole number";
            }
            const std::size_t firstDigit =
                std::min(text.find_first_not_of('0', sign), text.size() - 1);
            text.erase(sign, firstDigit - sign);
            return {};
        },
        "", "DECIMAL");
}

CLI::Validator NotEmpty() {
    return CLI::Validator(
        [](std::string& text) -> std::string { return text.empty() ? "empty" : ""; }, "",
        "NOT_EMPTY");
}

CLI::Option* AddNumber(CLI::App& command, const std::string& name, double& value,
                       const std::string& description, double lowest, double highest) {
    return command.add_option(name, value, description)
        ->required()
        ->check(FiniteNumber())
        ->check(CLI::Range(lowest, highest));
}

CLI::Option* AddInteger(CLI::App& command, const std::string& name, long& value,
                        const std::string& description, long lowest, long highest) {
    return command.add_option(name, value, description)
        ->required()
        ->transform(DecimalInteger())
        ->check(CLI::Range(lowest, highest));
}

CLI::Option* AddMemory(CLI::App& command, int& memory) {
    return command.add_option("N", memory, "processor memory")
        ->required()
        ->transform(DecimalInteger())
        ->check(CLI::Range(1, 8));
}

} // namespace veld23::tool
