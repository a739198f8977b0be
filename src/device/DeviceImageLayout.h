#pragma once

#include "device/DeviceImage.h"

#include <cstddef>
#include <cstdint>

// Word numbers of a processor block and byte offsets of a panel record, shared by
// the image builder and the image reader so that both agree on every place.
namespace veld23::image_layout {

// ---- Header (image offsets).
inline constexpr std::size_t kLengthHigh = 0; // 2046, the length word the sender reads
inline constexpr std::size_t kLengthLow = 1;
inline constexpr std::uint8_t kLengthWordHigh = 0x07;
inline constexpr std::uint8_t kLengthWordLow = 0xFE;
inline constexpr std::size_t kOnesOffset = 5; // seven bytes of 1
inline constexpr std::size_t kOnesCount = 7;
inline constexpr std::size_t kSystemNameOffset = 12;
inline constexpr std::size_t kIn1Offset = 52;
inline constexpr std::size_t kIn2Offset = 58;
inline constexpr std::size_t kOut1Offset = 64;
inline constexpr std::size_t kOut2Offset = 70;
inline constexpr std::size_t kSubOffset = 88;

// ---- Processor block words.
inline constexpr std::size_t kWordsPerSection = 5;
inline constexpr std::size_t kEqIn1Word = 0;
inline constexpr std::size_t kEqIn2Word = 35;
// Output o's two crossover slots start at 60 + 10 o.
inline constexpr std::size_t kCrossoverBaseWord = 60;
inline constexpr std::size_t kCrossoverWordsPerOutput = 10;
inline constexpr std::size_t kLoudnessWord = 100;
inline constexpr std::size_t kFlatSectionWord = 105;
// Record r's table, RmsCoef and OutGain follow the addresses the dynamics record
// itself sends to; the rest sit after them.
inline constexpr std::size_t kConstant180Word = 180;
inline constexpr long double kConstant180 = 0.000520697L; // 00 02 21
inline constexpr std::size_t kLookAheadWord = 181;
inline constexpr std::size_t kDelayWord = 182; // outputs 1..3 at 182..184
inline constexpr std::size_t kZero185Word = 185;
inline constexpr std::size_t kConstant186Word = 186;
inline constexpr long double kConstant186 = 0.112694L; // 01 CD 98
inline constexpr std::size_t kRouteWord = 187;         // RouteA..RouteD at 187..190
inline constexpr std::size_t kHoldWord = 191;          // records 1, 2
inline constexpr std::size_t kDecayWord = 193;         // records 1, 2
inline constexpr std::size_t kOutputGainWord = 255;    // outputs 1..3 at 255..257

// Image offset of a word of processor block 1.
constexpr std::size_t Block1Offset(std::size_t word) {
    return kProcessorBlock1Offset + 3 * word;
}

// ---- Panel record (offsets within one copy).
inline constexpr std::size_t kEqIn1 = 0;
inline constexpr std::size_t kEqIn2 = 42;
inline constexpr std::size_t kEqBandStride = 6;
inline constexpr std::size_t kCrossover = 84;
inline constexpr std::size_t kCrossoverStride = 10;
inline constexpr std::size_t kLoudnessFrequency = 114;
inline constexpr std::size_t kLoudnessGain = 115;
inline constexpr std::size_t kLoudnessType = 116;
inline constexpr std::size_t kLevel = 117;
inline constexpr std::size_t kLevelStride = 4;
inline constexpr std::size_t kDelayPosition = 129;
inline constexpr std::size_t kDelayTemperature = 132;
inline constexpr std::size_t kDynamics = 133;
inline constexpr std::size_t kDynamicsStride = 9;
inline constexpr std::size_t kSpeaker = 151;
inline constexpr std::size_t kSpeakerStride = 8;
inline constexpr std::size_t kRouteC = 167;
inline constexpr std::size_t kRouteD = 168;
inline constexpr std::size_t kRouteState = 169;
inline constexpr std::size_t kAlignmentDelay = 170;
inline constexpr std::size_t kGateIndex = 173; // records 1, 2
inline constexpr std::size_t kPendiente = 175; // records 1, 2

// Within an equaliser band's six bytes, a crossover's ten, a dynamics record's nine
// and a speaker record's eight.
inline constexpr std::size_t kBandType = 0, kBandFrequency = 1, kBandGain = 3, kBandQ = 5;
inline constexpr std::size_t kLowPassFamily = 0, kLowPassFrequency = 1, kLowPassOrder = 3,
                             kLowPassAux = 4, kHighPassFamily = 5, kHighPassFrequency = 6,
                             kHighPassOrder = 8, kHighPassAux = 9;
inline constexpr std::size_t kThreshold = 0, kRatio = 1, kKnee = 2, kTipo = 3, kBypassSwitch = 4,
                             kAttack = 5, kLookAhead = 6, kHold = 7, kRelease = 8;
inline constexpr std::size_t kZload = 0, kPowerMaxLoad = 2, kPowerAmpMax = 4, kAmpGain = 6,
                             kBalanceado = 7;

// The panel codes' own constants.
inline constexpr long double kGainCodeOffset = 273.0L; // (-GainDb - 15) / 0.1 + 273
inline constexpr long double kQCodeTop = 200.0L;       // 200 - 10 Q
inline constexpr long double kLoudnessFrequencyTop = 80.0L;
inline constexpr long double kLoudnessGainTop = 120.0L;
inline constexpr long double kDelayPositionTop = 164.0L;
inline constexpr long double kRatioTop = 10.0L;
inline constexpr long double kKneeTop = 20.0L;
inline constexpr long double kReleaseStep = 0.137L;
inline constexpr long double kZloadScale = 100.0L;
inline constexpr long double kRouteScale = 10.0L;

} // namespace veld23::image_layout
