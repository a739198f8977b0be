#pragma once

#include "config/ConfigurationFile.h"
#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "config/Result.h"
#include "dsp/DesignNotifier.h"
#include "editors/EditorSet.h"
#include "measure/MeasurementMessages.h"
#include "measure/SpeakerCurves.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace veld23::tool {

// The three forms a configuration takes on disk, chosen by the file's extension.
enum class ConfigurationForm { File, Json, Image, Unknown };
ConfigurationForm FormOfPath(const std::string& path);

// What the editor would show in a message box goes to stderr, one text per line.
class StderrMessages : public ConfigurationFileMessages,
                       public MeasurementMessages,
                       public DesignNotifier {
  public:
    void ShowError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowMessage(Kind kind, const std::string& text) override;
    void BesselCutoffLimited(double limitHz, int order) override;
};

// The editor without its windows: one configuration with the real block editors, made
// as the program starts (two outputs), so that opening, reading and saving end exactly
// as they do in the editor.
class ConfigurationSession {
  public:
    ConfigurationSession();
    ConfigurationSession(const ConfigurationSession&) = delete;
    ConfigurationSession& operator=(const ConfigurationSession&) = delete;

    // A new configuration as the topology chooser makes it.
    void New(OutputTopology topology);

    // Loads a configuration file or JSON into a reset configuration as Open does, or
    // applies a device image to a new two-output configuration as Read does. Messages go
    // to stderr; false when the file was refused.
    bool Load(const std::string& path);

    // Applies a device image (a memory read from the processor, say) to a new two-output
    // configuration as Read does; origin names it in the message of a refused image.
    bool ApplyImage(std::span<const std::uint8_t> image, const std::string& origin);

    // Saves in the form the extension names; false (with a message) when it failed.
    bool Save(const std::string& path);

    const ProcessorConfiguration& Configuration() const { return config_; }
    ProcessorConfiguration& Configuration() { return config_; }
    // The editors' curves and the imported speaker responses, for the final response;
    // changed through the editors, the configuration ends as the windows would leave it.
    const EditorSet& Editors() const { return editors_; }
    EditorSet& Editors() { return editors_; }
    const SpeakerCurves& Speakers() const { return curves_; }

  private:
    bool LoadJson(const std::string& path);
    bool LoadImage(const std::string& path);
    Result<> SaveAs(const std::string& path) const;

    ProcessorConfiguration config_;
    SilentRealTimeSender sender_; // no link to a processor: nothing is sent
    StderrMessages messages_;
    SpeakerCurves curves_;
    EditorSet editors_;
};

} // namespace veld23::tool
