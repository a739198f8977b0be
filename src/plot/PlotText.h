#pragma once

#include <string>

namespace veld23 {

// Number texts of the plots. Always "." as the decimal separator, whatever locale the
// windowing toolkit has installed for the process.

// Fixed notation with `decimals` digits after the point (held to 0..15).
std::string FormatFixed(double value, int decimals);
// General notation with at most `significantDigits` significant digits and no trailing zeros.
std::string FormatGeneral(double value, int significantDigits);

} // namespace veld23
