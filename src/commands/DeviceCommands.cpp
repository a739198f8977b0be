#include "commands/DeviceCommands.h"

#include "commands/CommandDialogs.h"
#include "commands/CommandTexts.h"
#include "commands/ConfigurationSaver.h"
#include "commands/DeviceLink.h"
#include "config/ProcessorConfiguration.h"
#include "device/ApplyDeviceImage.h"
#include "device/DeviceImage.h"
#include "link/LinkTexts.h"
#include "link/Protocol.h"

#include <algorithm>

namespace veld23::commands {

namespace protocol = link::protocol;

DeviceCommands::DeviceCommands(DeviceLink& device, LoadedConfigurationSteps& loadedSteps,
                               NewConfigurationSteps& newSteps, ConfigurationSaver& saver)
    : device_(device), loadedSteps_(loadedSteps), saver_(saver),
      saveQuestion_(device.Dialogs(), saver, newSteps, device.RealTime()) {
    device_.Engine().SetImageHandler(
        [this](std::span<const std::uint8_t> image) { ApplyImage(image); });
}

void DeviceCommands::ApplyImage(std::span<const std::uint8_t> image) {
    const Result<> applied =
        ApplyDeviceImage(device_.Configuration(), image, device_.RealTime(), loadedSteps_);
    imageApplied_ = applied.Succeeded();
    if (!applied) {
        device_.Dialogs().ShowError(applied.Message());
    }
}

bool DeviceCommands::MayStart() {
    if (!device_.CommandsAvailable()) {
        return false;
    }
    device_.Presentation().SetNote({});
    return true;
}

CommandOutcome DeviceCommands::Write() {
    if (!MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    const int memory = device_.Configuration().ProgramNumber;
    if (device_.Dialogs().AskYesNoCancel(texts::WriteQuestion(memory)) != DialogAnswer::Yes) {
        return CommandOutcome::Declined;
    }
    const DeviceImage image = BuildDeviceImage(device_.Configuration());
    const link::WriteOutcome written =
        device_.Engine().WriteMemory(static_cast<std::uint8_t>(memory), image, verifyAfterWrite_);
    if (!written.Succeeded()) {
        return CommandOutcome::Failed;
    }
    device_.ProcessPendingEvents(kPassesAfterWrite);
    device_.Presentation().SetNote(
        link::texts::MemoryWritten(memory, written.result == link::WriteOutcome::Result::Verified));
    return CommandOutcome::Done;
}

CommandOutcome DeviceCommands::Read() {
    if (!MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    return ReadMemory();
}

CommandOutcome DeviceCommands::ReadMemory() {
    if (!saveQuestion_.AskWithCleanUp()) {
        return CommandOutcome::Declined;
    }
    device_.ProcessPendingEvents(kPassesBeforeRead);
    link::LinkController& link = device_.Link();
    imageApplied_ = false;
    const auto program = static_cast<std::uint8_t>(device_.Configuration().ProgramNumber);
    const bool received = device_.Engine().ReceiveMemory(program).Succeeded();
    if (link.UsbLinkActive()) {
        link.Usb().UsbClose();
    } else {
        link.Comm().ClosePort();
    }
    if (!received || !imageApplied_) {
        return CommandOutcome::Failed;
    }
    saver_.ConfigurationRead();
    return CommandOutcome::Done;
}

CommandOutcome DeviceCommands::Change() {
    if (!MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    const int memory = device_.Configuration().ProgramNumber;
    if (device_.Dialogs().AskYesNoCancel(texts::ChangeQuestion(memory)) != DialogAnswer::Yes) {
        return CommandOutcome::Declined;
    }
    if (!device_.Engine().RunCommand(protocol::kLoadMemory, static_cast<std::uint8_t>(memory), 0,
                                     true)) {
        return CommandOutcome::Failed;
    }
    // The processor now runs another memory than the one the editor holds: edits
    // must not go on to it as if they were changes of what it plays.
    if (device_.RealTime().RealTimeMode()) {
        device_.RealTime().SwitchOff();
    }
    return CommandOutcome::Done;
}

CommandOutcome DeviceCommands::Block() {
    return Keyboard(true);
}

CommandOutcome DeviceCommands::Unblock() {
    return Keyboard(false);
}

CommandOutcome DeviceCommands::Keyboard(bool lock) {
    if (!MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    if (!device_.Dialogs().AskOkCancel(lock ? texts::kLockQuestion : texts::kUnlockQuestion)) {
        return CommandOutcome::Declined;
    }
    link::TransferEngine& engine = device_.Engine();
    engine.TransmitBuffer()[0] = lock ? 0xFF : 0x00;
    const bool sent = engine.RunCommand(protocol::kKeyboard, 0, 1, true).Succeeded();
    return sent ? CommandOutcome::Done : CommandOutcome::Failed;
}

CommandOutcome DeviceCommands::Password() {
    if (!MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    keypad_.Open();
    if (!device_.Dialogs().RunPasswordKeypad(keypad_) || !keypad_.OkEnabled()) {
        return CommandOutcome::Declined;
    }
    link::TransferEngine& engine = device_.Engine();
    const PasswordRecord& record = keypad_.Record();
    std::copy(record.begin(), record.end(), engine.TransmitBuffer().begin());
    if (!engine.RunCommand(protocol::kPassword, 0, static_cast<std::uint16_t>(record.size()),
                           true)) {
        device_.Link().Usb().UsbClose();
        return CommandOutcome::Failed;
    }
    return CommandOutcome::Done;
}

CommandOutcome DeviceCommands::CopyAll() {
    if (!device_.Presentation().Controls().CopyAllShown() || !MayStart()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    link::TransferEngine& engine = device_.Engine();
    const DeviceImage image = BuildDeviceImage(device_.Configuration());
    const std::uint16_t length = engine.LoadImage(image);
    if (length == 0) {
        return CommandOutcome::Failed;
    }
    for (int memory = ProcessorConfiguration::kFirstProgram;
         memory <= ProcessorConfiguration::kLastProgram; ++memory) {
        device_.Presentation().SetMemorySelector(memory);
        device_.Waiter().WaitUntil([] { return false; }, kCopyPause);
        if (!engine.RunCommand(protocol::kWriteMemory, static_cast<std::uint8_t>(memory), length,
                               true)) {
            return CommandOutcome::Failed;
        }
        device_.ProcessPendingEvents(kPassesAfterCopy);
    }
    return CommandOutcome::Done;
}

CommandOutcome DeviceCommands::RealTimeButtonClick() {
    if (!device_.RealTimeSwitchAvailable()) {
        return CommandOutcome::Refused;
    }
    DeviceLink::CommandScope scope(device_);
    RealTimeLink& realTime = device_.RealTime();
    const bool on = !realTime.RealTimeMode();
    if (device_.Link().Kind() == link::LinkKind::Offline) {
        realTime.SwitchOff();
        device_.Dialogs().ShowInformation(texts::kRealTimeOffline);
        return CommandOutcome::Refused;
    }
    realTime.SwitchOff();
    if (!on) {
        return CommandOutcome::Done;
    }
    // The editor and the running memory have to agree before edits are sent as
    // changes to it: ask which memory runs and read it.
    device_.Dialogs().ShowInformation(texts::kRealTimeSecurityRead);
    if (!device_.Engine().RunCommand(protocol::kQueryProgram, 0, 0, true)) {
        return CommandOutcome::Failed;
    }
    const CommandOutcome read = ReadMemory();
    if (read != CommandOutcome::Done) {
        return read;
    }
    realTime.SwitchOn();
    device_.Dialogs().ShowInformation(texts::kRealTimeOn);
    return CommandOutcome::Done;
}

bool DeviceCommands::CloseRequested() {
    if (device_.Busy()) {
        device_.Dialogs().ShowInformation(texts::kBusyClosing);
        return false;
    }
    if (!saveQuestion_.AskBeforeClosing()) {
        return false;
    }
    if (device_.RealTime().RealTimeMode()) {
        device_.RealTime().SwitchOff();
    }
    device_.Link().Comm().ClosePort();
    device_.Link().Usb().UsbClose();
    return true;
}

} // namespace veld23::commands
