#include "dsp/Crossover.h"

#include "dsp/Response.h"

namespace veld23 {

namespace {

constexpr std::int32_t kFirstCrossoverSlot = 60;
constexpr std::int32_t kSlotsPerOutput = 10;
constexpr std::int32_t kWordsPerSection = 5;

bool IsFirstOrder(const TSOS& section) {
    return section.SectionType == kFirstOrder || section.SectionType == kFirstOrderHighPassButtw;
}

} // namespace

std::int32_t CrossoverCoefIndex(int output, XoverSide side, int sectionNumber) {
    if (output < 1 || output > kCrossoverOutputs || sectionNumber < 1 || sectionNumber > 2) {
        return kNoCoefSlot;
    }
    const std::int32_t base = kFirstCrossoverSlot + kSlotsPerOutput * output;
    // The low-pass half starts in the first slot, the high-pass half in the second.
    const bool firstSlot = (side == XoverSide::LowPass) == (sectionNumber == 1);
    return firstSlot ? base : base + kWordsPerSection;
}

void AssignCoefIndexes(TXOVER& crossover, int output) {
    for (int i = 0; i < kSectionsPerHalf; ++i) {
        crossover.LowPass.Sections[i].CoefIndex =
            CrossoverCoefIndex(output, XoverSide::LowPass, i + 1);
        crossover.HighPass.Sections[i].CoefIndex =
            CrossoverCoefIndex(output, XoverSide::HighPass, i + 1);
        crossover.Sections[i].CoefIndex = kNoCoefSlot;
    }
}

void SetInitialCrossover(TXOVER& crossover, int output) {
    AssignCoefIndexes(crossover, output);
    crossover.HighPass.Order = 2;
    crossover.HighPass.Frequency = 100.0;
    crossover.HighPass.Family = kXoverBypass;
    crossover.LowPass.Order = 2;
    crossover.LowPass.Frequency = 5000.0;
    crossover.LowPass.Family = kXoverBypass;
    // Bypass halves of a shared order: designs nothing can refuse.
    static_cast<void>(crossover.HighPass.Design());
    static_cast<void>(crossover.LowPass.Design());
}

XoverEvaluationList BuildEvaluationList(const TXOVER& crossover) {
    XoverEvaluationList list;
    for (const TXOVERPB* half : {&crossover.LowPass, &crossover.HighPass}) {
        const int used = half->UsedSections();
        for (int i = 0; i < used; ++i) {
            list.sections[list.count++] = &half->Sections[i];
        }
    }
    return list;
}

void EvaluateCrossover(const TXOVER& crossover, ResponseCurve& curve) {
    const XoverEvaluationList list = BuildEvaluationList(crossover);
    AccumulateResponse(list.Span(), list.count, curve);
}

std::uint8_t FamilyFromListIndex(int index, XoverSide side) {
    if (index < 1 || index >= kFamilyListEntries) {
        return kXoverBypass;
    }
    return static_cast<std::uint8_t>(side == XoverSide::LowPass ? 2 * index - 1 : 2 * index);
}

int ListIndexFromFamily(std::uint8_t family, XoverSide side) {
    if (family > kBesselHighPass) {
        return -1;
    }
    return side == XoverSide::LowPass ? (family + 1) / 2 : family / 2;
}

std::uint8_t FamilyOnSide(std::uint8_t family, XoverSide side) {
    if (family > kLastXoverFamily) {
        return kXoverBypass;
    }
    if (family == kXoverBypass || IsLowPassFamily(family) == (side == XoverSide::LowPass)) {
        return family;
    }
    return FamilyFromListIndex(ListIndexFromFamily(family, side), side);
}

TSOS MultiplyFirstOrderSections(const TSOS& p, const TSOS& q) {
    TSOS product = p;
    product.b0 = p.b0 * q.b0;
    product.b1 = p.b0 * q.b1 + p.b1 * q.b0;
    product.b2 = p.b1 * q.b1;
    // (1 - a z^-1)(1 - a' z^-1) = 1 - (a + a') z^-1 + a a' z^-2, and the stored a2
    // is the negated z^-2 term.
    product.a1 = p.a1 + q.a1;
    product.a2 = -p.a1 * q.a1;
    const bool lowPass = product.b1 >= 0.0L;
    product.SectionType = lowPass ? kLowPassQ : kHiPassQ;
    product.Q = QFromCoefficients(product, lowPass);
    return product;
}

bool HoldsFirstOrderPair(const TXOVERPB& half) {
    return half.UsedSections() == 2 && IsFirstOrder(half.Sections[0]) &&
           IsFirstOrder(half.Sections[1]);
}

TSOS FirstSlotSection(const TXOVERPB& half) {
    if (HoldsFirstOrderPair(half)) {
        return MultiplyFirstOrderSections(half.Sections[0], half.Sections[1]);
    }
    return half.Sections[0];
}

} // namespace veld23
