#pragma once

#include "device/DeviceImage.h"
#include "device/Encodings.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;

// Reads bytes, panel codes and words of a received image. The caller has checked
// the image's length; a place beyond it still reads as 0 rather than past the end.
class DeviceImageReader {
  public:
    explicit DeviceImageReader(std::span<const std::uint8_t> image) : image_(image) {}

    std::uint8_t Byte(std::size_t offset) const {
        return offset < image_.size() ? image_[offset] : std::uint8_t{0};
    }
    std::uint16_t Word(std::size_t offset) const {
        return DecodePanelWord(Byte(offset), Byte(offset + 1));
    }
    bool Flag(std::size_t offset) const { return LenientBoolean(Byte(offset)); }
    double Coef(std::size_t offset) const {
        return DecodeCoef22(Byte(offset), Byte(offset + 1), Byte(offset + 2));
    }
    std::string_view Text(std::size_t offset, std::size_t count) const {
        if (offset >= image_.size()) {
            return {};
        }
        const std::size_t n = count < image_.size() - offset ? count : image_.size() - offset;
        return {reinterpret_cast<const char*>(image_.data() + offset), n};
    }

    // The same within panel copy 1, the only copy that is read.
    std::uint8_t PanelByte(std::size_t offset) const { return Byte(kPanelBlockOffset + offset); }
    std::uint16_t PanelWord(std::size_t offset) const { return Word(kPanelBlockOffset + offset); }
    bool PanelFlag(std::size_t offset) const { return Flag(kPanelBlockOffset + offset); }

  private:
    std::span<const std::uint8_t> image_;
};

// The block steps of reading an image. Each sets the values its codes give, holds
// them to what the editors' controls can produce and, where a block has a design,
// designs it from what it now holds, so the configuration is whole after every
// step whatever the bytes were.

// Both equalisers; "IIR Coeff" bands take their coefficients from processor block 1.
void ReadEqualisers(ProcessorConfiguration& config, const DeviceImageReader& image);
// The three crossovers with their solo states.
void ReadCrossovers(ProcessorConfiguration& config, const DeviceImageReader& image);
// Loudness section 1 (section 2 only travels in the image's second block).
void ReadLoudness(ProcessorConfiguration& config, const DeviceImageReader& image);
// Level positions and switches of the three outputs.
void ReadLevels(ProcessorConfiguration& config, const DeviceImageReader& image);
// Delay positions from the delay words of processor block 1, and the temperature.
void ReadDelays(ProcessorConfiguration& config, const DeviceImageReader& image);
// Thresholds, ratios, knees, types, bypasses and time codes of both records (needs
// the topology already applied: record 1's threshold depends on it).
void ReadDynamics(ProcessorConfiguration& config, const DeviceImageReader& image);
// Speaker and amplifier settings of both records.
void ReadSpeakerSettings(ProcessorConfiguration& config, const DeviceImageReader& image);
// Alignment delays (their low byte is all the image keeps).
void ReadAlignmentDelays(ProcessorConfiguration& config, const DeviceImageReader& image);
// Gate index and ramp of both records; images older than the gate fields get the
// fixed gate defaults instead (index 13, ramp 4).
void ReadNoiseGates(ProcessorConfiguration& config, const DeviceImageReader& image);

} // namespace veld23
