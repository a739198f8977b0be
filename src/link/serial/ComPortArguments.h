#pragma once

#include "link/LinkTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace veld23::link {

// `--com1 PATH` / `--com2 PATH` (or `--com1=PATH`): another device stands in
// for COM 1 or COM 2, such as a USB-serial adapter or a pseudo terminal, for this
// run. Takes the port options out of args; returns an error text for an option
// without its path.
std::optional<std::string> TakeComPortArguments(std::vector<std::string>& args,
                                                std::vector<ComPortPathArgument>& paths);

} // namespace veld23::link
