#pragma once

#include <cstdint>

namespace veld23::link {

// The selected link; the numbers are the ones the connect dialog and the
// transfer code compare against.
enum class LinkKind : int { Offline = 0, Com1 = 1, Com2 = 2, Usb = 3 };

// The connect dialog's lit/unlit indicators.
enum class LinkIndicator { Offline, Com1, Com2, Usb };

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

// Bits per second of a speed setting.
std::uint32_t BaudRateOf(ComPortSpeed speed);
// 1 for pnCOM1 ... 4 for pnCOM4.
int PortIndexOf(ComPortNumber port);
// "COM1" ... "COM4": the port's name on the connect dialog and the progress window.
const char* ComPortLabel(ComPortNumber port);

} // namespace veld23::link
