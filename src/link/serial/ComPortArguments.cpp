#include "link/serial/ComPortArguments.h"

#include "link/serial/TCommPortDriver.h"

namespace veld23::link {

void ApplyComPortArguments(const std::vector<ComPortPathArgument>& paths, TCommPortDriver& driver) {
    for (const ComPortPathArgument& p : paths) {
        driver.SetPortPath(p.port, p.path);
    }
}

} // namespace veld23::link
