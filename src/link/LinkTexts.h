#pragma once

#include "link/CommPort.h"
#include "link/D2xx.h"

#include <cstddef>
#include <string>

// Every text the link shows, in one place so the windows, the tool and the
// tests agree on them byte for byte (UTF-8).
namespace veld23::link::texts {

inline constexpr const char* kComPortInUse = "COM Port already in use. Select another.";
// Why a port did not open, naming it ("COM 2 (/dev/ttyUSB1)" or the bare path):
// "COM 2 (/dev/ttyUSB1) could not be opened: Permission denied. Add your user to
// the dialout group." A port another program holds is kComPortInUse.
std::string PortOpenFailure(const std::string& port, const PortOpenError& error);
inline constexpr const char* kComPortError =
    "Comunication ERROR. Please verify that the COM port selected is correct";
inline constexpr const char* kMemoryProtected =
    "MEMORY PROTECTED. If you want to override it, you must unprotect it from the keyboard "
    "of the Processor.";
inline constexpr const char* kEndErrorBox = "ERROR";
// A transfer asked for while another one runs is refused; nothing is shown for it.
inline constexpr const char* kTransferRunning = "Another transfer with the processor is running.";

inline constexpr const char* kStatusOffline = "Status : Offline";

// Prefixes of the USB calls' failure messages.
inline constexpr const char* kUsbOpenPrefix = "Can't open the USB. Please verify that the USB port "
                                              "is correct and your VELD23 unit is switch on";
inline constexpr const char* kUsbClosePrefix = "FT_Close";
inline constexpr const char* kUsbRtsPrefix = "FT_SetRTS";
inline constexpr const char* kUsbDtrPrefix = "FT_SetDTR";
inline constexpr const char* kUsbBaudPrefix = "FT_SetBaudRate";
inline constexpr const char* kUsbDataPrefix = "FT_SetDataCharacteristics";
inline constexpr const char* kUsbFlowPrefix = "FT_SetFlowControl";
inline constexpr const char* kUsbCharsPrefix = "FT_SetChars";
inline constexpr const char* kUsbTimeoutsPrefix =
    "Comunication ERROR. Please verify that the USB port is correct";
inline constexpr const char* kUsbWritePrefix = "USB Write Failed";
inline constexpr const char* kUsbReadPrefix = "USB Read Failed";
inline constexpr const char* kUsbPurgePrefix = "FT_Purge";

// A USB answer that did not come within the read time-out.
inline constexpr const char* kUsbNoAnswer = kUsbTimeoutsPrefix;

// " - Device Not Found...." and the like; statuses past the driver's named
// ones get a text with their number.
std::string UsbStatusSuffix(FtStatus status);
std::string UsbErrorMessage(const std::string& prefix, FtStatus status);

// "Comunication Port : COM1" ... or "Comunication Port : USB".
std::string PortLabel(const std::string& portName);

// What a framed transfer shows when the processor answers a step with the wrong
// byte (answer: the byte received); the USB link words each differently.
std::string WrongStartAnswer(bool usb, int answer);
std::string WrongCommandAnswer(bool usb);
std::string WrongProgramAnswer(bool usb);
std::string WrongLengthAnswer(bool usb, int answer);
std::string WrongEndAnswer(bool usb, int answer);

// Memory reception.
std::string WrongBegin(bool usb, int received);
inline constexpr const char* kWrongEnd = " ERROR FINAL...";
// An announced length larger than the receive buffer.
std::string OversizeLength(unsigned length);

// A write read back: "Memory 3 written and verified" or "Memory 3 written" (not
// read back), and what a read-back that differs from what was sent says.
std::string MemoryWritten(int memory, bool verified);
std::string VerifyMismatch(int memory, std::size_t differingBytes);

} // namespace veld23::link::texts
