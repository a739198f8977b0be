#include "measure/MeasurementImport.h"

#include "measure/MeasurementLayout.h"
#include "measure/MeasurementParser.h"
#include "measure/MeasurementResampler.h"
#include "measure/MeasurementText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace veld23 {

namespace {

constexpr std::string_view kOutOfMemory = "Not enough memory. Please close the others programs.";
// Used for a layout code that no program writes, which no file can match.
constexpr std::string_view kUnknownLayoutName = "measurement";

// The configuration names the files, so it must not decide how much the editor reads:
// the largest measurement export is a few megabytes.
constexpr std::uintmax_t kLargestMeasurementFile = 64 * 1024 * 1024;
constexpr std::string_view kLargestMeasurementFileText = "64 MB";
// Enough of a file's start to tell text from a binary file.
constexpr std::size_t kTextCheckLength = 4096;

enum class FileRead { Read, Unreadable, TooLarge, NotText };

// Text is printable characters, blanks and line ends (a form feed, and the end-of-file
// mark old DOS programs leave, included); a NUL, another control or DEL is a binary file
// (or UTF-16, which no measurement program exports).
bool LooksLikeText(std::string_view start) {
    for (const char c : start) {
        const auto byte = static_cast<unsigned char>(c);
        const bool control = byte < 0x20 || byte == 0x7F;
        if (control && byte != '\t' && byte != '\n' && byte != '\v' && byte != '\f' &&
            byte != '\r' && byte != 0x1A) {
            return false;
        }
    }
    return true;
}

bool ReadFully(int fd, char* data, std::size_t size, std::size_t& count) {
    count = 0;
    while (count < size) {
        const ssize_t got = read(fd, data + count, size - count);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break; // the file shrank while being read: taken as far as it went
        }
        count += static_cast<std::size_t>(got);
    }
    return true;
}

// Only a plain file is read, and only once its size and its start say it can be a
// measurement. It is opened without waiting, so a pipe (or a device) put in its place
// after any check is refused, not waited on.
FileRead ReadMeasurementFile(const std::string& path, std::string& text) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FileRead::Unreadable;
    }
    struct stat info {};
    FileRead result = FileRead::Read;
    std::size_t count = 0;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = FileRead::Unreadable;
    } else if (static_cast<std::uintmax_t>(info.st_size) > kLargestMeasurementFile) {
        result = FileRead::TooLarge;
    } else {
        const auto size = static_cast<std::size_t>(info.st_size);
        text.resize(size);
        const std::size_t start = std::min(size, kTextCheckLength);
        std::size_t rest = 0;
        if (!ReadFully(fd, text.data(), start, count)) {
            result = FileRead::Unreadable;
        } else if (!LooksLikeText(std::string_view(text.data(), count))) {
            result = FileRead::NotText;
        } else if (count == start && !ReadFully(fd, text.data() + start, size - start, rest)) {
            result = FileRead::Unreadable;
        }
        text.resize(count + rest);
    }
    close(fd);
    return result;
}

std::string NotAMeasurementFile(const std::string& path, std::string_view reason) {
    return path + " is not a measurement file: " + std::string(reason) + ".";
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
        switch (ReadMeasurementFile(path, text)) {
        case FileRead::Read:
            break;
        case FileRead::Unreadable:
            messages.ShowMessage(MeasurementMessages::Kind::Error, UnableToOpen(path, slot));
            return SlotImport::Unreadable;
        case FileRead::TooLarge:
            messages.ShowMessage(
                MeasurementMessages::Kind::Error,
                NotAMeasurementFile(path, "it holds more than " +
                                              std::string(kLargestMeasurementFileText)));
            return SlotImport::Refused;
        case FileRead::NotText:
            messages.ShowMessage(MeasurementMessages::Kind::Error,
                                 NotAMeasurementFile(path, "it holds bytes that are not text"));
            return SlotImport::Refused;
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
        if (problem.field == MeasuredField::Magnitude) {
            char limit[16];
            std::snprintf(limit, sizeof limit, "%g", kLargestMagnitudeDb);
            return at + "the magnitude " + problem.text + " dB is beyond \u00B1" + limit + " dB.";
        }
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
