#pragma once

#include "measure/MeasurementText.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veld23 {

enum class MeasuredField { Frequency, Magnitude, Phase };

// Character columns of a field in a fixed-column layout, 1-based, both ends included.
struct ColumnRange {
    int first = 0;
    int last = 0;
};

// Why a file's data cannot be used; the import turns it into a message naming the file
// and the line.
struct MeasurementProblem {
    enum class Kind {
        NoData,            // nothing from the first data line on
        OnePoint,          // a single point cannot be interpolated
        RepeatedFrequency, // same frequency as the line before
        FallingFrequency,  // lower frequency than the line before
        LineEndsEarly,     // the line stops before a field's columns
        EmptyField,        // the field's columns hold only blanks
        MissingField,      // a separated line has fewer fields than needed
        NotANumber,
        OutOfRange,
    };

    Kind kind = Kind::NoData;
    int line = 0; // 1-based, as an editor shows it
    MeasuredField field = MeasuredField::Frequency;
    ColumnRange columns{}; // fixed-column layouts only
    std::string text;      // the offending field as read
};

// The points of one file in reading order: frequency in Hz, magnitude in dB SPL, phase as
// the file gives it. Frequencies rise strictly from point to point.
struct MeasuredPoints {
    std::vector<double> frequencyHz;
    std::vector<double> magnitudeDb;
    std::vector<double> phase;
    int firstLine = 0; // line of the first point, 1-based

    std::size_t Size() const { return frequencyHz.size(); }
    void Clear();
    void Reserve(std::size_t count);
};

// Collects parsed lines and keeps the frequencies rising.
class MeasuredPointCollector {
  public:
    enum class RepeatRule {
        Reject,    // a repeated frequency is a fault of the file
        KeepFirst, // a repeated frequency is dropped, the first value stays
    };

    MeasuredPointCollector(MeasuredPoints& points, RepeatRule rule);

    // False, with the problem filled, when the frequency does not rise.
    bool Add(double frequencyHz, double magnitudeDb, double phase, int line,
             std::string_view frequencyText, MeasurementProblem& problem);

  private:
    MeasuredPoints& points_;
    RepeatRule rule_;
};

// Fills the problem for a field that did not parse; false when the status was Ok.
bool FieldProblem(NumberStatus status, MeasuredField field, int line, std::string_view text,
                  MeasurementProblem& problem);

} // namespace veld23
