#pragma once

namespace veld23 {

// The processor runs at one fixed rate; every design, delay and time constant uses it.
inline constexpr double SampleRate = 48000.0;

} // namespace veld23
