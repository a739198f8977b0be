// Measurement text of any bytes, in every layout. Refused: the problem names a line of
// the file (or, for no data at all, where the data would start). Read: at least two points,
// frequencies rising, magnitudes within +-300 dB; the curves on the grid and the final response
// they feed stay finite.
#include "FuzzEditor.h"

#include "commands/FinalResponseSources.h"
#include "measure/FinalResponse.h"
#include "measure/MeasurementLayout.h"
#include "measure/MeasurementParser.h"
#include "measure/MeasurementResampler.h"
#include "measure/MeasurementText.h"

#include <cmath>

namespace {

using namespace veld23;

void RequireFinite(const CurveArray& curve, const char* invariant) {
    for (const float value : curve) {
        fuzz::Require(std::isfinite(value), invariant);
    }
}

void CheckPoints(const MeasuredPoints& points) {
    fuzz::Require(points.Size() >= 2, "read data has two points");
    for (std::size_t i = 0; i < points.Size(); ++i) {
        fuzz::Require(std::isfinite(points.frequencyHz[i]) && std::isfinite(points.phase[i]),
                      "points are finite");
        fuzz::Require(std::fabs(points.magnitudeDb[i]) <= kLargestMagnitudeDb,
                      "magnitudes lie within +-300 dB");
        fuzz::Require(i == 0 || points.frequencyHz[i] > points.frequencyHz[i - 1],
                      "frequencies rise");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzEditor editor;
    static SpeakerCurves speakers;
    static FinalResponseCurves response;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = SplitMeasurementLines(text);
    MeasuredPoints points;
    for (const MeasurementLayout& layout : MeasurementLayouts()) {
        MeasurementDataFormat format;
        if (!IdentifyMeasurementFile(layout.code, lines, format)) {
            continue;
        }
        points.Clear();
        MeasurementProblem problem;
        if (!ParseMeasurementData(format, lines, points, problem)) {
            // "No data" names the layout's first data line, which may lie past the end.
            fuzz::Require(problem.line >= 1 &&
                              (problem.kind == MeasurementProblem::Kind::NoData ||
                               static_cast<std::size_t>(problem.line) <= lines.size()),
                          "a refusal names a line of the file");
            continue;
        }
        CheckPoints(points);
        ResampleOntoGrid(points, MeasurementImportSettings::kMinReferenceLevel,
                         layout.degreesToRadians, speakers.SpeakerMagnitude[0],
                         speakers.SpeakerPhase[0]);
        RequireFinite(speakers.SpeakerMagnitude[0], "resampled magnitudes are finite");
        RequireFinite(speakers.SpeakerPhase[0], "resampled phases are finite");
        speakers.SpeakerMagnitude[1] = speakers.SpeakerMagnitude[0];
        speakers.SpeakerPhase[2] = speakers.SpeakerPhase[0];
        editor.config.FinalResponse = {true, true, true, true, true};
        const FinalResponseSources sources = FinalResponseSourcesOf(editor.editors, speakers);
        for (const ResponseView view : {ResponseView::Magnitude, ResponseView::Phase}) {
            ComputeFinalResponse(editor.config, sources, 0, view, response);
        }
        for (int c = 0; c <= FinalResponseCurves::kSum; ++c) {
            RequireFinite(response.magnitudeDb[c], "the final response is finite");
            RequireFinite(response.phaseDeg[c], "the final response's phase is finite");
        }
    }
    return 0;
}
