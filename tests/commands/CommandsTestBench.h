#pragma once

#include "commands/CommandDialogs.h"
#include "commands/ConfigurationSaver.h"
#include "commands/ConnectDialog.h"
#include "commands/DeviceCommands.h"
#include "commands/DeviceLink.h"
#include "commands/PasswordKeypad.h"
#include "commands/PortChoice.h"
#include "config/ProcessorConfiguration.h"
#include "device/DeviceImage.h"
#include "editors/EditorSet.h"
#include "link/PollingWaiter.h"
#include "link/ProcessorSimulator.h"
#include "link/SimulatedCommPort.h"
#include "link/SimulatedD2xx.h"
#include "support/RecordingLinkUi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace veld23::testing {

// Plays the user: answers the questions from a script and keeps every question and
// message in one ordered log ("ask:...", "okcancel:...", "information:..."). A
// question nobody scripted fails the test.
class ScriptedDialogs : public commands::CommandDialogs {
  public:
    std::vector<std::string> log;
    std::deque<commands::DialogAnswer> answers;
    std::deque<bool> okAnswers;
    // The keypad as the user works it; returns true for OK.
    std::function<bool(commands::PasswordKeypad&)> keypad;
    // Runs while any question is open, for what the user might click meanwhile.
    std::function<void()> whileAsking;
    // Runs while an information box is open.
    std::function<void()> whileInforming;

    commands::DialogAnswer AskYesNoCancel(const std::string& text) override {
        return Answer(answers, commands::DialogAnswer::Cancel, "ask:" + text);
    }
    bool AskOkCancel(const std::string& text) override {
        return Answer(okAnswers, false, "okcancel:" + text);
    }
    void ShowError(const std::string& text) override { log.push_back("error:" + text); }
    void ShowInformation(const std::string& text) override {
        log.push_back("information:" + text);
        if (whileInforming) {
            whileInforming();
        }
    }
    void ShowMessage(const std::string& text) override { log.push_back("message:" + text); }
    void Beep() override { log.push_back("beep"); }
    bool RunPasswordKeypad(commands::PasswordKeypad& pad) override {
        log.push_back("keypad");
        return keypad ? keypad(pad) : false;
    }
    void ShowMainWindow() override { log.push_back("main"); }

    bool Has(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }

  private:
    template <typename T> T Answer(std::deque<T>& queue, T unscripted, const std::string& entry) {
        log.push_back(entry);
        if (whileAsking) {
            whileAsking();
        }
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected question: " << entry;
            return unscripted;
        }
        const T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

// The main window's Save: succeeds or not as the test says; there is always
// something to save, so the questions are always asked.
class ScriptedSaver : public commands::ConfigurationSaver {
  public:
    bool succeeds = true;
    int saves = 0;
    int reads = 0;
    bool SaveConfiguration() override {
        ++saves;
        return succeeds;
    }
    bool HasUnsavedChanges() const override { return true; }
    void ConfigurationRead() override { ++reads; }
};

// The whole device side of the program without windows: one configuration with
// its editors, the link on the in-process processor simulator (serial port and USB
// converter), the connect dialog and the device commands. The serial watchdog is
// short so a silent processor costs a fraction of a second.
struct CommandsBench {
    static constexpr std::chrono::milliseconds kWatchdog{150};

    ProcessorConfiguration config;
    link::ProcessorSimulator processor;
    link::SimulatedCommPort port{processor};
    link::SimulatedD2xx usb{processor};
    link::PollingWaiter waiter;
    RecordingLinkUi progress;
    ScriptedDialogs dialogs;
    ScriptedSaver saver;
    int windowsClosed = 0;
    commands::DeviceLink device{config, {port, usb, waiter, progress}, dialogs, kWatchdog};
    EditorSet editors{config, device.RealTime(),
                      ApplicationHooks{[this] { ++windowsClosed; },
                                       [this] { device.RealTime().SwitchOff(); }, nullptr}};
    commands::DeviceCommands commands{device, editors.steps, editors.steps, saver};
    commands::PortChoice ports{device.Link().Usb(), nullptr, nullptr};
    commands::ConnectDialog connect{device, ports};

    explicit CommandsBench(OutputTopology topology = OutputTopology::TwoOutputs) {
        waiter.AddSource(port);
        editors.ChooseTopology(topology);
    }
    CommandsBench(const CommandsBench&) = delete;
    CommandsBench& operator=(const CommandsBench&) = delete;

    // Chooses a link in the connect dialog and forgets what that said and sent.
    void Connect(link::LinkIndicator selector = link::LinkIndicator::Com1) {
        ASSERT_TRUE(connect.Choose(selector));
        dialogs.log.clear();
        progress.log.clear();
        Forget();
    }
    void Forget() { seen = processor.FromEditor().size(); }
    // The bytes the editor sent since the last Forget.
    std::vector<std::uint8_t> Sent() const {
        return {processor.FromEditor().begin() + static_cast<std::ptrdiff_t>(seen),
                processor.FromEditor().end()};
    }
    // A configuration's image as a write leaves it in a memory: LONG is the length word
    // + 2, one byte past the image.
    static std::vector<std::uint8_t> ImageAsWritten(const ProcessorConfiguration& source) {
        const DeviceImage image = BuildDeviceImage(source);
        std::vector<std::uint8_t> written(image.begin(), image.end());
        written.push_back(0);
        return written;
    }
    void StoreConfiguration(int memory, const ProcessorConfiguration& source) {
        processor.SetMemory(memory, ImageAsWritten(source));
    }

    std::size_t seen = 0;
};

// Every change of one thing the windows show, in order, as the device side announces it.
class ShownTrace {
  public:
    ShownTrace(CommandsBench& t, std::function<bool()> read) : read_(std::move(read)) {
        states.push_back(read_());
        t.device.Presentation().SetChangeListener([this] {
            if (states.back() != read_()) {
                states.push_back(read_());
            }
        });
    }
    std::vector<bool> states;

  private:
    std::function<bool()> read_;
};

} // namespace veld23::testing
