// new: a new configuration as the topology chooser makes it, saved in any form.
#include "CommandArguments.h"
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include <memory>

namespace veld23::tool {
namespace {

struct NewArguments {
    int outputs = 2;
    std::string out;
};

int RunNew(const NewArguments& a) {
    ConfigurationSession session;
    session.New(a.outputs == 3 ? OutputTopology::ThreeOutputs : OutputTopology::TwoOutputs);
    return session.Save(a.out) ? kExitOk : kExitFailed;
}

CommandRun DefineNew(CLI::App& command) {
    auto a = std::make_shared<NewArguments>();
    command.add_option("--outputs", a->outputs, "two outputs (the default) or three")
        ->check(CLI::IsMember({2, 3}));
    command.add_option("OUT", a->out, "the file to save (.v23, .v13, .json or .bin)")
        ->required()
        ->check(NotEmpty());
    return [a] { return RunNew(*a); };
}

const CommandRegistration newCommand("new", "new [--outputs 2|3] OUT (.v23, .v13, .json or .bin)",
                                     "a new configuration, saved as OUT", DefineNew);

} // namespace
} // namespace veld23::tool
