#pragma once

#include "measure/MeasuredPoints.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace veld23 {

// One export layout of a measurement program, by its ImportFileType code.
struct MeasurementLayout {
    std::int32_t code;
    std::string_view caption;     // selector caption in the import dialog
    std::string_view messageName; // as in "... is not a valid <name> exported data file."
    std::string_view fileFilter;  // open dialog filter while this layout is selected
    bool degreesToRadians;        // false: the phase column is kept as read
};

// Every known layout, in the order of the dialog's selectors.
std::span<const MeasurementLayout> MeasurementLayouts();
// Nothing for a code no program writes (4, 5, or anything a damaged file carries).
const MeasurementLayout* FindMeasurementLayout(std::int32_t code);
// The filter for a code; unknown codes get the plain text filter.
std::string_view MeasurementFileFilter(std::int32_t code);

// How the data lines of an identified file are laid out.
struct MeasurementDataFormat {
    enum class Kind { FixedColumns, TabSeparated, FrdText };

    Kind kind = Kind::FixedColumns;
    std::size_t firstDataLine = 0; // 0-based
    ColumnRange frequency{};       // fixed columns only
    ColumnRange magnitude{};
    ColumnRange phase{};
};

// Applies the layout's identification test to the file's lines. False when the file is
// not of that layout (or the code is unknown).
bool IdentifyMeasurementFile(std::int32_t code, std::span<const std::string_view> lines,
                             MeasurementDataFormat& format);

} // namespace veld23
