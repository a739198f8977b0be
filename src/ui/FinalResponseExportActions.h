#pragma once

namespace veld23 {

class ProcessorConfiguration;
class ProgramDialogs;
struct FinalResponseSources;

// The final response window's Export menu. Each asks where to write (a folder for the
// FRD files, a file for the texts), writes whole or not at all, and shows why when it
// could not; a cancelled dialog writes nothing.
void ExportFinalResponseFrd(ProgramDialogs& dialogs, const ProcessorConfiguration& config,
                            const FinalResponseSources& sources);
void ExportBiquads(ProgramDialogs& dialogs, const ProcessorConfiguration& config);
void ExportFilterSettings(ProgramDialogs& dialogs, const ProcessorConfiguration& config);

} // namespace veld23
