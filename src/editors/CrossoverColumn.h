#pragma once

#include "dsp/Crossover.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veld23 {

// The controls of one column of the crossover window (L for the high-pass half, H
// for the low-pass half): a frequency field in whole hertz, the family list and the
// order. The column only holds what the controls show; the crossover controller
// decides when a value reaches the half.
class CrossoverColumn {
  public:
    static constexpr int kLowestOrder = 2;
    static constexpr int kHighestOrder = 6;
    static constexpr int kOrderStep = 2;
    // The family list has no entry for the families a stored configuration may
    // carry beyond it (each section's own frequency and Q); nothing is selected then.
    static constexpr int kNoListEntry = -1;

    explicit CrossoverColumn(XoverSide side) : side_(side) {}

    XoverSide Side() const { return side_; }

    // Whole hertz held to 20..20000; a value that is not a number lands on 20.
    static int HoldFrequencyHz(double hz);

    // The field shows a frequency (held as above) and holds it.
    void ShowFrequency(double hz);
    int FrequencyHz() const { return frequencyHz_; }
    const std::string& FrequencyText() const { return text_; }
    // Typing: only the text changes.
    void SetFrequencyText(std::string_view text) { text_.assign(text); }
    // True while the field shows text it has not taken yet.
    bool TextPending() const;
    // Takes the typed text as whole hertz held to the range and returns true. Text
    // that is not a number is replaced by the value the field holds, and nothing is
    // taken (false).
    bool TakeTypedFrequency();
    // Up and Down keys and buttons: the typed value (or, for text that is not a
    // number, the value held) one hertz up or down, held to the range.
    void StepFrequency(int deltaHz);

    // The family list, 0..3 or kNoListEntry.
    int FamilyIndex() const { return familyIndex_; }
    void ShowFamily(std::uint8_t family);
    void ChooseFamily(int index) { familyIndex_ = index; }
    // The family the list stands for; with no entry selected, the half keeps its own.
    std::uint8_t FamilyFor(std::uint8_t current) const;

    // The order control: steps of two between 2 and 6; a stored odd order is shown
    // as it is, held to the same range.
    int Order() const { return order_; }
    void ShowOrder(int order);
    void StepOrder(int steps) { ShowOrder(order_ + steps * kOrderStep); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

  private:
    XoverSide side_;
    std::string text_ = "0";
    int frequencyHz_ = kCrossoverLowestHz;
    int familyIndex_ = 0;
    int order_ = kLowestOrder;
    bool enabled_ = true;
};

} // namespace veld23
