#pragma once

namespace veld23::commands {

// The main window's Save command as the save questions run it: the save dialog,
// then the configuration file. The application implements it.
class ConfigurationSaver {
  public:
    virtual ~ConfigurationSaver() = default;

    // True only when the configuration was written. A cancelled save dialog or a
    // file that could not be written gives false, and the question that started
    // the save then counts as cancelled: nothing is discarded unsaved.
    virtual bool SaveConfiguration() = 0;
};

} // namespace veld23::commands
