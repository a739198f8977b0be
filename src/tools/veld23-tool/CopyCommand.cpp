// copy: one channel's settings of a block made another's, as the editor windows' copy
// buttons do, then the configuration saved.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "editors/ChannelCopy.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

namespace veld23::tool {
namespace {

constexpr const char* kName = "copy";

struct BlockOption {
    std::string_view option;
    CopyBlock block;
};
constexpr std::array<BlockOption, 5> kOptions{{{"--peq", CopyBlock::Peq},
                                               {"--xover", CopyBlock::Crossover},
                                               {"--level", CopyBlock::Levels},
                                               {"--delay", CopyBlock::Delay},
                                               {"--dynamics", CopyBlock::Dynamics}}};

struct Copy {
    CopyBlock block;
    int from;
    int to;
};

// "FROM:TO", two different channels the block has.
bool ParseChannels(const std::string& text, CopyBlock block, Copy& copy) {
    const std::size_t colon = text.find(':');
    long from = 0;
    long to = 0;
    if (colon == std::string::npos || !ParseInt(text.substr(0, colon), from) ||
        !ParseInt(text.substr(colon + 1), to)) {
        return false;
    }
    const long channels = CopyChannels(block);
    if (from < 1 || to < 1 || from > channels || to > channels || from == to) {
        return false;
    }
    copy = {block, static_cast<int>(from), static_cast<int>(to)};
    return true;
}

// The copies in the order given; false for anything that is not an option and its channels.
bool ParseCopies(const Arguments& args, std::vector<Copy>& copies) {
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        const BlockOption* option = nullptr;
        for (const BlockOption& candidate : kOptions) {
            if (args[i] == candidate.option) {
                option = &candidate;
            }
        }
        Copy copy{};
        if (option == nullptr || i + 2 >= args.size() ||
            !ParseChannels(args[i + 1], option->block, copy)) {
            return false;
        }
        copies.push_back(copy);
    }
    return !copies.empty();
}

int RunCopy(const Arguments& args) {
    std::vector<Copy> copies;
    if (args.size() < 4 || args.size() % 2 != 0 || !ParseCopies(args, copies)) {
        return UsageError(kName);
    }
    ConfigurationSession session;
    if (!session.Load(args.front())) {
        return kExitFailed;
    }
    for (const Copy& copy : copies) {
        CopyChannel(session.Configuration(), session.Editors(), copy.block, copy.from, copy.to);
    }
    return session.Save(args.back()) ? kExitOk : kExitFailed;
}

const CommandRegistration copyCommand(
    kName,
    "copy CONFIG (--peq|--xover|--level|--delay|--dynamics) FROM:TO [...] OUT (equalisers 1..2, "
    "outputs 1..3, dynamics records 1..2)",
    RunCopy);

} // namespace
} // namespace veld23::tool
