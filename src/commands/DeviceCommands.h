#pragma once

#include "commands/PasswordKeypad.h"
#include "commands/SaveQuestion.h"

#include <chrono>
#include <cstdint>
#include <span>

namespace veld23 {
class LoadedConfigurationSteps;
class NewConfigurationSteps;
} // namespace veld23

namespace veld23::commands {

class ConfigurationSaver;
class DeviceLink;

// How a device command ended.
enum class CommandOutcome {
    Done,     // ran to its end
    Declined, // the user said no: a question, the keypad or the save question
    Failed,   // a transfer failed; its failure has been shown
    Refused,  // not possible now: Offline, controls disabled, or another command running
};

// The main window's device commands without the window: Write, Read, Change,
// the keyboard lock and unlock, Set Password, the hidden copy to all memories,
// the Real Time button and the question before the program closes. Each addresses
// the memory the selector shows (the configuration's ProgramNumber), asks its
// questions through the dialogs and runs its transfers on the active link.
//
// While a command runs the device command controls are disabled. A processor that
// answers wrongly keeps them disabled, with the status line saying so, until the
// link is chosen again in the connect dialog; one that stops answering takes the
// link Offline. A protected memory is a right answer: the commands stay offered.
class DeviceCommands {
  public:
    // Passes of window events that let the windows repaint around the transfers.
    static constexpr int kPassesAfterWrite = 20000;
    static constexpr int kPassesBeforeRead = 200;
    static constexpr int kPassesAfterCopy = 2000;
    // Between two memories of the copy-all, so the processor has stored the last one.
    static constexpr std::chrono::milliseconds kCopyPause{100};

    // The steps are the editors' own (EditorUpdateSteps implements both); the saver
    // is the main window's Save.
    DeviceCommands(DeviceLink& device, LoadedConfigurationSteps& loadedSteps,
                   NewConfigurationSteps& newSteps, ConfigurationSaver& saver);
    DeviceCommands(const DeviceCommands&) = delete;
    DeviceCommands& operator=(const DeviceCommands&) = delete;

    // Write: command 3, then, with "Verify after write" on, the memory read back
    // and compared with what was sent, and command 7 only for a memory that matches.
    CommandOutcome Write();
    bool VerifyAfterWrite() const { return verifyAfterWrite_; }
    void SetVerifyAfterWrite(bool verify) { verifyAfterWrite_ = verify; }
    CommandOutcome Read();
    CommandOutcome Change();
    CommandOutcome Block();
    CommandOutcome Unblock();
    CommandOutcome Password();
    // Only once the "PRESET" caption has revealed it (see DeviceCommandControls).
    // It writes over the link in use, serial or USB.
    CommandOutcome CopyAll();
    // The Real Time button of the main window and of every editor window.
    CommandOutcome RealTimeButtonClick();

    // The close icon: true when the program may end. Refused while the processor is
    // being talked to; after Yes only once the configuration has been saved. The
    // port and the converter are let go when the answer is to end.
    bool CloseRequested();

    // The save questions, for New and Open as well.
    SaveQuestion& SaveQuestions() { return saveQuestion_; }
    PasswordKeypad& Keypad() { return keypad_; }

  private:
    // Whether a command may start now; one that does clears the last command's note.
    bool MayStart();
    CommandOutcome ReadMemory();
    CommandOutcome Keyboard(bool lock);
    void ApplyImage(std::span<const std::uint8_t> image);

    DeviceLink& device_;
    LoadedConfigurationSteps& loadedSteps_;
    ConfigurationSaver& saver_;
    SaveQuestion saveQuestion_;
    PasswordKeypad keypad_;
    bool imageApplied_ = false;
    bool verifyAfterWrite_ = true;
};

} // namespace veld23::commands
