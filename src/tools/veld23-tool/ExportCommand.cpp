// export: what the editor predicts, in the forms other audio tools read.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "commands/FinalResponseSources.h"
#include "measure/BiquadExport.h"
#include "measure/FilterSettingsExport.h"
#include "measure/FinalResponseExport.h"

#include <cstdio>

namespace veld23::tool {
namespace {

int RunExport(const Arguments& args) {
    const bool frd = args.size() == 3 && args[0] == "frd";
    const bool text = args.size() == 2 && (args[0] == "biquads" || args[0] == "peq");
    if (!frd && !text) {
        return UsageError("export");
    }
    const std::string& path = args[1];
    ConfigurationSession session;
    if (!session.Load(path)) {
        return kExitFailed;
    }
    const ProcessorConfiguration& config = session.Configuration();
    if (text) {
        const std::string out = args[0] == "biquads" ? BiquadExportText(config, path)
                                                     : FilterSettingsText(config, path);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
    }
    // The view reads the look-ahead when it comes up; here it comes up once.
    const std::vector<ExportFile> files =
        FinalResponseFrdFiles(config, FinalResponseSourcesOf(session.Editors(), session.Speakers()),
                              config.Dynamics[0].LookAheadSamples, path);
    const std::string message = WriteExportFiles(args[2], files);
    if (!message.empty()) {
        std::fprintf(stderr, "%s\n", message.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

const CommandRegistration
    exportCommand("export", "export frd CONFIG OUTDIR | biquads CONFIG | peq CONFIG", RunExport);

} // namespace
} // namespace veld23::tool
