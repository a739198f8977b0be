#pragma once

#include "config/MeasurementImportSettings.h"
#include "measure/MeasuredPoints.h"
#include "measure/MeasurementMessages.h"
#include "measure/SpeakerCurves.h"

#include <array>
#include <string>

namespace veld23 {

// What became of one slot in an import.
enum class SlotImport {
    Empty,         // no path: a flat 0 dB, 0 rad row
    Imported,      // the row holds the file's curve
    Unreadable,    // the file could not be opened or read; the path stays
    NotIdentified, // not of the selected layout
    BadData,       // identified, but a line cannot be used
    NotRead,       // skipped after running out of memory
    Refused,       // too large or not text: refused before reading; the path stays
};

struct MeasurementImportResult {
    std::array<SlotImport, MeasurementImportSettings::kSlots> slots{};
};

// Reads the file of every slot with the selected layout into the speaker curves. Every
// row is cleared first, so a slot that fails keeps a flat 0 dB, 0 rad row and adds
// nothing; each failure shows one message and the other slots are still read. The
// settings are never changed: a file that cannot be opened keeps its path, so a later
// save does not lose it (a drive that is only disconnected, for example).
// The caller redraws the final response afterwards.
MeasurementImportResult ImportMeasurements(const MeasurementImportSettings& settings,
                                           SpeakerCurves& curves, MeasurementMessages& messages);

// Reads the file of one slot (1..3) into its row only, as importing a single channel
// does; the other rows keep their curves. The slot's row is cleared first, so a failure
// leaves it flat; the failure shows one message.
[[nodiscard]] SlotImport ImportMeasurementSlot(const MeasurementImportSettings& settings, int slot,
                                               SpeakerCurves& curves,
                                               MeasurementMessages& messages);

// The message for an unusable line of the file at `path`.
std::string DescribeMeasurementProblem(const std::string& path, const MeasurementProblem& problem);

} // namespace veld23
