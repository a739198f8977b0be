#pragma once

#include "link/LinkTypes.h"

#include <string>
#include <vector>

namespace veld23::link {

class TCommPortDriver;

// `--com1 PATH` / `--com2 PATH` of the editor: another device stands in for COM 1
// or COM 2, such as a USB-serial adapter or a pseudo terminal. Only for this run;
// nothing is kept.
struct ComPortPathArgument {
    ComPortNumber port;
    std::string path;
};

void ApplyComPortArguments(const std::vector<ComPortPathArgument>& paths, TCommPortDriver& driver);

} // namespace veld23::link
