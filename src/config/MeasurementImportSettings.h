#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace veld23 {

// Layout codes of measurement text files, as stored in ImportFileType and in the
// configuration file. 4 and 5 were never used; any code not listed here makes every
// slot fail identification.
namespace import_layout {
inline constexpr std::int32_t Clio = 0;
inline constexpr std::int32_t Mlssa = 1;
inline constexpr std::int32_t WinAirr = 2;
inline constexpr std::int32_t SmaartPro = 3;
inline constexpr std::int32_t Calsod = 6;
inline constexpr std::int32_t Daas32 = 7;
inline constexpr std::int32_t LoudSpeakerLab = 8;
inline constexpr std::int32_t Lms = 9;
inline constexpr std::int32_t FrdText = 10;
} // namespace import_layout

// What the configuration keeps for the speaker measurement import: one file per
// output channel, the file layout and the sound level drawn as 0 dB.
// The imported curves themselves are not part of it; they are read again from the
// files whenever the configuration is opened or the import dialog is confirmed.
struct MeasurementImportSettings {
    static constexpr int kSlots = 3;
    // The configuration file keeps at most this many characters of each path.
    static constexpr std::size_t kMaxPathLength = 100;
    static constexpr double kMinReferenceLevel = -140.0;
    static constexpr double kMaxReferenceLevel = 140.0;
    static constexpr double kDefaultReferenceLevel = 90.0;

    // Slot k (1..3) is MeasurementFiles[k - 1]; an empty path means no data.
    // Paths are kept as the operating system gives them (bytes, not re-encoded).
    std::array<std::string, kSlots> MeasurementFiles{};
    std::int32_t ImportFileType = import_layout::Clio;
    double ReferenceLevel = kDefaultReferenceLevel; // dB SPL taken as 0 dB

    friend bool operator==(const MeasurementImportSettings&,
                           const MeasurementImportSettings&) = default;

    // New configuration: overwrites in place, as the configuration is never replaced.
    void ResetToDefaults() {
        for (std::string& path : MeasurementFiles) {
            path.clear();
        }
        ImportFileType = import_layout::Clio;
        ReferenceLevel = kDefaultReferenceLevel;
    }

    // A level read from a file may be anything; curves must stay finite whatever it is.
    static double UsableReferenceLevel(double level) {
        if (!std::isfinite(level)) {
            return kDefaultReferenceLevel;
        }
        if (level < kMinReferenceLevel) {
            return kMinReferenceLevel;
        }
        if (level > kMaxReferenceLevel) {
            return kMaxReferenceLevel;
        }
        return level;
    }
};

} // namespace veld23
