#include "editors/DynamicsTimeFields.h"

#include "config/FieldNumber.h"
#include "dsp/DynamicsLimits.h"

namespace veld23 {

namespace {

using namespace dynamics;

// The hold field steps by a tenth of a millisecond with the arrow keys, so it
// shows one decimal; the look-ahead steps by 0.04 ms (about two samples).
constexpr std::array<DynamicsTimeFieldRange, DynamicsTimeFields::kFields> kRanges{{
    {kAttackMinDbPerS, kAttackMaxDbPerS, 1.0, 1.0, 0, kDefaultAttackDbPerS},
    {kHoldMinMs, kHoldMaxMs, 0.1, 1.0, 1, kDefaultHoldMs},
    {kReleaseMinDbPerS, kReleaseMaxDbPerS, 1.0, 1.0, 0, kDefaultReleaseDbPerS},
    {kLookAheadMinMs, kLookAheadMaxMs, 0.04, 0.04, 2, kDefaultLookAheadMs},
}};

} // namespace

const DynamicsTimeFieldRange& DynamicsTimeFields::Range(DynamicsTimeField field) {
    return kRanges[Index(field)];
}

DynamicsTimeFields::DynamicsTimeFields() {
    for (int i = 0; i < kFields; ++i) {
        const auto field = static_cast<DynamicsTimeField>(i);
        Show(field, Range(field).startValue);
    }
}

const std::string& DynamicsTimeFields::Text(DynamicsTimeField field) const {
    return text_[Index(field)];
}

double DynamicsTimeFields::Value(DynamicsTimeField field) const {
    return value_[Index(field)];
}

void DynamicsTimeFields::SetText(DynamicsTimeField field, std::string_view text) {
    text_[Index(field)].assign(text);
}

double DynamicsTimeFields::Typed(DynamicsTimeField field) const {
    double typed = value_[Index(field)];
    field_number::Parse(text_[Index(field)], typed);
    return typed;
}

double DynamicsTimeFields::Take(DynamicsTimeField field) {
    Show(field, Typed(field));
    return Value(field);
}

double DynamicsTimeFields::StepBy(DynamicsTimeField field, double delta) {
    Show(field, Typed(field) + delta);
    return Value(field);
}

void DynamicsTimeFields::Show(DynamicsTimeField field, double value) {
    const DynamicsTimeFieldRange& range = Range(field);
    // Every range ends on a value its display format shows exactly, so rounding a
    // held value to the shown decimals never leaves the range.
    const double held = HoldField(value, range.min, range.max, range.startValue);
    text_[Index(field)] = field_number::Text(held, range.decimals);
    value_[Index(field)] = field_number::Shown(held, range.decimals);
}

} // namespace veld23
