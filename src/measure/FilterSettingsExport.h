#pragma once

#include <string>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// The two input equalisers as the filter-settings text room-correction and
// equaliser programs read: under a '#' comment per equaliser, one line per used band,
//
//   Filter 1: ON PK Fc 1000 Hz Gain -3.0 dB Q 2.0000
//   Filter 2: ON LP Fc 80 Hz
//
// with the fields the type uses. Types: PK, LP, HP, LPQ, HPQ, BP, NO and AP where the
// band is exactly such a filter (its Q converted where the band defines it otherwise);
// a bypassed band and a band no such type describes are "Filter N: ON None", followed
// by a comment that says which it is.
std::string FilterSettingsText(const ProcessorConfiguration& config, std::string_view origin);

} // namespace veld23
