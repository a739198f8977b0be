#include "link/LinkTexts.h"

#include <array>

namespace veld23::link::texts {

std::string PortOpenFailure(const std::string& port, const PortOpenError& error) {
    using Kind = PortOpenError::Kind;
    if (error.kind == Kind::InUse) {
        return kComPortInUse;
    }
    std::string text = port + " could not be opened: " + error.reason + ".";
    switch (error.kind) {
    case Kind::NotFound:
        text += " Check that the adapter is plugged in and choose the port it gives.";
        break;
    case Kind::PermissionDenied:
        text += " Add your user to the dialout group.";
        break;
    case Kind::NotSerial:
        text += " Choose the serial port the processor is connected to.";
        break;
    default:
        break;
    }
    return text;
}

std::string UsbStatusSuffix(FtStatus status) {
    static constexpr std::array<const char*, 20> kSuffixes = {
        "",
        " - Invalid Handle...",
        " - Device Not Found....",
        " - Device Not Opened...",
        " - General IO Error...",
        " - Insufficient Resources...",
        " - Invalid Parameter ...",
        " - Invalid Baud Rate...",
        " - Device Not Opened For Erase...",
        " - Device Not Opened For Write...",
        " - Failed To Write Device...",
        " - EEPROM Read Failed...",
        " - EEPROM Write Failed...",
        " - EEPROM Erase Failed...",
        " - EEPROM Not Present...",
        " - EEPROM Not Programmed...",
        " - Invalid Arguments...",
        " - Not Supported...",
        " - Other Error...",
        " - Device List Not Ready...",
    };
    if (status < kSuffixes.size()) {
        return kSuffixes[status];
    }
    return " - Unknown Error (" + std::to_string(status) + ")...";
}

std::string UsbErrorMessage(const std::string& prefix, FtStatus status) {
    return prefix + UsbStatusSuffix(status);
}

std::string PortLabel(const std::string& portName) {
    return "Comunication Port : " + portName;
}

std::string WrongStartAnswer(bool usb, int answer) {
    return std::string(usb ? "  ¡¡ERROR!! DATA NO VALID(" : "  ¡¡ERROR!! HEADER NO VALID(") +
           std::to_string(answer) + ")";
}

std::string WrongCommandAnswer(bool usb) {
    return usb ? "  ¡¡ERROR!! DATA NO VALID (cmd)" : "  ¡¡ERROR!! COMMAND NO VALID ";
}

std::string WrongProgramAnswer(bool usb) {
    return usb ? "  ¡¡ERROR!! DATA NO VALID (n_prog)" : "  ¡¡ERROR!! N_PROG NO VALID ";
}

std::string WrongLengthAnswer(bool usb, int answer) {
    return usb ? std::string("¡¡ERROR!! DATA NO VALID (Long)")
               : "¡¡ERROR!! LONG NO VALID (" + std::to_string(answer) + ")";
}

std::string WrongEndAnswer(bool usb, int answer) {
    return usb ? std::string(" ¡¡ERROR!! DATA NO VALID (END)")
               : " ¡¡ERROR!! END NO VALID (" + std::to_string(answer) + ")";
}

std::string WrongBegin(bool usb, int received) {
    return usb ? "  ¡¡ERROR!! El dato no es el esperado(" + std::to_string(received) + ")"
               : std::string("  ¡¡ERROR!! El dato no es el esperado (128)");
}

std::string OversizeLength(unsigned length) {
    return "¡¡ERROR!! LONG NO VALID (" + std::to_string(length) + ")";
}

std::string MemoryWritten(int memory, bool verified) {
    return "Memory " + std::to_string(memory) + (verified ? " written and verified" : " written");
}

std::string VerifyMismatch(int memory, std::size_t differingBytes) {
    const std::string bytes = differingBytes == 1 ? " byte differs" : " bytes differ";
    return "Memory " + std::to_string(memory) +
           " does not hold what was sent: " + std::to_string(differingBytes) + bytes +
           " when read back. It has not been made the running memory; please write it again.";
}

} // namespace veld23::link::texts
