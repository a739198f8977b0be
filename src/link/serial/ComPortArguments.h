#pragma once

#include "link/LinkTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace veld23::link {

class TCommPortDriver;

// `--com1 PATH` / `--com2 PATH` (or `--com1=PATH`): another device stands in
// for COM 1 or COM 2, such as a USB-serial adapter or a pseudo terminal. Only
// for this run; nothing is kept.
struct ComPortPathArgument {
    ComPortNumber port;
    std::string path;
};

// Takes the port options out of args; returns an error text for an option
// without its path.
std::optional<std::string> TakeComPortArguments(std::vector<std::string>& args,
                                                std::vector<ComPortPathArgument>& paths);
void ApplyComPortArguments(const std::vector<ComPortPathArgument>& paths, TCommPortDriver& driver);

} // namespace veld23::link
