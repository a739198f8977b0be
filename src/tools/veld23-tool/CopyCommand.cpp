// copy: one channel's settings of a block made another's, as the editor windows' copy
// buttons do, then the configuration saved.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "editors/ChannelCopy.h"

#include <CLI/CLI.hpp>

#include <array>
#include <charconv>
#include <memory>
#include <string_view>
#include <vector>

namespace veld23::tool {
namespace {

constexpr const char* kName = "copy";

struct BlockOption {
    std::string_view option;
    CopyBlock block;
    std::string_view what;
};
constexpr std::array<BlockOption, 5> kOptions{
    {{"--peq", CopyBlock::Peq, "equalisers 1..2"},
     {"--xover", CopyBlock::Crossover, "outputs 1..3"},
     {"--level", CopyBlock::Levels, "outputs 1..3"},
     {"--delay", CopyBlock::Delay, "outputs 1..3"},
     {"--dynamics", CopyBlock::Dynamics, "dynamics records 1..2"}}};

struct Copy {
    CopyBlock block;
    int from;
    int to;
};

bool ParseChannel(std::string_view text, long& channel) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), channel);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

// "FROM:TO", two different channels the block has.
bool ParseChannels(const std::string& text, CopyBlock block, Copy& copy) {
    const std::size_t colon = text.find(':');
    long from = 0;
    long to = 0;
    if (colon == std::string::npos ||
        !ParseChannel(std::string_view(text).substr(0, colon), from) ||
        !ParseChannel(std::string_view(text).substr(colon + 1), to)) {
        return false;
    }
    const long channels = CopyChannels(block);
    if (from < 1 || to < 1 || from > channels || to > channels || from == to) {
        return false;
    }
    copy = {block, static_cast<int>(from), static_cast<int>(to)};
    return true;
}

struct CopyArguments {
    std::string config;
    std::string out;
    // Per block option, its FROM:TO in the order given, and the option itself.
    std::array<std::vector<std::string>, kOptions.size()> channels;
    std::array<const CLI::Option*, kOptions.size()> options{};
};

// The copies in the order the options were given, across blocks.
std::vector<Copy> CopiesInOrder(const CopyArguments& a, const CLI::App& command) {
    std::vector<Copy> copies;
    std::array<std::size_t, kOptions.size()> next{};
    for (const CLI::Option* given : command.parse_order()) {
        for (std::size_t i = 0; i < kOptions.size(); ++i) {
            Copy copy{};
            if (given == a.options[i] &&
                ParseChannels(a.channels[i][next[i]++], kOptions[i].block, copy)) {
                copies.push_back(copy);
            }
        }
    }
    return copies;
}

int RunCopy(const CopyArguments& a, const CLI::App& command) {
    const std::vector<Copy> copies = CopiesInOrder(a, command);
    if (copies.empty()) {
        return UsageError(kName);
    }
    ConfigurationSession session;
    if (!session.Load(a.config)) {
        return kExitFailed;
    }
    for (const Copy& copy : copies) {
        CopyChannel(session.Configuration(), session.Editors(), copy.block, copy.from, copy.to);
    }
    return session.Save(a.out) ? kExitOk : kExitFailed;
}

CommandRun DefineCopy(CLI::App& command) {
    auto a = std::make_shared<CopyArguments>();
    command.add_option("CONFIG", a->config, "the configuration (.v23, .v13, .json or .bin)")
        ->required();
    for (std::size_t i = 0; i < kOptions.size(); ++i) {
        const CopyBlock block = kOptions[i].block;
        a->options[i] = command
                            .add_option(std::string(kOptions[i].option), a->channels[i],
                                        "copy channel FROM to channel TO (" +
                                            std::string(kOptions[i].what) + ")")
                            ->type_name("FROM:TO")
                            ->allow_extra_args(false)
                            ->check(CLI::Validator(
                                [block](std::string& text) -> std::string {
                                    Copy copy{};
                                    return ParseChannels(text, block, copy)
                                               ? ""
                                               : text + " is not two different channels";
                                },
                                "", "FROM:TO"));
    }
    command.add_option("OUT", a->out, "the file to save (.v23, .v13, .json or .bin)")->required();
    return [a, &command] { return RunCopy(*a, command); };
}

const CommandRegistration copyCommand(
    kName,
    "copy CONFIG (--peq|--xover|--level|--delay|--dynamics) FROM:TO [...] OUT (equalisers 1..2, "
    "outputs 1..3, dynamics records 1..2)",
    "one channel's settings of a block made another's, options applied in order, then saved as "
    "OUT",
    DefineCopy);

} // namespace
} // namespace veld23::tool
