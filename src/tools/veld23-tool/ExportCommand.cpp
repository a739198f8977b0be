// export: what the editor predicts, in the forms other audio tools read.
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "commands/FinalResponseSources.h"
#include "measure/BiquadExport.h"
#include "measure/FilterSettingsExport.h"
#include "measure/FinalResponseExport.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace veld23::tool {
namespace {

enum class ExportForm { Frd, Biquads, Peq };

struct ExportArguments {
    ExportForm form = ExportForm::Frd;
    std::string config;
    std::string outDir; // frd only
};

int RunExport(const ExportArguments& a) {
    ConfigurationSession session;
    if (!session.Load(a.config)) {
        return kExitFailed;
    }
    const ProcessorConfiguration& config = session.Configuration();
    if (a.form != ExportForm::Frd) {
        const std::string out = a.form == ExportForm::Biquads
                                    ? BiquadExportText(config, a.config)
                                    : FilterSettingsText(config, a.config);
        std::fwrite(out.data(), 1, out.size(), stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
    }
    // The view reads the look-ahead when it comes up; here it comes up once.
    const std::vector<ExportFile> files =
        FinalResponseFrdFiles(config, FinalResponseSourcesOf(session.Editors(), session.Speakers()),
                              config.Dynamics[0].LookAheadSamples, a.config);
    const Result<> written = WriteExportFiles(a.outDir, files);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.Message().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

// One subcommand per form; the one given says which.
CommandRun DefineExport(CLI::App& command) {
    auto a = std::make_shared<ExportArguments>();
    command.require_subcommand(1);
    const auto form = [&command, a](const char* name, ExportForm value, const char* summary) {
        CLI::App* sub = command.add_subcommand(name, summary);
        sub->add_option("CONFIG", a->config, "the configuration (.v23, .v13, .json or .bin)")
            ->required();
        sub->parse_complete_callback([a, value] { a->form = value; });
        return sub;
    };
    form("frd", ExportForm::Frd,
         "the final response as FRD files out1.frd, out2.frd, sub.frd or out3.frd, sum.frd")
        ->add_option("OUTDIR", a->outDir, "an existing folder")
        ->required();
    form("biquads", ExportForm::Biquads,
         "every section of every output path in signal order, as biquad coefficients");
    form("peq", ExportForm::Peq, "both equalisers as filter-settings text");
    return [a] { return RunExport(*a); };
}

const CommandRegistration exportCommand("export",
                                        "export frd CONFIG OUTDIR | biquads CONFIG | peq CONFIG",
                                        "the final response and the filters in the forms other "
                                        "audio tools read",
                                        DefineExport);

} // namespace
} // namespace veld23::tool
