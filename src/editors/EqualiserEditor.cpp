#include "editors/EqualiserEditor.h"

#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/Coef22Range.h"
#include "dsp/FrequencyGrid.h"
#include "dsp/PeqRules.h"

#include <algorithm>
#include <utility>

namespace veld23 {

using namespace equaliser;

namespace {

constexpr std::array<long double TSOS::*, 5> kCoefficients{&TSOS::b0, &TSOS::b1, &TSOS::b2,
                                                           &TSOS::a1, &TSOS::a2};

} // namespace

EqualiserEditor::EqualiserEditor(ProcessorConfiguration& config, RealTimeSender& sender)
    : peq_(config.Peq), labels_(config.ChannelLabels), sender_(sender), view_(config.Peq) {
    // The grid every curve is drawn on is built with the first editor that needs it.
    (void)FrequencyGrid::Shared();
    view_.Plot().SetMouseListener(this);
    RelabelSelectors();
    CreationStep();
}

EqualiserEditor::~EqualiserEditor() {
    view_.Plot().SetMouseListener(nullptr);
}

void EqualiserEditor::SetRedrawFinalResponse(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
}

void EqualiserEditor::SetRealTimeToggle(std::function<void()> toggle) {
    realTimeToggle_ = std::move(toggle);
}

void EqualiserEditor::CreationStep() {
    dragging_ = false;
    rememberedBand_ = {1, 1};
    current_ = 1;
    lastChosen_ = 1;
    for (int k = 0; k < 5; ++k) {
        ShowCoefficient(k, k == 0 ? 1.0L : 0.0L);
    }
    view_.Reset();
    // PEQ2 first, so that PEQ1 ends current; choosing each draws its curve once.
    ChooseEqualiser(2);
    ChooseEqualiser(1);
}

void EqualiserEditor::RelabelSelectors() {
    selectorLabels_ = {labels_.Out1, labels_.Out2};
}

void EqualiserEditor::Show() {
    RelabelSelectors();
    ChooseEqualiser(lastChosen_);
}

std::string_view EqualiserEditor::SelectorLabel(int peq) const {
    return ValidEqualiser(peq) ? selectorLabels_[static_cast<std::size_t>(peq - 1)].View()
                               : std::string_view{};
}

void EqualiserEditor::ResetToNew() {
    CreationStep();
}

void EqualiserEditor::RefreshFromConfiguration() {
    RefreshEqualiser(2);
    RefreshEqualiser(1);
}

void EqualiserEditor::RefreshEqualiser(int peq) {
    if (!ValidEqualiser(peq)) {
        return;
    }
    dragging_ = false;
    current_ = peq;
    view_.SetTitleFor(peq);
    for (int band = kBands; band >= 1; --band) {
        SelectBand(band);
    }
}

void EqualiserEditor::ChooseEqualiser(int peq) {
    if (!ValidEqualiser(peq)) {
        return;
    }
    current_ = peq;
    lastChosen_ = peq;
    // The band above is selected first (band 6 for band 7), so it is in use as well.
    const int band = RememberedBand(peq);
    SelectBand(band == kBands ? kBands - 1 : band + 1);
    SelectBand(band);
    view_.SetTitleFor(peq);
    view_.BringToFront(peq);
}

void EqualiserEditor::ShowBand(int peq, int band) {
    if (!ValidEqualiser(peq) || !ValidBand(band)) {
        return;
    }
    current_ = peq;
    lastChosen_ = peq;
    SelectBand(band);
    view_.SetTitleFor(peq);
    view_.BringToFront(peq);
}

void EqualiserEditor::SelectBand(int band) {
    if (!ValidBand(band)) {
        return;
    }
    rememberedBand_[static_cast<std::size_t>(current_ - 1)] = band;
    PeqSet& set = Set(current_);
    // Also brings a count from a damaged file back to the seven bands there are.
    set.UsedBands = std::clamp<std::int32_t>(set.UsedBands, band, kBands);
    PeqBand& b = Band();
    typeIndex_ = EqTypeListIndex(b.SectionType);
    // A code the list does not offer (only a damaged file or memory holds one) becomes
    // the type the list shows, so what is designed is what the user sees.
    b.SectionType = EqTypeList()[static_cast<std::size_t>(typeIndex_)].sectionType;
    EnableControls();
    Refill();
    Finish();
}

void EqualiserEditor::ChooseType(int listIndex) {
    if (listIndex < 0 || listIndex >= kEqTypeCount) {
        return;
    }
    PeqBand& b = Band();
    typeIndex_ = listIndex;
    b.SectionType = EqTypeList()[static_cast<std::size_t>(listIndex)].sectionType;
    // The BandPass and StopBand Q floors and the shelving cap act on the fields, which
    // are then stored.
    b.Q = q_.value;
    b.GainDb = gain_.value;
    ApplyTypeChoiceRules(b);
    ShowQ(b.Q);
    ShowGain(b.GainDb);
    b.Q = q_.value;
    b.GainDb = gain_.value;
    EnableControls();
    if (controls_.coefficientPanel) {
        // The panel starts from the coefficients the band has, not from whatever another
        // band left in it, so leaving a field cannot store stale values.
        ShowBandCoefficients();
    }
    Finish();
}

void EqualiserEditor::EnableControls() {
    controls_ = ControlsForType(typeIndex_);
    PeqBand& b = Band();
    if (TypeZeroesGain(b.SectionType)) {
        // The band holds what the field shows, so its mark sits on the 0 dB line the
        // curve passes and a press there grabs it.
        ShowGain(0.0);
        b.GainDb = gain_.value;
    }
}

void EqualiserEditor::Refill() {
    refilling_ = true;
    PeqBand& b = Band();
    if (b.SectionType == kIirCoeff) {
        // Entered coefficients from a file or memory get the range a typed one has.
        for (long double TSOS::*c : kCoefficients) {
            b.*c = HoldToCoef22Range(b.*c);
        }
    }
    // Each slider is set from the band and runs its change, so the band ends holding the
    // values the controls give back. Every change runs, also where a slider already stood
    // at its position: the stored values never depend on the band shown before.
    ShowFrequency(b.Frequency);
    FrequencySliderChange(PositionForFrequency(b.Frequency));
    ShowGain(b.GainDb);
    GainSliderChange(PositionForGain(b.GainDb));
    ShowQ(b.Q);
    QSliderChange(PositionForQ(b.Q));
    ShowBandCoefficients();
    refilling_ = false;
}

void EqualiserEditor::Changed() {
    // While refilling, the band collects its values; the one redesign follows the refill.
    if (!refilling_) {
        Finish();
    }
}

void EqualiserEditor::Finish() {
    PeqBand& b = Band();
    RedesignBand(b);
    if (b.Q != q_.value) {
        // The frequency-dependent floor of "Parametric Q Const" raised the band's Q: the
        // field shows the Q the band is designed with.
        ShowQ(b.Q);
    }
    // The curve is evaluated before the final response is asked to combine it.
    view_.Redraw(current_, CurrentBand());
    for (std::size_t k = 0; k < kCoefficients.size(); ++k) {
        coefficientDisplay_[k] = static_cast<double>(b.*kCoefficients[k]);
    }
    if (sender_.CanSend()) {
        sender_.SendRealTimeFive(static_cast<std::uint8_t>(b.CoefIndex), coefficientDisplay_);
    }
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

void EqualiserEditor::RealTimeButtonClick() {
    if (realTimeToggle_) {
        realTimeToggle_();
    }
}

int EqualiserEditor::RememberedBand(int peq) const {
    return ValidEqualiser(peq) ? rememberedBand_[static_cast<std::size_t>(peq - 1)] : 1;
}

std::int32_t EqualiserEditor::UsedBands(int peq) const {
    return ValidEqualiser(peq) ? Set(peq).UsedBands : 0;
}

const EqualiserField& EqualiserEditor::CoefficientField(int k) const {
    static const EqualiserField kNone;
    return k >= 0 && k < 5 ? coefficients_[static_cast<std::size_t>(k)] : kNone;
}

std::string EqualiserEditor::CoefficientDisplayText(int k) const {
    if (k < 0 || k >= 5) {
        return {};
    }
    return field_number::Text(coefficientDisplay_[static_cast<std::size_t>(k)],
                              kCoefficientDecimals);
}

void EqualiserEditor::ShowCoefficient(int k, long double value) {
    EqualiserField& field = coefficients_[static_cast<std::size_t>(k)];
    field.text = field_number::Text(static_cast<double>(value), kCoefficientDecimals);
    field.value = static_cast<double>(value);
    coefficientTyped_[static_cast<std::size_t>(k)] = false;
}

void EqualiserEditor::ShowBandCoefficients() {
    const PeqBand& b = Band();
    for (std::size_t k = 0; k < kCoefficients.size(); ++k) {
        ShowCoefficient(static_cast<int>(k), b.*kCoefficients[k]);
    }
}

} // namespace veld23
