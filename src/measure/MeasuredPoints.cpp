#include "measure/MeasuredPoints.h"

namespace veld23 {

void MeasuredPoints::Clear() {
    frequencyHz.clear();
    magnitudeDb.clear();
    phase.clear();
    firstLine = 0;
}

void MeasuredPoints::Reserve(std::size_t count) {
    frequencyHz.reserve(count);
    magnitudeDb.reserve(count);
    phase.reserve(count);
}

MeasuredPointCollector::MeasuredPointCollector(MeasuredPoints& points, RepeatRule rule)
    : points_(points), rule_(rule) {
    points_.Clear();
}

bool MeasuredPointCollector::Add(double frequencyHz, double magnitudeDb, double phase, int line,
                                 std::string_view frequencyText, MeasurementProblem& problem) {
    if (points_.Size() > 0) {
        const double previous = points_.frequencyHz.back();
        // The resampling walks forward only, so a file must not go back in frequency;
        // equal neighbours would divide by zero.
        if (frequencyHz < previous || (frequencyHz == previous && rule_ == RepeatRule::Reject)) {
            problem = {};
            problem.kind = frequencyHz < previous ? MeasurementProblem::Kind::FallingFrequency
                                                  : MeasurementProblem::Kind::RepeatedFrequency;
            problem.line = line;
            problem.field = MeasuredField::Frequency;
            problem.text = std::string(TrimBlanks(frequencyText));
            return false;
        }
        if (frequencyHz == previous) {
            return true;
        }
    } else {
        points_.firstLine = line;
    }
    points_.frequencyHz.push_back(frequencyHz);
    points_.magnitudeDb.push_back(magnitudeDb);
    points_.phase.push_back(phase);
    return true;
}

bool FieldProblem(NumberStatus status, MeasuredField field, int line, std::string_view text,
                  MeasurementProblem& problem) {
    if (status == NumberStatus::Ok) {
        return false;
    }
    problem = {};
    problem.line = line;
    problem.field = field;
    problem.text = std::string(TrimBlanks(text));
    switch (status) {
    case NumberStatus::Empty:
        problem.kind = MeasurementProblem::Kind::EmptyField;
        break;
    case NumberStatus::OutOfRange:
        problem.kind = MeasurementProblem::Kind::OutOfRange;
        break;
    default:
        problem.kind = MeasurementProblem::Kind::NotANumber;
        break;
    }
    return true;
}

} // namespace veld23
