#include "editors/CrossoverColumn.h"

#include "config/FieldNumber.h"

#include <algorithm>
#include <cmath>

namespace veld23 {

int CrossoverColumn::HoldFrequencyHz(double hz) {
    if (!(hz >= kCrossoverLowestHz)) {
        return kCrossoverLowestHz;
    }
    if (hz >= kCrossoverHighestHz) {
        return kCrossoverHighestHz;
    }
    return static_cast<int>(std::nearbyint(hz));
}

void CrossoverColumn::ShowFrequency(double hz) {
    frequencyHz_ = HoldFrequencyHz(hz);
    text_ = field_number::Text(frequencyHz_, 0);
}

bool CrossoverColumn::TextPending() const {
    return text_ != field_number::Text(frequencyHz_, 0);
}

bool CrossoverColumn::TakeTypedFrequency() {
    double typed = 0.0;
    if (!field_number::Parse(text_, typed)) {
        ShowFrequency(frequencyHz_);
        return false;
    }
    ShowFrequency(typed);
    return true;
}

void CrossoverColumn::StepFrequency(int deltaHz) {
    double typed = frequencyHz_;
    field_number::Parse(text_, typed);
    // Round first, so a typed 1000.6 goes up to 1002 as the field would show it.
    ShowFrequency(HoldFrequencyHz(typed) + deltaHz);
}

void CrossoverColumn::ShowFamily(std::uint8_t family) {
    // A code beyond every design is shown, and later stored, as "ByPass".
    familyIndex_ = family > kLastXoverFamily ? 0 : ListIndexFromFamily(family, side_);
    if (familyIndex_ < 0) {
        familyIndex_ = kNoListEntry;
    }
}

std::uint8_t CrossoverColumn::FamilyFor(std::uint8_t current) const {
    if (familyIndex_ == kNoListEntry) {
        return current;
    }
    return FamilyFromListIndex(familyIndex_, side_);
}

void CrossoverColumn::ShowOrder(int order) {
    order_ = std::clamp(order, kLowestOrder, kHighestOrder);
}

} // namespace veld23
