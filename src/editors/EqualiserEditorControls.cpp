// The equaliser editor's sliders and fields: what each control does to the band.
#include "editors/EqualiserEditor.h"

#include "config/FieldNumber.h"
#include "dsp/PeqRules.h"

namespace veld23 {

using namespace equaliser;

// ---- Field displays. A field shows its value held to its range and decimals, and holds
// exactly what it shows.

void EqualiserEditor::ShowFrequency(double hz) {
    frequency_.value = ShownFrequency(hz);
    frequency_.text = field_number::Text(frequency_.value, kHzDecimals);
}

void EqualiserEditor::ShowGain(double gainDb) {
    gain_.value = ShownGain(gainDb);
    gain_.text = field_number::Text(gain_.value, kGainDecimals);
}

void EqualiserEditor::ShowQ(double q) {
    q_.value = ShownQ(q);
    q_.text = field_number::Text(q_.value, kQDecimals);
}

// ---- Frequency.

void EqualiserEditor::FrequencySliderChange(int position) {
    frequencyPosition_ = HoldFrequencyPosition(position);
    ShowFrequency(FrequencyFromPosition(frequencyPosition_));
    Band().Frequency = frequency_.value;
    Changed();
}

void EqualiserEditor::SetFrequencyPosition(int position) {
    if (controls_.frequency) {
        FrequencySliderChange(position);
    }
}

void EqualiserEditor::SetFrequencyText(std::string_view text) {
    if (controls_.frequency) {
        frequency_.text.assign(text);
    }
}

void EqualiserEditor::FrequencyEnter() {
    double typed = 0.0;
    if (!controls_.frequency) {
        return;
    }
    if (!field_number::Parse(frequency_.text, typed)) {
        // Text that is not a number changes nothing: the field shows the band's value again.
        ShowFrequency(frequency_.value);
        return;
    }
    ShowFrequency(typed);
    Band().Frequency = frequency_.value;
    // The slider follows, and its change stores the frequency its position gives back:
    // the typed one, or its neighbour where one step spans several hertz.
    FrequencySliderChange(PositionForFrequency(frequency_.value));
}

// ---- Gain.

void EqualiserEditor::GainSliderChange(int position) {
    gainPosition_ = HoldGainPosition(position);
    ShowGain(GainFromPosition(gainPosition_));
    PeqBand& b = Band();
    b.GainDb = gain_.value;
    ApplyShelvingGainCap(b);
    if (b.GainDb != gain_.value) {
        ShowGain(b.GainDb);
        b.GainDb = gain_.value;
    }
    Changed();
}

void EqualiserEditor::SetGainPosition(int position) {
    if (controls_.gain) {
        GainSliderChange(position);
    }
}

void EqualiserEditor::SetGainText(std::string_view text) {
    if (controls_.gain) {
        gain_.text.assign(text);
    }
}

bool EqualiserEditor::TypedGain(double& gainDb) {
    if (!controls_.gain) {
        return false;
    }
    if (field_number::Parse(gain_.text, gainDb)) {
        return true;
    }
    ShowGain(gain_.value); // not a number: the band's gain shows again, nothing changes
    return false;
}

void EqualiserEditor::GainEnter() {
    double gainDb = 0.0;
    if (TypedGain(gainDb)) {
        ShowGain(gainDb);
        Band().GainDb = gain_.value;
        GainSliderChange(PositionForGain(gain_.value));
    }
}

void EqualiserEditor::GainUp() {
    double gainDb = 0.0;
    if (TypedGain(gainDb)) {
        ShowGain(gainDb + kGainStepDb);
        Band().GainDb = gain_.value;
        GainSliderChange(PositionForGain(gain_.value));
    }
}

void EqualiserEditor::GainDown() {
    double gainDb = 0.0;
    if (TypedGain(gainDb)) {
        ShowGain(gainDb - kGainStepDb);
        Band().GainDb = gain_.value;
        GainSliderChange(PositionForGain(gain_.value));
    }
}

// ---- Q.

void EqualiserEditor::QSliderChange(int position) {
    qPosition_ = HoldQPosition(position);
    ShowQ(QFromPosition(qPosition_));
    PeqBand& b = Band();
    b.Q = q_.value;
    ApplyQFloor(b);
    if (b.Q != q_.value) {
        ShowQ(b.Q);
        b.Q = q_.value;
    }
    Changed();
}

void EqualiserEditor::SetQPosition(int position) {
    if (controls_.q) {
        QSliderChange(position);
    }
}

void EqualiserEditor::SetQText(std::string_view text) {
    if (!controls_.q) {
        return;
    }
    q_.text.assign(text.substr(0, kQTypedCharacters));
    double typed = 0.0;
    if (!field_number::Parse(q_.text, typed)) {
        return; // "", "-" or letters: the band keeps its Q
    }
    // The text stays as typed; the band takes the number held to the field's range, so
    // no design ever sees a Q of 0.
    q_.value = ShownQ(typed);
    Band().Q = q_.value;
    Finish();
}

bool EqualiserEditor::TypedQ(double& q) {
    if (!controls_.q) {
        return false;
    }
    if (field_number::Parse(q_.text, q)) {
        return true;
    }
    ShowQ(q_.value); // not a number: the band's Q shows again, nothing changes
    return false;
}

void EqualiserEditor::QEnter() {
    double q = 0.0;
    if (TypedQ(q)) {
        ShowQ(q);
        Band().Q = q_.value;
        QSliderChange(PositionForQ(q_.value));
    }
}

void EqualiserEditor::QUp() {
    double q = 0.0;
    if (TypedQ(q)) {
        ShowQ(q + kQStep);
        Band().Q = q_.value;
        QSliderChange(PositionForQ(q_.value));
    }
}

void EqualiserEditor::QDown() {
    double q = 0.0;
    if (TypedQ(q)) {
        ShowQ(q - kQStep);
        Band().Q = q_.value;
        QSliderChange(PositionForQ(q_.value));
    }
}

// ---- Coefficients of "IIR Coeff".

void EqualiserEditor::SetCoefficientText(int k, std::string_view text) {
    if (controls_.coefficientPanel && k >= 0 && k < 5) {
        coefficients_[static_cast<std::size_t>(k)].text.assign(text);
        coefficientTyped_[static_cast<std::size_t>(k)] = true;
    }
}

bool EqualiserEditor::ConvertCoefficient(int k) {
    const auto i = static_cast<std::size_t>(k);
    if (!coefficientTyped_[i]) {
        // The field still shows the band's own coefficient; re-reading its six decimals
        // could move it by a step of the device word.
        return true;
    }
    double typed = 0.0;
    if (!field_number::Parse(coefficients_[i].text, typed)) {
        // Not a number: the band keeps its coefficient and the field shows it again.
        ShowCoefficient(k, Band().GetCoefficient(k));
        return false;
    }
    const long double converted = QuantiseEnteredCoefficient(typed);
    ShowCoefficient(k, converted);
    Band().SetCoefficient(k, converted);
    return true;
}

void EqualiserEditor::CoefficientEnter(int k) {
    if (controls_.coefficientPanel && k >= 0 && k < 5 && ConvertCoefficient(k)) {
        Finish();
    }
}

void EqualiserEditor::CoefficientsLeave() {
    if (!controls_.coefficientPanel) {
        return;
    }
    for (int k = 0; k < 5; ++k) {
        ConvertCoefficient(k);
    }
    Finish();
}

} // namespace veld23
