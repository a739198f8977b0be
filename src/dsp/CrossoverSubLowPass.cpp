#include "dsp/CrossoverSubLowPass.h"

#include "dsp/SectionDesign.h"
#include "dsp/Tsos.h"

#include <array>

namespace veld23 {

namespace {

ResponseCurve BuildSubLowPass() {
    TSOS section;
    section.Frequency = kSubLowPassHz;
    DesignLowPassButtw(section);
    const std::array<const TSOS*, 1> cascade{&section};
    ResponseCurve curve;
    AccumulateResponse(cascade, static_cast<int>(cascade.size()), curve);
    return curve;
}

} // namespace

const ResponseCurve& SubLowPassResponse() {
    // Designed rather than typed in: the same section the processor runs, evaluated
    // exactly as every other curve, so the SUB curve cannot drift from its own grid.
    static const ResponseCurve table = BuildSubLowPass();
    return table;
}

} // namespace veld23
