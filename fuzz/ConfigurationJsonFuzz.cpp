// JSON text of any bytes. Refused: the configuration is untouched. Read: writing it as
// JSON, reading that and writing again gives the same text, which is accepted.
#include "FuzzEditor.h"

#include <string_view>

namespace {

using namespace veld23;

bool Read(fuzz::FuzzEditor& editor, std::string_view text) {
    return static_cast<bool>(
        ReadConfigurationJson(editor.config, text, editor.sender, editor.editors.steps));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzEditor editor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    editor.config.ResetToNew(editor.editors.steps);
    const std::string before = editor.State();
    if (!Read(editor, text)) {
        fuzz::Require(editor.State() == before, "refused JSON changes nothing");
        return 0;
    }
    const std::string written = ConfigurationToJson(editor.config);
    editor.config.ResetToNew(editor.editors.steps);
    fuzz::Require(Read(editor, written), "written JSON reads back", written);
    fuzz::Require(ConfigurationToJson(editor.config) == written,
                  "writing read JSON again gives the same text", written);
    return 0;
}
