#pragma once

#include <cstdint>
#include <string>

namespace veld23::link {

// The selected link; the numbers are the ones the connect dialog and the
// transfer code compare against.
enum class LinkKind : int { Offline = 0, Com1 = 1, Com2 = 2, Usb = 3 };

// The connect dialog's lit/unlit indicators.
enum class LinkIndicator { Offline, Com1, Com2, Usb };

// What the editor knows of the processor behind the selected link. The connect
// dialog's lamps, the status line and the device commands are all read from this
// and the link kind, so they cannot disagree.
enum class LinkCondition : std::uint8_t {
    NotConnected,    // no link chosen since the start
    Offline,         // Offline chosen, a port that would not open, or a link lost
    Checking,        // a link was just chosen and has not been checked yet
    Answering,       // the processor answered the last transfer as it should
    AnsweredWrongly, // the last transfer got a wrong answer; the link stays selected
    Silent,          // the USB converter brought no answer; the link stays selected
};

// The device commands may run: a link is selected and its processor answers.
constexpr bool CommandsUsable(LinkKind kind, LinkCondition condition) {
    return kind != LinkKind::Offline && condition == LinkCondition::Answering;
}

// Serial port driver properties (the values keep their driver names).
enum class ComPortNumber : std::uint8_t { pnCOM1, pnCOM2, pnCOM3, pnCOM4 };
enum class ComPortSpeed : std::uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
};
enum class ComPortDataBits : std::uint8_t { db5BITS, db6BITS, db7BITS, db8BITS };
enum class ComPortStopBits : std::uint8_t { sb1BITS, sb1HALFBITS, sb2BITS };
enum class ComPortParity : std::uint8_t { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum class ComPortHwHandshaking : std::uint8_t { hhNONE, hhRTSCTS };
enum class ComPortSwHandshaking : std::uint8_t { shNONE, shXONXOFF };

// Another device standing in for a COM port (`--com1 PATH`), for one run.
struct ComPortPathArgument {
    ComPortNumber port;
    std::string path;
};

// Bits per second of a speed setting.
std::uint32_t BaudRateOf(ComPortSpeed speed);
// 1 for pnCOM1 ... 4 for pnCOM4.
int PortIndexOf(ComPortNumber port);
// "COM1" ... "COM4": the port's name on the status line and the progress window.
const char* ComPortLabel(ComPortNumber port);
// "COM 1" ... "COM 4": the connect dialog's name of the port.
const char* ComPortCaption(ComPortNumber port);
// The system device that stands for a port unless another is chosen: "COM1" on
// Windows, /dev/ttyS0 ... /dev/ttyS3 elsewhere.
std::string DefaultPortPath(ComPortNumber port);

} // namespace veld23::link
