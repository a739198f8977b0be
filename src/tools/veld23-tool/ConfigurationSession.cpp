#include "ConfigurationSession.h"

#include "CommandRegistry.h"

#include "config/ConfigurationJson.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "measure/MeasurementImport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

namespace veld23::tool {

namespace {

// Far more than any configuration's JSON; a longer file is not one.
constexpr std::size_t kMaxJsonBytes = 1 << 20;

std::string LowerCaseExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

} // namespace

ConfigurationForm FormOfPath(const std::string& path) {
    const std::string extension = LowerCaseExtension(path);
    if (extension == ".v23" || extension == ".v13") {
        return ConfigurationForm::File;
    }
    if (extension == ".json") {
        return ConfigurationForm::Json;
    }
    if (extension == ".bin") {
        return ConfigurationForm::Image;
    }
    return ConfigurationForm::Unknown;
}

void StderrMessages::ShowError(const std::string& text) {
    PrintMessage(text);
}

void StderrMessages::ShowWarning(const std::string& text) {
    PrintMessage(text);
}

void StderrMessages::ShowMessage(Kind, const std::string& text) {
    PrintMessage(text);
}

void StderrMessages::BesselCutoffLimited(double limitHz, int order) {
    PrintMessage(BesselCutoffMessage(limitHz, order));
}

ConfigurationSession::ConfigurationSession()
    : editors_(config_, sender_, ApplicationHooks{{}, {}, [this](ProcessorConfiguration& config) {
                                                      ImportMeasurements(config.MeasurementImport,
                                                                         curves_, messages_);
                                                  }}) {
    editors_.crossover.SetDesignNotifier(&messages_);
    // The start sequence: the topology chooser's two-ways action.
    editors_.ChooseTopology(OutputTopology::TwoOutputs);
}

void ConfigurationSession::New(OutputTopology topology) {
    editors_.NewConfiguration(topology);
}

bool ConfigurationSession::Load(const std::string& path) {
    switch (FormOfPath(path)) {
    case ConfigurationForm::File:
        config_.ResetToNew(editors_.steps);
        return OpenConfigurationFile(config_, path, sender_, editors_.steps, messages_) !=
               ConfigurationOpenResult::Refused;
    case ConfigurationForm::Json:
        return LoadJson(path);
    case ConfigurationForm::Image:
        return LoadImage(path);
    case ConfigurationForm::Unknown:
        break;
    }
    PrintMessage(path + ": unknown file type; use .v23, .v13, .json or .bin");
    return false;
}

bool ConfigurationSession::LoadJson(const std::string& path) {
    const std::string fullPath = FullPathOf(path);
    const Result<std::vector<std::uint8_t>> file = ReadFileBytes(fullPath, kMaxJsonBytes);
    if (!file) {
        PrintMessage(file.Message());
        return false;
    }
    const std::vector<std::uint8_t>& bytes = file.Value();
    if (bytes.size() > kMaxJsonBytes) {
        PrintMessage(fullPath + " is too long for a configuration");
        return false;
    }
    config_.ResetToNew(editors_.steps);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const Result<> read = ReadConfigurationJson(config_, text, sender_, editors_.steps);
    if (!read) {
        PrintMessage(fullPath + ": " + read.Message());
    }
    return read.Succeeded();
}

bool ConfigurationSession::LoadImage(const std::string& path) {
    const std::string fullPath = FullPathOf(path);
    const Result<std::vector<std::uint8_t>> file = ReadFileBytes(fullPath, kDeviceImageSize);
    if (!file) {
        PrintMessage(file.Message());
        return false;
    }
    if (file.Value().size() != kDeviceImageSize) {
        PrintMessage(fullPath + " is not a device image: it holds " +
                     std::to_string(file.Value().size()) + " bytes, an image " +
                     std::to_string(kDeviceImageSize));
        return false;
    }
    return ApplyImage(file.Value(), fullPath);
}

bool ConfigurationSession::ApplyImage(std::span<const std::uint8_t> image,
                                      const std::string& origin) {
    editors_.NewConfiguration(OutputTopology::TwoOutputs);
    const Result<> applied = ApplyDeviceImage(config_, image, sender_, editors_.steps);
    if (!applied) {
        PrintMessage(origin + ": " + applied.Message());
    }
    return applied.Succeeded();
}

bool ConfigurationSession::Save(const std::string& path) {
    const Result<> saved = SaveAs(path);
    if (!saved) {
        PrintMessage(saved.Message());
    }
    return saved.Succeeded();
}

Result<> ConfigurationSession::SaveAs(const std::string& path) const {
    switch (FormOfPath(path)) {
    case ConfigurationForm::File:
        return SaveConfigurationFile(config_, path);
    case ConfigurationForm::Json: {
        const std::string text = ConfigurationToJson(config_);
        return SaveWholeFile(FullPathOf(path),
                             {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    case ConfigurationForm::Image:
        return SaveWholeFile(FullPathOf(path), BuildDeviceImage(config_));
    case ConfigurationForm::Unknown:
        break;
    }
    return Result<>::Failure(path + ": unknown file type; use .v23, .v13, .json or .bin");
}

} // namespace veld23::tool
