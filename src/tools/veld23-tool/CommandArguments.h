#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace veld23::tool {

// A whole argument that reads as a finite number: "nan", "inf", "1e400", "1k" and ""
// are refused, since no argument can mean them.
CLI::Validator FiniteNumber();
// A whole number written in decimal: "08" is eight, "0x8" and "2.5" are refused.
// A transform: it drops leading zeros so the number cannot be read as octal.
CLI::Validator DecimalInteger();
// Text that is not empty, such as a path.
CLI::Validator NotEmpty();

// A required positional number held to [lowest, highest].
CLI::Option* AddNumber(CLI::App& command, const std::string& name, double& value,
                       const std::string& description, double lowest, double highest);
// A required positional whole number held to [lowest, highest].
CLI::Option* AddInteger(CLI::App& command, const std::string& name, long& value,
                        const std::string& description, long lowest, long highest);
// A required positional memory number, 1 to 8.
CLI::Option* AddMemory(CLI::App& command, int& memory);

} // namespace veld23::tool
