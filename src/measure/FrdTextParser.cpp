#include "measure/FrdTextParser.h"

#include <array>

namespace veld23 {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct FrdFields {
    std::array<std::string_view, 3> text{};
    int count = 0; // fields found, at most 3 kept
};

bool IsSeparator(char c, bool commaSeparates) {
    return c == ' ' || c == '\t' || c == ';' || (commaSeparates && c == ',');
}

// Splits on runs of separators. Reports how commas sit in the fields, so the caller can
// tell a decimal comma ("85,2 -12,5") from a comma separator ("100,85.2" or "100, 85.2").
FrdFields Split(std::string_view line, bool commaSeparates, bool& commaLooksLikeSeparator) {
    FrdFields fields;
    bool anyComma = false;
    bool commaAtEdgeOrTwice = false;
    int tokens = 0;
    std::size_t i = 0;
    const std::size_t size = line.size();
    while (i < size) {
        while (i < size && IsSeparator(line[i], commaSeparates)) {
            ++i;
        }
        if (i == size) {
            break;
        }
        const std::size_t start = i;
        int commas = 0;
        while (i < size && !IsSeparator(line[i], commaSeparates)) {
            commas += line[i] == ',' ? 1 : 0;
            ++i;
        }
        const std::string_view token = line.substr(start, i - start);
        if (commas > 0) {
            anyComma = true;
            commaAtEdgeOrTwice =
                commaAtEdgeOrTwice || commas > 1 || token.front() == ',' || token.back() == ',';
        }
        if (tokens < 3) {
            fields.text[tokens] = token;
        }
        ++tokens;
    }
    fields.count = tokens < 3 ? tokens : 3;
    commaLooksLikeSeparator = anyComma && (tokens == 1 || commaAtEdgeOrTwice);
    return fields;
}

FrdFields SplitFrdLine(std::string_view line) {
    bool commaSeparates = false;
    FrdFields fields = Split(line, false, commaSeparates);
    if (commaSeparates) {
        bool unused = false;
        fields = Split(line, true, unused);
    }
    return fields;
}

struct FrdPoint {
    double frequencyHz = 0.0;
    double magnitudeDb = 0.0;
    double phaseDeg = 0.0;
    std::string_view frequencyText;
};

bool ParseFrdLine(std::string_view line, int lineNumber, FrdPoint& point,
                  MeasurementProblem& problem) {
    const FrdFields fields = SplitFrdLine(line);
    point.frequencyText = fields.text[0];
    if (FieldProblem(ParseMeasuredNumber(fields.text[0], point.frequencyHz),
                     MeasuredField::Frequency, lineNumber, fields.text[0], problem)) {
        return false;
    }
    if (fields.count < 2) {
        problem = {};
        problem.kind = MeasurementProblem::Kind::MissingField;
        problem.line = lineNumber;
        problem.field = MeasuredField::Magnitude;
        return false;
    }
    if (FieldProblem(ParseMeasuredMagnitude(fields.text[1], point.magnitudeDb),
                     MeasuredField::Magnitude, lineNumber, fields.text[1], problem)) {
        return false;
    }
    point.phaseDeg = 0.0;
    if (fields.count > 2 &&
        FieldProblem(ParseMeasuredNumber(fields.text[2], point.phaseDeg), MeasuredField::Phase,
                     lineNumber, fields.text[2], problem)) {
        return false;
    }
    return true;
}

} // namespace

bool IsFrdDataLine(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
    }
    return i < text.size() && IsDigit(text[i]);
}

std::size_t CountFrdDataLines(std::span<const std::string_view> lines, std::size_t enough) {
    std::size_t found = 0;
    FrdPoint point;
    MeasurementProblem unused;
    for (std::size_t i = 0; i < lines.size() && found < enough; ++i) {
        if (IsFrdDataLine(lines[i]) &&
            ParseFrdLine(lines[i], static_cast<int>(i + 1), point, unused)) {
            ++found;
        }
    }
    return found;
}

bool ParseFrdText(std::span<const std::string_view> lines, MeasuredPoints& points,
                  MeasurementProblem& problem) {
    MeasuredPointCollector collector(points, MeasuredPointCollector::RepeatRule::KeepFirst);
    points.Reserve(lines.size());
    FrdPoint point;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!IsFrdDataLine(lines[i])) {
            continue;
        }
        const int lineNumber = static_cast<int>(i + 1);
        if (!ParseFrdLine(lines[i], lineNumber, point, problem) ||
            !collector.Add(point.frequencyHz, point.magnitudeDb, point.phaseDeg, lineNumber,
                           point.frequencyText, problem)) {
            return false;
        }
    }
    return true;
}

} // namespace veld23
