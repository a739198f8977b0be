#include "editors/DynamicsController.h"

#include "config/FieldNumber.h"
#include "config/ProcessorConfiguration.h"
#include "dsp/Dynamics.h"
#include "dsp/DynamicsLimits.h"
#include "dsp/DynamicsValues.h"
#include "editors/DynamicsCurve.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotReadout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veld23 {

namespace {

using namespace dynamics;

int NearestPosition(double value, int max) {
    return static_cast<int>(std::clamp(std::nearbyint(value), 0.0, static_cast<double>(max)));
}

// What the design uses: every stored field held to its control's range.
float HeldUmbral(const TDYNAMIC& d) {
    return HoldField(d.Umbral, kUmbralMin, kUmbralMax, kDefaultUmbralRecord1);
}
float HeldRatio(const TDYNAMIC& d) {
    return HoldField(d.Ratio, kRatioMin, kRatioMax, kDefaultRatio);
}
float HeldKnee(const TDYNAMIC& d) {
    return HoldField(d.Knee, kKneeMin, kKneeMax, kDefaultKnee);
}

// A whole-number hidden gate field: its text read back, or the fallback when the
// text is not a number, held to the field's range.
float TakeWholeField(const std::string& text, float fallback, float lo, float hi) {
    double value = fallback;
    field_number::Parse(text, value);
    const double held = HoldField(value, static_cast<double>(lo), static_cast<double>(hi),
                                  static_cast<double>(fallback));
    return static_cast<float>(field_number::Shown(held, 0));
}

} // namespace

DynamicsController::DynamicsController(ProcessorConfiguration& config, RealTimeSender& sender)
    : config_(config), sender_(sender) {
    ConfigurePlot(plot_, PlotKind::Dynamics);
    plot_.SetMouseListener(this);
    // Both records are designed up front; selecting record 1 then only redesigns it.
    for (TDYNAMIC& d : config_.Dynamics) {
        d.Design();
        d.BuildTable();
    }
    SelectRecord(1);
}

void DynamicsController::SetRedrawFinalResponse(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
}

void DynamicsController::SetLookAheadChanged(std::function<void()> changed) {
    lookAheadChanged_ = std::move(changed);
}

TDYNAMIC& DynamicsController::Record() {
    return config_.Dynamics[static_cast<std::size_t>(record_ - 1)];
}

const TDYNAMIC& DynamicsController::Record() const {
    return config_.Dynamics[static_cast<std::size_t>(record_ - 1)];
}

bool DynamicsController::ThreeOutputs() const {
    return config_.Topology == OutputTopology::ThreeOutputs;
}

// ---------------------------------------------------------------- record selector

void DynamicsController::SelectRecord(int record) {
    if (!Valid(record)) {
        return;
    }
    record_ = record;
    ReadControls();
    RedesignRecord();
}

std::string DynamicsController::SelectorCaption(int record) const {
    return DynamicsPlotTitle(record == 2 ? 2 : 1, ThreeOutputs());
}

void DynamicsController::ReadControls() {
    const TDYNAMIC& d = Record();
    thresholdPosition_ = config_.ThresholdPosition(record_);
    ratioPosition_ = NearestPosition(kRatioMax - HeldRatio(d), kRatioPositionMax);
    kneePosition_ = NearestPosition(2.0 * (kKneeMax - HeldKnee(d)), kKneePositionMax);
    fields_.Show(DynamicsTimeField::Attack, d.AttackRate());
    fields_.Show(DynamicsTimeField::Hold, d.HoldMs());
    fields_.Show(DynamicsTimeField::Release, d.ReleaseRate());
    fields_.Show(DynamicsTimeField::LookAhead, config_.Dynamics[0].LookAheadMs());
    ramp_ = d.GateRampLength();
    ShowGateFields();
}

// ---------------------------------------------------------------- sliders

void DynamicsController::SetThresholdPosition(int position) {
    if (!ThresholdEnabled()) {
        return;
    }
    thresholdPosition_ = std::clamp(position, 0, kThresholdPositionMax);
    Record().Umbral = config_.UmbralFromThresholdPosition(record_, thresholdPosition_);
    ParameterChanged();
}

std::string DynamicsController::ThresholdText() const {
    return field_number::Text(
        DbfsToDisplayDbu(HeldUmbral(Record()), config_.LevelOffsetOf(record_)), 1);
}

std::string_view DynamicsController::ThresholdCaption() const {
    return LimiterLit() ? kLimitCaption : kThresholdCaption;
}

void DynamicsController::SetRatioPosition(int position) {
    if (!RatioEnabled()) {
        return;
    }
    // Held to the slider's end: a position past 9 would give a ratio below 1:1.
    ratioPosition_ = std::clamp(position, 0, kRatioPositionMax);
    Record().Ratio = kRatioMax - static_cast<float>(ratioPosition_);
    ParameterChanged();
}

std::string DynamicsController::RatioText() const {
    return field_number::Text(HeldRatio(Record()), 0) + std::string(kRatioSuffix);
}

void DynamicsController::SetKneePosition(int position) {
    if (!KneeEnabled()) {
        return;
    }
    kneePosition_ = std::clamp(position, 0, kKneePositionMax);
    Record().Knee = kKneeMax - static_cast<float>(kneePosition_) / 2.0f;
    ParameterChanged();
}

std::string DynamicsController::KneeText() const {
    return field_number::Text(HeldKnee(Record()), 1);
}

// ---------------------------------------------------------------- limiter / compressor

void DynamicsController::ChooseLimiter() {
    if (TypeButtonsEnabled()) {
        Record().Tipo = kLimiter;
        ParameterChanged();
    }
}

void DynamicsController::ChooseCompressor() {
    if (TypeButtonsEnabled()) {
        Record().Tipo = kCompressor;
        ParameterChanged();
    }
}

bool DynamicsController::LimiterLit() const {
    return Record().Tipo == kLimiter;
}

// ---------------------------------------------------------------- noise gate

void DynamicsController::SelectGateItem(int item) {
    if (item < 0 || item >= kGateItems) {
        return;
    }
    TDYNAMIC& d = Record();
    d.GateIndex = GateIndexFromItem(item);
    d.Pendiente = static_cast<float>(ramp_);
    ShowGateFields();
    ParameterChanged();
}

std::optional<int> DynamicsController::GateItem() const {
    return GateItemFromIndex(Record().GateIndex);
}

void DynamicsController::ApplyGateFields() {
    TDYNAMIC& d = Record();
    d.GateIndex = TakeWholeField(gateIndexText_, static_cast<float>(d.GateTableIndex()),
                                 kGateIndexMin, kGateIndexMax);
    d.Pendiente =
        TakeWholeField(rampText_, static_cast<float>(ramp_), kPendienteMin, kPendienteMax);
    ramp_ = d.Pendiente;
    ShowGateFields();
    ParameterChanged();
}

void DynamicsController::ShowGateFields() {
    gateIndexText_ = field_number::Text(Record().GateTableIndex(), 0);
    rampText_ = field_number::Text(ramp_, 0);
}

// ---------------------------------------------------------------- bypass

void DynamicsController::SetBypass(bool bypass) {
    Record().Bypass = bypass;
    ParameterChanged();
}

bool DynamicsController::Bypassed() const {
    return Record().Bypass;
}

// ---------------------------------------------------------------- time fields

bool DynamicsController::TimeFieldEnabled(DynamicsTimeField field) const {
    const bool followsBypass =
        field == DynamicsTimeField::Attack || field == DynamicsTimeField::Release;
    return !(followsBypass && Bypassed());
}

void DynamicsController::SetTimeText(DynamicsTimeField field, std::string_view text) {
    if (TimeFieldEnabled(field)) {
        fields_.SetText(field, text);
    }
}

void DynamicsController::TakeTime(DynamicsTimeField field) {
    if (TimeFieldEnabled(field)) {
        ApplyTime(field, fields_.Take(field));
    }
}

void DynamicsController::StepTime(DynamicsTimeField field, DynamicsTimeStep step, int direction) {
    if (direction == 0 || !TimeFieldEnabled(field)) {
        return;
    }
    const DynamicsTimeFieldRange& range = DynamicsTimeFields::Range(field);
    const double size = step == DynamicsTimeStep::Arrow ? range.arrowStep : range.buttonStep;
    ApplyTime(field, fields_.StepBy(field, direction > 0 ? size : -size));
}

void DynamicsController::ApplyTime(DynamicsTimeField field, double value) {
    TDYNAMIC& d = Record();
    switch (field) {
    case DynamicsTimeField::Attack:
        d.SetAttack(value);
        break;
    case DynamicsTimeField::Hold:
        d.SetHold(value);
        break;
    case DynamicsTimeField::Release:
        d.SetRelease(value);
        break;
    case DynamicsTimeField::LookAhead:
        // Only record 1's look-ahead reaches the processor, whichever record is shown.
        config_.Dynamics[0].SetLookAhead(value);
        break;
    }
    SendTime(field);
    if (field == DynamicsTimeField::LookAhead && lookAheadChanged_) {
        lookAheadChanged_();
    }
}

void DynamicsController::SendTime(DynamicsTimeField field) {
    if (!sender_.CanSend()) {
        return;
    }
    const TDYNAMIC& d = Record();
    const DeviceAddresses& at = AddressesOf(record_);
    switch (field) {
    case DynamicsTimeField::Attack:
        sender_.SendRealTimeValue(at.rmsCoef, kRmsCoefMessageKind, static_cast<double>(d.RmsCoef));
        break;
    case DynamicsTimeField::Hold:
        sender_.SendRealTimeInteger(at.holdSamples, static_cast<std::uint16_t>(d.HoldSamples));
        break;
    case DynamicsTimeField::Release:
        sender_.SendRealTimeInteger(at.decayCode, static_cast<std::uint16_t>(d.DecayCode));
        break;
    case DynamicsTimeField::LookAhead:
        sender_.SendRealTimeInteger(
            *kRecord1Addresses.lookAheadSamples,
            static_cast<std::uint16_t>(config_.Dynamics[0].LookAheadSamples));
        break;
    }
}

void DynamicsController::SendRecord() {
    SendTable();
    for (const DynamicsTimeField field :
         {DynamicsTimeField::Attack, DynamicsTimeField::Hold, DynamicsTimeField::Release}) {
        SendTime(field);
    }
    if (record_ == 1) {
        SendTime(DynamicsTimeField::LookAhead);
    }
}

// ---------------------------------------------------------------- design step

void DynamicsController::RedesignRecord() {
    TDYNAMIC& d = Record();
    d.Design();
    d.BuildTable();
    DrawDynamicsCurve(plot_, d, config_.LevelOffsetOf(record_), SelectorCaption(record_));
    CheckPower();
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

void DynamicsController::CheckPower() {
    powerCheck_ = RunPowerCheck(config_, record_);
}

void DynamicsController::ParameterChanged() {
    RedesignRecord();
    SendTable();
}

void DynamicsController::SendTable() {
    if (!sender_.CanSend()) {
        return;
    }
    const TDYNAMIC& d = Record();
    const std::uint16_t first = AddressesOf(record_).tableFirst;
    for (int k = 0; k < kTableSingleValues; ++k) {
        sender_.SendRealTimeValue(static_cast<std::uint16_t>(first + k), kValueMessageKind,
                                  static_cast<double>(d.Tabla[static_cast<std::size_t>(k)]));
    }
    for (const int offset : kTableBlockOffsets) {
        std::array<double, kTableBlockLength> values{};
        for (int j = 0; j < kTableBlockLength; ++j) {
            values[static_cast<std::size_t>(j)] =
                static_cast<double>(d.Tabla[static_cast<std::size_t>(offset + j)]);
        }
        sender_.SendRealTimeFive(static_cast<std::uint8_t>(first + offset), values);
    }
}

// ---------------------------------------------------------------- lifecycle

void DynamicsController::Activate() {
    SelectRecord(record_);
}

void DynamicsController::RefreshRecord(int record) {
    if (Valid(record)) {
        config_.Dynamics[static_cast<std::size_t>(record - 1)].HoldToEditorRanges();
        SelectRecord(record);
    }
}

void DynamicsController::RefreshRecords() {
    RefreshRecord(2);
    RefreshRecord(1);
}

void DynamicsController::ResetToNew() {
    SelectRecord(1);
}

void DynamicsController::TopologyChanged() {
    SelectRecord(record_);
}

// ---------------------------------------------------------------- plot pointer

void DynamicsController::PlotMouseDown(const PlotPointer&) {}

void DynamicsController::PlotMouseMove(const PlotPointer& pointer) {
    plot_.SetReadout(DynamicsReadout(plot_, pointer.value));
}

void DynamicsController::PlotMouseUp(const PlotPointer&) {}

// ---------------------------------------------------------------- speaker settings

void DynamicsController::PowerChecked(const PowerCheckResult& result) {
    powerCheck_ = result;
}

void DynamicsController::DynamicsRecordChosen(int record) {
    SelectRecord(record);
}

void DynamicsController::BalancedSwitched(int record) {
    if (!Valid(record)) {
        return;
    }
    // The balanced switch changes no dynamics parameter, so the slider is not read
    // back into the threshold: a threshold the slider cannot show (record 2's
    // start-up -5 dBFS) stays as it is. Curve and power check are redone.
    if (record != record_) {
        SelectRecord(record);
    } else {
        RedesignRecord();
    }
}

} // namespace veld23
