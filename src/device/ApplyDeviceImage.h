#pragma once

#include "config/Result.h"

#include <cstdint>
#include <span>

namespace veld23 {

class LoadedConfigurationSteps;
class ProcessorConfiguration;
class RealTimeSender;

// Reads a processor memory back into the configuration, in place: topology, name
// and labels, then every block from the panel codes (equaliser bands of the
// "IIR Coeff" type take their coefficients from processor block 1), then the
// editors' update steps in the order the windows expect them, and finally both
// dynamics records designed again so their tables match the codes just read.
//
// Only the header, processor block 1 and the first panel copy are read (the first
// kDeviceImageReadSize bytes); anything after them is ignored. A shorter image is
// refused and the configuration is left exactly as it was. Whatever the bytes
// hold, every value is held to what the editors' controls can produce, so an
// applied image always leaves a configuration the editors and BuildDeviceImage
// can work with. A refusal's message says why, in words for the user.
//
// The sender is used for what the topology and route commands send in Real Time
// mode; the steps are the editors' own refreshes.
Result<> ApplyDeviceImage(ProcessorConfiguration& config, std::span<const std::uint8_t> image,
                          RealTimeSender& sender, LoadedConfigurationSteps& steps);

} // namespace veld23
