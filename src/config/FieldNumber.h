#pragma once

#include <string>
#include <string_view>

namespace veld23 {

// Numbers as the editor's fields show them: fixed decimals with '.' whatever the
// user's locale, and never "-0.0". What a field holds is its text read back, so
// every value that passes through a field is quantised to the shown decimals.
namespace field_number {

// The text of a value with the given number of decimals (0 to 6).
std::string Text(double value, int decimals);

// The value the field holds after showing value: Text read back.
double Shown(double value, int decimals);

// Reads typed text: optional blanks and sign, a decimal number, trailing blanks.
// Anything else, and infinities or NaN, give false and leave value alone.
bool Parse(std::string_view text, double& value);

} // namespace field_number

} // namespace veld23
