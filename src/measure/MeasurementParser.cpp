#include "measure/MeasurementParser.h"

#include "measure/FrdTextParser.h"

namespace veld23 {

namespace {

// The tab-separated export gives the phase this many characters after the second tab.
constexpr std::size_t kTabPhaseWidth = 15;

bool ReadColumn(std::string_view line, ColumnRange columns, MeasuredField field, int lineNumber,
                double& value, std::string_view& text, MeasurementProblem& problem) {
    const std::size_t first = static_cast<std::size_t>(columns.first);
    if (line.size() < first) {
        problem = {};
        problem.kind = MeasurementProblem::Kind::LineEndsEarly;
        problem.line = lineNumber;
        problem.field = field;
        problem.columns = columns;
        return false;
    }
    // A line ending inside the range gives the characters that are there.
    text = line.substr(first - 1, static_cast<std::size_t>(columns.last - columns.first + 1));
    const NumberStatus status = field == MeasuredField::Magnitude
                                    ? ParseMeasuredMagnitude(text, value)
                                    : ParseMeasuredNumber(text, value);
    if (FieldProblem(status, field, lineNumber, text, problem)) {
        problem.columns = columns;
        return false;
    }
    return true;
}

bool ParseFixedColumns(const MeasurementDataFormat& format, std::span<const std::string_view> lines,
                       MeasuredPoints& points, MeasurementProblem& problem) {
    MeasuredPointCollector collector(points, MeasuredPointCollector::RepeatRule::Reject);
    if (lines.size() > format.firstDataLine) {
        points.Reserve(lines.size() - format.firstDataLine);
    }
    for (std::size_t i = format.firstDataLine; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (IsBlankLine(line)) {
            continue;
        }
        const int lineNumber = static_cast<int>(i + 1);
        double f = 0.0;
        double m = 0.0;
        double p = 0.0;
        std::string_view frequencyText;
        std::string_view unused;
        if (!ReadColumn(line, format.frequency, MeasuredField::Frequency, lineNumber, f,
                        frequencyText, problem) ||
            !ReadColumn(line, format.magnitude, MeasuredField::Magnitude, lineNumber, m, unused,
                        problem) ||
            !ReadColumn(line, format.phase, MeasuredField::Phase, lineNumber, p, unused, problem) ||
            !collector.Add(f, m, p, lineNumber, frequencyText, problem)) {
            return false;
        }
    }
    return true;
}

bool MissingField(MeasuredField field, int lineNumber, MeasurementProblem& problem) {
    problem = {};
    problem.kind = MeasurementProblem::Kind::MissingField;
    problem.line = lineNumber;
    problem.field = field;
    return false;
}

bool ParseTabSeparated(const MeasurementDataFormat& format, std::span<const std::string_view> lines,
                       MeasuredPoints& points, MeasurementProblem& problem) {
    MeasuredPointCollector collector(points, MeasuredPointCollector::RepeatRule::Reject);
    for (std::size_t i = format.firstDataLine; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        // Only lines that start with a digit carry a point; the others are notes.
        if (line.empty() || line.front() < '0' || line.front() > '9') {
            continue;
        }
        const int lineNumber = static_cast<int>(i + 1);
        const std::size_t tab1 = line.find('\t');
        if (tab1 == std::string_view::npos) {
            return MissingField(MeasuredField::Magnitude, lineNumber, problem);
        }
        const std::size_t tab2 = line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos) {
            return MissingField(MeasuredField::Phase, lineNumber, problem);
        }
        const std::string_view frequencyText = line.substr(0, tab1);
        const std::string_view magnitudeText = line.substr(tab1 + 1, tab2 - tab1 - 1);
        std::string_view phaseText = line.substr(tab2 + 1, kTabPhaseWidth);
        // A further column (coherence, for example) is not part of the phase.
        phaseText = phaseText.substr(0, phaseText.find('\t'));
        double f = 0.0;
        double m = 0.0;
        double p = 0.0;
        if (FieldProblem(ParseMeasuredNumber(frequencyText, f), MeasuredField::Frequency,
                         lineNumber, frequencyText, problem) ||
            FieldProblem(ParseMeasuredMagnitude(magnitudeText, m), MeasuredField::Magnitude,
                         lineNumber, magnitudeText, problem) ||
            FieldProblem(ParseMeasuredNumber(phaseText, p), MeasuredField::Phase, lineNumber,
                         phaseText, problem) ||
            !collector.Add(f, m, p, lineNumber, frequencyText, problem)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseMeasurementData(const MeasurementDataFormat& format,
                          std::span<const std::string_view> lines, MeasuredPoints& points,
                          MeasurementProblem& problem) {
    bool read = false;
    switch (format.kind) {
    case MeasurementDataFormat::Kind::FixedColumns:
        read = ParseFixedColumns(format, lines, points, problem);
        break;
    case MeasurementDataFormat::Kind::TabSeparated:
        read = ParseTabSeparated(format, lines, points, problem);
        break;
    case MeasurementDataFormat::Kind::FrdText:
        read = ParseFrdText(lines, points, problem);
        break;
    }
    if (!read) {
        return false;
    }
    if (points.Size() < 2) {
        // Interpolation needs two neighbours; one point or none gives no curve.
        problem = {};
        if (points.Size() == 0) {
            problem.kind = MeasurementProblem::Kind::NoData;
            problem.line = static_cast<int>(format.firstDataLine + 1);
        } else {
            problem.kind = MeasurementProblem::Kind::OnePoint;
            problem.line = points.firstLine;
        }
        return false;
    }
    return true;
}

} // namespace veld23
