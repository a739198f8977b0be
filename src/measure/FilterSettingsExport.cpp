#include "measure/FilterSettingsExport.h"

#include "config/ProcessorConfiguration.h"
#include "dsp/PeqRules.h"
#include "measure/ExportFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace veld23 {

namespace {

// How one band reads in the other program: its type and fields, or nothing (None),
// with a comment that says what the band is when that helps.
struct BandText {
    std::string fields; // empty: None
    std::string comment;
};

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string Caption(const PeqBand& band) {
    return EqTypeList()[static_cast<std::size_t>(EqTypeListIndex(band.SectionType))].caption;
}

std::string SameCurve(double q) {
    return Format(", Q %.1f: written with the Q that gives the same curve", q);
}

// The peaking designs end by holding b0 and b1 inside the coefficient word; a band
// that hit the limit is no longer the textbook filter its parameters describe.
bool CoefficientsHeld(const PeqBand& band) {
    const long double limit = 1.99999999999L;
    return std::fabs(band.b0) == limit || std::fabs(band.b1) == limit;
}

// BandPass and StopBand set their bandwidth through tan(w0 / 2Qe); the programs define Q
// through sin(w0) / 2Q. Both give the same filter when sin(w0) / 2Q = tan(w0 / 2Qe).
double BandQ(const PeqBand& band) {
    const double w0 = 2.0 * std::numbers::pi * band.Frequency / SampleRate;
    const double qe = std::max(band.Q, 2.0 * band.Frequency / SampleRate);
    const double half = w0 / (2.0 * qe);
    if (!(half < std::numbers::pi / 2)) {
        return 0.0;
    }
    return std::sin(w0) / (2.0 * std::tan(half));
}

BandText Describe(const PeqBand& band) {
    const double f = band.Frequency;
    const std::string none = "has no equivalent type; its coefficients are in the biquad export";
    switch (band.SectionType) {
    case kBypass:
        return {"", "Bypass"};
    case kParametricQAdap:
        if (CoefficientsHeld(band)) {
            return {"", "Parametric Q Adap at the processor's coefficient limit " + none};
        }
        return {Format("PK Fc %g Hz Gain %.1f dB Q %.4f", f, band.GainDb, band.Q), ""};
    case kParametricQConst: {
        // Boost and cut of a constant-Q band are a peaking filter whose Q shrinks with
        // the gain: Q / sqrt(V), V the linear gain. At 12000 Hz the band is designed a
        // half hertz higher.
        const double designed = f == 12000.0 ? 12000.5 : f;
        const double q = band.Q * std::pow(10.0, -std::fabs(band.GainDb) / 40.0);
        return {Format("PK Fc %g Hz Gain %.1f dB Q %.4f", designed, band.GainDb, q),
                Caption(band) + SameCurve(band.Q)};
    }
    case kLowPassButtw:
        return {Format("LP Fc %g Hz", f), ""};
    case kHiPassButtw:
        return {Format("HP Fc %g Hz", f), ""};
    case kLowPassQ:
        return {Format("LPQ Fc %g Hz Q %.4f", f, band.Q), ""};
    case kHiPassQ:
        return {Format("HPQ Fc %g Hz Q %.4f", f, band.Q), ""};
    case kAllPass2:
        return {Format("AP Fc %g Hz Q %.4f", f, band.Q), ""};
    case kBandPass:
    case kStopBand: {
        const bool bandPass = band.SectionType == kBandPass;
        const double q = BandQ(band);
        if (q <= 0.0 || (bandPass && band.GainDb != 0.0)) {
            return {"", Caption(band) + Format(" at %g Hz with %.1f dB ", f, band.GainDb) + none};
        }
        return {Format(bandPass ? "BP Fc %g Hz Q %.4f" : "NO Fc %g Hz Q %.4f", f, q),
                Caption(band) + SameCurve(band.Q)};
    }
    default:
        // Shelv Low 6dB and Shelv High 6dB are first-order shelves, where LS and HS are
        // second order; AllPass 1 is first order; IIR Coeff is typed coefficients.
        return {"", Caption(band) + " " + none};
    }
}

void AppendEqualiser(std::string& text, const std::string& title, const PeqSet& set) {
    text += "# " + title + "\n";
    const int used = std::clamp(static_cast<int>(set.UsedBands), 0, PeqSet::kBands);
    for (int k = 1; k <= used; ++k) {
        const BandText band = Describe(set.Band(k));
        const std::string filter = "Filter " + std::to_string(k) + ": ON ";
        text += filter + (band.fields.empty() ? "None" : band.fields) + "\n";
        if (!band.comment.empty()) {
            text += "# Filter " + std::to_string(k) + ": " + band.comment + "\n";
        }
    }
}

} // namespace

std::string FilterSettingsText(const ProcessorConfiguration& config, std::string_view origin) {
    std::string text =
        "# VELD23 filter settings of the " + DescribeConfiguration(config, origin) + "\n";
    text += "# " + std::to_string(config.SampleRate) + " Hz\n";
    AppendEqualiser(text, "OUT 1 PEQ (IN 1)", config.Peq[0]);
    AppendEqualiser(text, "OUT 2 PEQ (IN 2)", config.Peq[1]);
    return text;
}

} // namespace veld23
