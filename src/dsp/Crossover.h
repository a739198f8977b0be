#pragma once

#include "dsp/CrossoverHalf.h"
#include "dsp/Tsos.h"

#include <array>
#include <cstdint>
#include <span>

namespace veld23 {

struct ResponseCurve;

// The two halves of an output's crossover. Column L of the editor edits the
// high-pass half (the output's lower edge), column H the low-pass half.
enum class XoverSide { HighPass, LowPass };

// One output's crossover. Its own three sections (inherited) exist but take no
// part in any design.
class TXOVER : public TXOVERPB {
  public:
    TXOVERPB HighPass;
    TXOVERPB LowPass;

    // Only the halves are designed; designing the crossover itself would be a
    // mistake that compiles, so it does not.
    HalfDesignStatus Design(DesignNotifier* notifier = nullptr) = delete;
};

inline constexpr int kCrossoverOutputs = 3; // OUT 1, OUT 2, SUB

// The crossover editor's limits, which whatever is loaded is held to as well: whole
// hertz from 20 to 20000, order 2 for each half while both are in use, up to 4 for a
// half used alone.
inline constexpr int kCrossoverLowestHz = 20;
inline constexpr int kCrossoverHighestHz = 20000;
inline constexpr int kSharedCrossoverOrder = 2;
inline constexpr int kSoloCrossoverHighestOrder = 4;

// CoefIndex of a section that has no place in the processor's coefficient memory
// (section 3 of a half, the crossover's own sections): anything that would send
// or store it by index fails visibly instead of overwriting equaliser band 1.
inline constexpr std::int32_t kNoCoefSlot = -1;

// Two five-word slots per output at 60 + 10 * output: the low-pass half fills them
// from the first, the high-pass half from the second, so with one section each
// both halves fit, and a half used alone can take both.
//   output 1: LowPass 70, 75   HighPass 75, 70
//   output 2: LowPass 80, 85   HighPass 85, 80
//   output 3: LowPass 90, 95   HighPass 95, 90
// sectionNumber is 1..3; section 3, an output outside 1..3 give kNoCoefSlot.
std::int32_t CrossoverCoefIndex(int output, XoverSide side, int sectionNumber);

// Sets the CoefIndex of every section of the crossover of `output` (1..3).
void AssignCoefIndexes(TXOVER& crossover, int output);

// The crossover every output starts with: CoefIndex as above, high-pass half
// order 2 at 100 Hz, low-pass half order 2 at 5000 Hz, both bypassed and designed.
void SetInitialCrossover(TXOVER& crossover, int output);

// The sections whose cascade is the output's crossover response: the low-pass
// half's sections in use, then the high-pass half's. Points into the crossover,
// so it must not outlive it; nothing is allocated.
struct XoverEvaluationList {
    std::array<const TSOS*, 2 * kSectionsPerHalf> sections{};
    int count = 0;

    std::span<const TSOS* const> Span() const { return {sections.data(), sections.size()}; }
};
XoverEvaluationList BuildEvaluationList(const TXOVER& crossover);

// AccumulateResponse over the evaluation list.
void EvaluateCrossover(const TXOVER& crossover, ResponseCurve& curve);

// The editor's family list.
inline constexpr int kFamilyListEntries = 4;
inline constexpr std::array<const char*, kFamilyListEntries> kFamilyListCaptions = {
    "ByPass", "ButtW", "L-Riley", "Bessel"};

// Entry c of the list on a side: 0 for "ByPass", otherwise the low-pass (2c - 1) or
// high-pass (2c) family. An index outside the list gives bypass.
std::uint8_t FamilyFromListIndex(int index, XoverSide side);

// The list entry shown for a half's family: Family / 2 on the high-pass side,
// (Family + 1) / 2 on the low-pass side. Families 7 and 8 (only ever loaded) and
// unknown codes have no entry: -1, no selection.
int ListIndexFromFamily(std::uint8_t family, XoverSide side);

// A stored family as the half's own list holds it: a family of the other side lands on
// the entry the list shows for it (as the window would store it), and one the list lacks
// there, or one no design knows, on bypass. Bypass and the side's own families stay.
std::uint8_t FamilyOnSide(std::uint8_t family, XoverSide side);

// A Linkwitz-Riley half of order 2 is two first-order sections, but it has only
// one coefficient slot when both halves are in use. The slot then carries their
// product as one second-order section, so the processor runs the same
// 12 dB/octave filter the editor shows.

// The product of two first-order sections p and q: b0 = p0 q0, b1 = p0 q1 + p1 q0,
// b2 = p1 q1, a1 = a + a', a2 = -a a' (stored sign convention). The result takes
// p's CoefIndex, Frequency and GainDb, SectionType 10 or 11 (low-pass or high-pass
// by the sign of b1) and the Q read from its coefficients (0.5 for a
// Linkwitz-Riley).
TSOS MultiplyFirstOrderSections(const TSOS& p, const TSOS& q);

// True for a half whose two sections in use are both first order.
bool HoldsFirstOrderPair(const TXOVERPB& half);

// What the half's first slot carries: the product of its first-order pair when it
// holds one, otherwise a copy of section 1.
TSOS FirstSlotSection(const TXOVERPB& half);

} // namespace veld23
