#include "ui/FinalResponseExportActions.h"

#include "config/ProcessorConfiguration.h"
#include "measure/BiquadExport.h"
#include "measure/FilterSettingsExport.h"
#include "measure/FinalResponseExport.h"
#include "ui/ProgramDialogs.h"

namespace veld23 {

namespace {

void SaveText(ProgramDialogs& dialogs, const std::string& title, const std::string& fileName,
              const std::string& text) {
    commands::FileDialogRequest request;
    request.title = title;
    request.filters = {{"Text files *.txt", "*.txt"}, {"All Files *.*", "*.*"}};
    request.defaultExtension = "txt";
    request.fileName = fileName;
    const std::optional<std::string> path = dialogs.ChooseFileToSave(request);
    if (!path) {
        return;
    }
    if (const Result<> written = WriteExportFile(*path, text); !written) {
        dialogs.ShowError(written.Message());
    }
}

} // namespace

void ExportFinalResponseFrd(ProgramDialogs& dialogs, const ProcessorConfiguration& config,
                            const FinalResponseSources& sources) {
    const std::optional<std::string> folder =
        dialogs.ChooseFolder("Export Final Response as FRD Files");
    if (!folder) {
        return;
    }
    const Result<> written = WriteExportFiles(
        *folder, FinalResponseFrdFiles(config, sources, config.Dynamics[0].LookAheadSamples, {}));
    if (!written) {
        dialogs.ShowError(written.Message());
    }
}

void ExportBiquads(ProgramDialogs& dialogs, const ProcessorConfiguration& config) {
    SaveText(dialogs, "Export Biquads", "biquads", BiquadExportText(config, {}));
}

void ExportFilterSettings(ProgramDialogs& dialogs, const ProcessorConfiguration& config) {
    SaveText(dialogs, "Export Filter Settings", "filters", FilterSettingsText(config, {}));
}

} // namespace veld23
