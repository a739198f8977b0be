// Configuration files of any bytes. Refused: the configuration is untouched. Opened: the
// configuration is within what the editors accept (its JSON reads back), and saving it,
// opening that and saving again gives the same bytes.
#include "FuzzEditor.h"

#include "config/ConfigurationFile.h"

namespace {

using namespace veld23;

class FileMessages final : public ConfigurationFileMessages {
  public:
    void ShowError(const std::string&) override {}
    void ShowWarning(const std::string&) override {}
};

ConfigurationOpenResult Open(fuzz::FuzzEditor& editor, std::span<const std::uint8_t> bytes) {
    FileMessages messages;
    editor.config.ResetToNew(editor.editors.steps);
    return OpenConfigurationBytes(editor.config, bytes, "/fuzz.v23", editor.sender,
                                  editor.editors.steps, messages);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzEditor editor;
    editor.config.ResetToNew(editor.editors.steps);
    const std::string before = editor.State();
    if (Open(editor, {data, size}) == ConfigurationOpenResult::Refused) {
        fuzz::Require(editor.State() == before, "a refused file changes nothing");
        return 0;
    }
    const Result<ConfigurationFileContent> json =
        ContentFromJson(ConfigurationToJson(editor.config));
    fuzz::Require(json.Succeeded(), "an opened file is within the editors' ranges", json.Message());
    const ConfigurationRecord saved = BuildConfigurationRecord(editor.config, "/fuzz.v23");
    fuzz::Require(Open(editor, saved) == ConfigurationOpenResult::Opened, "a saved file opens");
    fuzz::Require(BuildConfigurationRecord(editor.config, "/fuzz.v23") == saved,
                  "saving an opened file again gives the same bytes");
    return 0;
}
