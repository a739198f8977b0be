#include "measure/MeasurementImport.h"

#include "measure/MeasurementLayout.h"
#include "measure/MeasurementParser.h"
#include "measure/MeasurementResampler.h"
#include "measure/MeasurementText.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <string_view>
#include <vector>

namespace veld23 {

namespace {

constexpr std::string_view kOutOfMemory = "Not enough memory. Please close the others programs.";
// Used for a layout code that no program writes, which no file can match.
constexpr std::string_view kUnknownLayoutName = "measurement";

// Only a regular file is read: a directory or a device would "open" but not read sensibly.
bool ReadWholeFile(const std::string& path, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(size));
    // A file that shrank while being read is taken as far as it went.
    text.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

std::string UnableToOpen(const std::string& path, int slot) {
    return "Unable to Open " + path + " Measure File for Output " + std::to_string(slot) +
           ". Look for the correct file to use the Measures.";
}

std::string NotValid(const std::string& path, std::string_view layoutName) {
    return path + " is not a valid " + std::string(layoutName) + " exported data file.";
}

std::string_view FieldName(MeasuredField field) {
    switch (field) {
    case MeasuredField::Frequency:
        return "frequency";
    case MeasuredField::Magnitude:
        return "magnitude";
    case MeasuredField::Phase:
        return "phase";
    }
    return "field";
}

std::string ColumnsText(ColumnRange columns) {
    if (columns.first <= 0) {
        return "";
    }
    return " (characters " + std::to_string(columns.first) + "-" + std::to_string(columns.last) +
           ")";
}

struct SlotReader {
    const MeasurementImportSettings& settings;
    SpeakerCurves& curves;
    MeasurementMessages& messages;
    // Kept across slots so their storage is reused.
    std::string text;
    std::vector<std::string_view> lines;
    MeasuredPoints points;

    SlotImport Read(int slot) {
        const std::string& path = settings.MeasurementFiles[slot - 1];
        if (path.empty()) {
            return SlotImport::Empty;
        }
        if (!ReadWholeFile(path, text)) {
            messages.ShowMessage(MeasurementMessages::Kind::Error, UnableToOpen(path, slot));
            return SlotImport::Unreadable;
        }
        lines = SplitMeasurementLines(text);
        const MeasurementLayout* layout = FindMeasurementLayout(settings.ImportFileType);
        MeasurementDataFormat format;
        if (layout == nullptr || !IdentifyMeasurementFile(layout->code, lines, format)) {
            messages.ShowMessage(
                MeasurementMessages::Kind::Plain,
                NotValid(path, layout != nullptr ? layout->messageName : kUnknownLayoutName));
            return SlotImport::NotIdentified;
        }
        MeasurementProblem problem;
        if (!ParseMeasurementData(format, lines, points, problem)) {
            messages.ShowMessage(MeasurementMessages::Kind::Error,
                                 DescribeMeasurementProblem(path, problem));
            return SlotImport::BadData;
        }
        // A level read from a file may be anything; the curves stay finite whatever it is.
        const double referenceLevel =
            MeasurementImportSettings::UsableReferenceLevel(settings.ReferenceLevel);
        ResampleOntoGrid(points, referenceLevel, layout->degreesToRadians,
                         curves.SpeakerMagnitude[slot - 1], curves.SpeakerPhase[slot - 1]);
        return SlotImport::Imported;
    }

    // Running out of memory ends the slot with a flat row and the one message.
    SlotImport ReadGuarded(int slot) {
        try {
            return Read(slot);
        } catch (const std::bad_alloc&) {
            // The row may be half written.
            curves.ClearRow(slot - 1);
            messages.ShowMessage(MeasurementMessages::Kind::Error, std::string(kOutOfMemory));
            return SlotImport::NotRead;
        }
    }
};

} // namespace

std::string DescribeMeasurementProblem(const std::string& path, const MeasurementProblem& problem) {
    using Kind = MeasurementProblem::Kind;
    const std::string at = path + ", line " + std::to_string(problem.line) + ": ";
    const std::string field(FieldName(problem.field));
    switch (problem.kind) {
    case Kind::NoData:
        return path + ": no measured points found from line " + std::to_string(problem.line) +
               " to the end of the file.";
    case Kind::OnePoint:
        return at + "only one measured point; at least two are needed.";
    case Kind::RepeatedFrequency:
        return at + "the frequency " + problem.text +
               " Hz repeats the line before; the frequencies must rise from line to line.";
    case Kind::FallingFrequency:
        return at + "the frequency " + problem.text +
               " Hz is lower than on the line before; the frequencies must rise from line to "
               "line.";
    case Kind::LineEndsEarly:
        return at + "the line ends before the " + field + " column" + ColumnsText(problem.columns) +
               ".";
    case Kind::EmptyField:
        return at + "the " + field + ColumnsText(problem.columns) + " is empty.";
    case Kind::MissingField:
        return at + "the line has no " + field + ".";
    case Kind::NotANumber:
        return at + "the " + field + " \"" + problem.text + "\" is not a number.";
    case Kind::OutOfRange:
        return at + "the " + field + " " + problem.text + " is out of range.";
    }
    return at + "the line cannot be read.";
}

MeasurementImportResult ImportMeasurements(const MeasurementImportSettings& settings,
                                           SpeakerCurves& curves, MeasurementMessages& messages) {
    MeasurementImportResult result;
    // The whole row, grid point 0 included: a slot that fails must not keep an old value.
    curves.ClearAll();
    SlotReader reader{settings, curves, messages, {}, {}, {}};
    for (int slot = 1; slot <= MeasurementImportSettings::kSlots; ++slot) {
        result.slots[slot - 1] = reader.ReadGuarded(slot);
        if (result.slots[slot - 1] == SlotImport::NotRead) {
            // Out of memory: the slots after it stay flat too.
            for (int rest = slot + 1; rest <= MeasurementImportSettings::kSlots; ++rest) {
                result.slots[rest - 1] = SlotImport::NotRead;
            }
            break;
        }
    }
    return result;
}

SlotImport ImportMeasurementSlot(const MeasurementImportSettings& settings, int slot,
                                 SpeakerCurves& curves, MeasurementMessages& messages) {
    if (slot < 1 || slot > MeasurementImportSettings::kSlots) {
        return SlotImport::Empty;
    }
    curves.ClearRow(slot - 1);
    SlotReader reader{settings, curves, messages, {}, {}, {}};
    return reader.ReadGuarded(slot);
}

} // namespace veld23
