#include "dsp/PeqRules.h"

#include "dsp/Coef22Range.h"
#include "dsp/SectionDesign.h"

#include <cmath>

namespace veld23 {

const std::array<EqTypeEntry, kEqTypeCount>& EqTypeList() {
    static const std::array<EqTypeEntry, kEqTypeCount> list{{
        {"Bypass", kBypass, false, false, false},
        {"Parametric Q Adap", kParametricQAdap, true, true, false},
        {"Parametric Q Const", kParametricQConst, true, true, false},
        {"Shelv Low 6dB", kShelvLow6dB, true, false, false},
        {"Shelv High 6dB", kShelvHigh6dB, true, false, false},
        {"LowPass Buttw", kLowPassButtw, false, false, false},
        {"HiPass Buttw", kHiPassButtw, false, false, false},
        {"BandPass", kBandPass, true, true, false},
        {"StopBand", kStopBand, false, true, false},
        {"AllPass 1", kAllPass1, false, false, false},
        {"AllPass 2", kAllPass2, false, true, false},
        {"LowPass Q", kLowPassQ, false, true, false},
        {"HiPass Q", kHiPassQ, false, true, false},
        {"IIR Coeff", kIirCoeff, false, false, true},
    }};
    return list;
}

int EqTypeListIndex(std::uint8_t sectionType) {
    const auto& list = EqTypeList();
    for (int i = 0; i < kEqTypeCount; ++i) {
        if (list[i].sectionType == sectionType) {
            return i;
        }
    }
    return 0;
}

void ApplyQFloor(TSOS& band) {
    if (band.SectionType == kBandPass && band.Q <= 1.69) {
        band.Q = 1.7;
    } else if (band.SectionType == kStopBand && band.Q <= 1.0) {
        band.Q = 1.0;
    }
}

void ApplyShelvingGainCap(TSOS& band) {
    const bool shelving = band.SectionType == kShelvLow6dB || band.SectionType == kShelvHigh6dB;
    if (shelving && band.GainDb > kShelvingMaxGainDb) {
        band.GainDb = kShelvingMaxGainDb;
    }
}

void ApplyTypeChoiceRules(TSOS& band) {
    ApplyQFloor(band);
    ApplyShelvingGainCap(band);
}

void ApplyConstQFloor(TSOS& band) {
    if (band.SectionType != kParametricQConst) {
        return;
    }
    struct Row {
        double aboveHz;
        double minQ;
    };
    static constexpr Row rows[] = {
        {4000, 0.6}, {4950, 0.7}, {5990, 0.8}, {7180, 0.9}, {8700, 1.0},
    };
    double floor = 0.0;
    for (const Row& row : rows) {
        if (band.Frequency > row.aboveHz) {
            floor = row.minQ;
        }
    }
    if (band.Q < floor) {
        band.Q = floor;
    }
}

long double QuantiseEnteredCoefficient(double value) {
    if (std::isnan(value)) {
        return 0.0L;
    }
    const long double clamped = HoldToCoef22Range(value); // also keeps nearbyint in range
    return HoldToCoef22Range(std::nearbyint(clamped / kCoef22Step) * kCoef22Step);
}

void RedesignBand(TSOS& band) {
    ApplyConstQFloor(band);
    Design(band);
}

} // namespace veld23
