#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace veld23 {

// The dynamics window's numeric time fields. Attack, hold and release belong to
// the record shown; the look-ahead always to record 1, the only one whose
// look-ahead the processor uses.
enum class DynamicsTimeField { Attack, Hold, Release, LookAhead };

// The arrow keys step a field finer than the step buttons beside it.
enum class DynamicsTimeStep { Arrow, Button };

struct DynamicsTimeFieldRange {
    double min = 0.0;
    double max = 0.0;
    double arrowStep = 0.0;  // up/down arrow keys
    double buttonStep = 0.0; // the step buttons beside the field
    int decimals = 0;        // display format
    double startValue = 0.0;
};

// The four fields as text. What a field holds is its text read back, held to
// the field's range; typing alone changes only the text, and a text that is not
// a number falls back to what the field held before.
class DynamicsTimeFields {
  public:
    static constexpr int kFields = 4;

    static const DynamicsTimeFieldRange& Range(DynamicsTimeField field);

    // Every field at its start-up value: 140 dB/s, 40 ms, 5 dB/s, 0 ms.
    DynamicsTimeFields();

    const std::string& Text(DynamicsTimeField field) const;
    double Value(DynamicsTimeField field) const;

    // Typing: only the text changes.
    void SetText(DynamicsTimeField field, std::string_view text);
    // Leaving the field or Enter: the typed value (or the held one, when the text
    // is not a number) held to the range and shown. Returns the value taken.
    double Take(DynamicsTimeField field);
    // Arrow keys and step buttons: step from the typed value, then take.
    double StepBy(DynamicsTimeField field, double delta);
    // Shows a value read back from a record, without taking anything.
    void Show(DynamicsTimeField field, double value);

  private:
    static std::size_t Index(DynamicsTimeField field) { return static_cast<std::size_t>(field); }
    double Typed(DynamicsTimeField field) const;

    std::array<std::string, kFields> text_{};
    std::array<double, kFields> value_{};
};

} // namespace veld23
