#pragma once

namespace veld23::commands {

// The main window's Save command as the save questions run it: the save dialog,
// then the configuration file; and whether there is anything a save would keep. The
// application implements it.
class ConfigurationSaver {
  public:
    virtual ~ConfigurationSaver() = default;

    // True when the file Save would write differs from the configuration as it was
    // last opened, saved, read from the processor or made new: only then is there
    // something to lose, and only then is the save question asked.
    virtual bool HasUnsavedChanges() const = 0;
    // The configuration was just read from the processor: that is now the state
    // nothing differs from, and it no longer is the file the title named.
    virtual void ConfigurationRead() = 0;

    // True only when the configuration was written. A cancelled save dialog or a
    // file that could not be written gives false, and the question that started
    // the save then counts as cancelled: nothing is discarded unsaved.
    virtual bool SaveConfiguration() = 0;
};

} // namespace veld23::commands
