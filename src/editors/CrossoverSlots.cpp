#include "editors/CrossoverSlots.h"

#include "config/RealTimeSender.h"

#include <cstdint>

namespace veld23 {

namespace {

constexpr std::int32_t kHighestFiveParameter = 255;

bool FillsBothSlots(const TXOVERPB& half) {
    return half.Order > 2;
}

} // namespace

CrossoverSlotSections SlotSections(const TXOVER& crossover) {
    for (const TXOVERPB* half : {&crossover.HighPass, &crossover.LowPass}) {
        if (FillsBothSlots(*half)) {
            return {half->Sections[0], half->Sections[1]};
        }
    }
    return {FirstSlotSection(crossover.LowPass), FirstSlotSection(crossover.HighPass)};
}

void SendSlotSections(const TXOVER& crossover, RealTimeSender& sender) {
    for (const TSOS& s : SlotSections(crossover)) {
        // A section without a slot has nowhere to go on the processor.
        if (s.CoefIndex < 0 || s.CoefIndex > kHighestFiveParameter) {
            continue;
        }
        sender.SendRealTimeFive(static_cast<std::uint8_t>(s.CoefIndex),
                                {s.GetCoefficient(0), s.GetCoefficient(1), s.GetCoefficient(2),
                                 s.GetCoefficient(3), s.GetCoefficient(4)});
    }
}

} // namespace veld23
