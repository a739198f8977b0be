// Device images of any bytes, read as reading a memory does. Refused: the configuration
// is untouched. Applied: the configuration is within the editors' ranges, and the image
// built from it, applied again, builds the same image.
#include "FuzzEditor.h"

#include "device/ApplyDeviceImage.h"

namespace {

using namespace veld23;

bool Apply(fuzz::FuzzEditor& editor, std::span<const std::uint8_t> image) {
    editor.editors.NewConfiguration(OutputTopology::TwoOutputs);
    return static_cast<bool>(
        ApplyDeviceImage(editor.config, image, editor.sender, editor.editors.steps));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzEditor editor;
    editor.editors.NewConfiguration(OutputTopology::TwoOutputs);
    const std::string before = editor.State();
    if (!Apply(editor, {data, size})) {
        editor.editors.NewConfiguration(OutputTopology::TwoOutputs);
        fuzz::Require(editor.State() == before, "a refused image leaves a new configuration");
        return 0;
    }
    const Result<ConfigurationFileContent> json =
        ContentFromJson(ConfigurationToJson(editor.config));
    fuzz::Require(json.Succeeded(), "an applied image is within the editors' ranges",
                  json.Message());
    const DeviceImage built = BuildDeviceImage(editor.config);
    fuzz::Require(Apply(editor, built), "a built image applies");
    fuzz::Require(BuildDeviceImage(editor.config) == built,
                  "applying a built image builds the same image");
    return 0;
}
