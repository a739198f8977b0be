#include "measure/MeasurementLayout.h"

#include "config/MeasurementImportSettings.h"
#include "measure/FrdTextParser.h"

#include <array>

namespace veld23 {

namespace {

constexpr std::string_view kTextFilter = "exported data *.txt|*.txt|all *.*|*.*";
constexpr std::string_view kSplFilter = "CALSOD DAAS32 Exported data *.spl|*.spl|all *.*|*.*";
constexpr std::string_view kFrdFilter = "FRD and text data *.frd;*.txt|*.frd;*.txt|all *.*|*.*";

// Selector order of the dialog, by code. SIA Smaart Pro and LoudSpeaker Lab exports
// are offered too, so a file of theirs can be chosen, not only reopened from a
// configuration that names them.
constexpr std::array<MeasurementLayout, 9> kLayouts{{
    {import_layout::Clio, "CLIO", "CLIO", kTextFilter, true},
    {import_layout::Mlssa, "MLSSA", "MLSSA", kTextFilter, true},
    {import_layout::WinAirr, "WINAIR", "WINAIR", kTextFilter, false},
    {import_layout::SmaartPro, "SIA Smaart Pro", "SIA Smaart Pro - Transfer Function", kTextFilter,
     true},
    {import_layout::Calsod, "CALSOD", " CALSOD ", kTextFilter, true},
    {import_layout::Daas32, "DAAS 32", "DAAS 32 - CALSOD ", kSplFilter, false},
    {import_layout::LoudSpeakerLab, "LoudSpeaker Lab", "LoudSpeaker Lab - CALSOD ", kTextFilter,
     false},
    {import_layout::Lms, "Linear-X LMS ", "LMS - Linear X Systems ", kTextFilter, true},
    {import_layout::FrdText, "FRD / text", "FRD / text", kFrdFilter, true},
}};

constexpr std::string_view kClioHeaderA = "    Freq\t      dB\t   Phase";
constexpr std::string_view kClioHeaderB = "Freq [Hz]";
constexpr std::string_view kMlssaHeader = "      \"Hz\"  \"Mag (dB)\"       \"deg\"";
constexpr std::string_view kWinAirrHeader = " WinAIRR saved file";
constexpr std::string_view kSmaartHeader = "; Frequency (Hz)\tMagnitude (dB)\tPhase (degrees)";
constexpr std::string_view kCalsodHeader = "CALSOD";
constexpr std::string_view kLmsHeader = "* LMS(TM)";

// The Smaart header may stand anywhere on lines 1 to 39.
constexpr std::size_t kLastSmaartHeaderLine = 39;

MeasurementDataFormat Fixed(std::size_t firstDataLine, ColumnRange frequency, ColumnRange magnitude,
                            ColumnRange phase) {
    return {MeasurementDataFormat::Kind::FixedColumns, firstDataLine, frequency, magnitude, phase};
}

bool LineEquals(std::span<const std::string_view> lines, std::size_t index, std::string_view text) {
    return index < lines.size() && lines[index] == text;
}

bool LineStartsWith(std::span<const std::string_view> lines, std::size_t index,
                    std::string_view text) {
    return index < lines.size() && lines[index].starts_with(text);
}

} // namespace

std::span<const MeasurementLayout> MeasurementLayouts() {
    return kLayouts;
}

const MeasurementLayout* FindMeasurementLayout(std::int32_t code) {
    for (const MeasurementLayout& layout : kLayouts) {
        if (layout.code == code) {
            return &layout;
        }
    }
    return nullptr;
}

std::string_view MeasurementFileFilter(std::int32_t code) {
    const MeasurementLayout* layout = FindMeasurementLayout(code);
    return layout != nullptr ? layout->fileFilter : kTextFilter;
}

bool IdentifyMeasurementFile(std::int32_t code, std::span<const std::string_view> lines,
                             MeasurementDataFormat& format) {
    switch (code) {
    case import_layout::Clio:
        // Layout A is the older export; B is only tried when line 0 is not A's header.
        if (LineEquals(lines, 0, kClioHeaderA)) {
            format = Fixed(1, {1, 8}, {10, 17}, {19, 26});
            return true;
        }
        if (LineStartsWith(lines, 0, kClioHeaderB)) {
            format = Fixed(1, {1, 9}, {17, 24}, {33, 39});
            return true;
        }
        return false;
    case import_layout::Mlssa:
        format = Fixed(2, {1, 10}, {12, 22}, {24, 34});
        return LineEquals(lines, 1, kMlssaHeader);
    case import_layout::WinAirr:
        format = Fixed(4, {1, 10}, {11, 22}, {23, 34});
        return LineEquals(lines, 0, kWinAirrHeader);
    case import_layout::SmaartPro:
        format = {MeasurementDataFormat::Kind::TabSeparated, 18, {}, {}, {}};
        for (std::size_t i = 1; i <= kLastSmaartHeaderLine && i < lines.size(); ++i) {
            if (lines[i] == kSmaartHeader) {
                return true;
            }
        }
        return false;
    case import_layout::Calsod:
    case import_layout::Daas32:
    case import_layout::LoudSpeakerLab:
        format = Fixed(8, {1, 9}, {10, 17}, {18, 25});
        return LineEquals(lines, 0, kCalsodHeader);
    case import_layout::Lms:
        format = Fixed(11, {2, 15}, {18, 31}, {34, 47});
        return LineStartsWith(lines, 0, kLmsHeader);
    case import_layout::FrdText:
        format = {MeasurementDataFormat::Kind::FrdText, 0, {}, {}, {}};
        return CountFrdDataLines(lines, 2) >= 2;
    default:
        return false;
    }
}

} // namespace veld23
