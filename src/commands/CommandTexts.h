#pragma once

#include <string>

// Every text the device commands show, byte for byte (UTF-8), so the windows,
// the command-line tool and the tests agree on them.
namespace veld23::commands::texts {

// ---- Connect dialog.
inline constexpr const char* kConnectTitle = "VELD23";
inline constexpr const char* kConnectHeading = "CONNECT";
inline constexpr const char* kOfflineCaption = "Offline";
inline constexpr const char* kCom1Caption = "COM 1";
inline constexpr const char* kCom2Caption = "COM 2";
inline constexpr const char* kUsbCaption = "USB";

// ---- Status line of the main window.
inline constexpr const char* kStatusNotConnected = "No Connected";
inline constexpr const char* kStatusCom1 = "Status : Connected at COM1";
inline constexpr const char* kStatusCom2 = "Status : Connected at COM2";
inline constexpr const char* kStatusUsb = "Status : USB";
inline constexpr const char* kStatusOffline = "Status : Offline";
inline constexpr const char* kStatusHint = "Value at Mouse Position";
// "Status : Checking COM1..." while a link just chosen is checked, "Status : COM1
// answered wrongly" after a wrong answer, "Status : USB did not answer" after none.
std::string StatusChecking(const std::string& link);
std::string StatusAnsweredWrongly(const std::string& link);
std::string StatusSilent(const std::string& link);

// ---- Hints of the device command controls.
inline constexpr const char* kConnectHint = "Connect";
inline constexpr const char* kReadHint = "Read From Hardware";
inline constexpr const char* kWriteHint = "Write to Memory";
inline constexpr const char* kChangeHint = "Change Hardware Memory";
inline constexpr const char* kBlockHint = "Block Hardware Keyboard";
inline constexpr const char* kUnblockHint = "Unblock Hardware Keyboard";
inline constexpr const char* kPasswordHint = "Set Password";
inline constexpr const char* kMemorySelectorHint = "Select Memory to Load / Store";
inline constexpr const char* kMemorySelectorCaption = "PROGRAM";
inline constexpr const char* kCopyAllCaption = "Copiar todas las memorias igual";
inline constexpr const char* kPresetCaption = "PRESET";
inline constexpr const char* kRealTimeCaption = "Real Time";

// ---- Questions.
// "The memory 3 have a preset stored. Do you want to overwrite it?"
std::string WriteQuestion(int memory);
// "Do you want to Change the present configuration and load the memory 3 in the VELD23 ?"
std::string ChangeQuestion(int memory);
inline constexpr const char* kLockQuestion = "Do you want to LOCK the Keyboard?";
inline constexpr const char* kUnlockQuestion = "Do you want to UNLOCK the Keyboard?";
inline constexpr const char* kSaveQuestion = "Do you want to save the present configuration?";
inline constexpr const char* kClosingQuestion =
    "VELD23 is closing...Do you want to save the present configuration before?";

// ---- Real Time mode.
inline constexpr const char* kRealTimeOffline = "You are Offline, Real Time Mode is not posible";
inline constexpr const char* kRealTimeSecurityRead =
    "You are in Real Time Mode!. VELD23 is going to read the present configuration for "
    "security";
inline constexpr const char* kRealTimeSendFailed = "ERROR";
// What the switch does, said when it has been turned on, and on the status line
// for as long as it is on.
inline constexpr const char* kRealTimeOn =
    "Real Time Mode is on: every edit is sent to the running memory at once.";
inline constexpr const char* kRealTimeStatusSuffix =
    "  -  Real Time: every edit is sent to the running memory at once";
inline constexpr const char* kRealTimeHint =
    "Real Time: every edit is sent to the processor's running memory at once";

// ---- Write.
inline constexpr const char* kVerifyAfterWriteCaption = "Verify after write";
inline constexpr const char* kVerifyAfterWriteHint =
    "Read the memory back after writing it and compare it with what was sent; only a "
    "memory that matches is made the running one";

// ---- Connect dialog's ports.
inline constexpr const char* kRefreshPortsCaption = "Refresh";
inline constexpr const char* kRefreshPortsHint = "Look again for serial ports and USB processors";
inline constexpr const char* kPortPathHint =
    "The system's serial port for this selector: choose one or type its path";
inline constexpr const char* kNoUsbProcessor = "No USB processor found";
inline constexpr const char* kUsbProcessorFound = "USB processor found";

// Closing is refused while the processor is being talked to: the transfer would be
// cut off in the middle and the processor left waiting for the rest.
inline constexpr const char* kBusyClosing =
    "VELD23 is talking to the processor. Please wait until the transfer has ended.";

// ---- Password keypad.
inline constexpr const char* kPasswordHeading = "PASSWORD";
inline constexpr const char* kLeftKeyCaption = "LEFT";
inline constexpr const char* kRightKeyCaption = "RIGHT";
inline constexpr const char* kPushKeyCaption = "PUSH";
inline constexpr const char* kPasswordActiveCaption = "Password Active";

} // namespace veld23::commands::texts
