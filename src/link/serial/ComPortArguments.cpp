#include "link/serial/ComPortArguments.h"

namespace veld23::link {

std::optional<std::string> TakeComPortArguments(std::vector<std::string>& args,
                                                std::vector<ComPortPathArgument>& paths) {
    static const std::pair<const char*, ComPortNumber> kOptions[] = {
        {"--com1", ComPortNumber::pnCOM1}, {"--com2", ComPortNumber::pnCOM2}};
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool taken = false;
        for (const auto& [option, port] : kOptions) {
            const std::string name = option;
            if (arg == name) {
                if (i + 1 >= args.size() || args[i + 1].empty()) {
                    return name + " needs a device path";
                }
                paths.push_back({port, args[++i]});
                taken = true;
            } else if (arg.rfind(name + "=", 0) == 0) {
                if (arg.size() == name.size() + 1) {
                    return name + " needs a device path";
                }
                paths.push_back({port, arg.substr(name.size() + 1)});
                taken = true;
            }
        }
        if (!taken) {
            rest.push_back(arg);
        }
    }
    args = std::move(rest);
    return std::nullopt;
}

} // namespace veld23::link
