#pragma once

#include "config/RealTimeSender.h"

#include <array>
#include <cstdint>
#include <vector>

namespace veld23::testing {

// Keeps every real-time call so a test can assert exactly what an edit sends.
class RecordingRealTimeSender : public RealTimeSender {
  public:
    enum class Kind { Value, Five, Integer };
    struct Call {
        Kind kind;
        std::uint16_t parameter;
        std::uint8_t messageKind;     // Value only
        std::array<double, 5> values; // Value uses values[0]; Integer holds the integer
    };

    bool mode = true;
    bool busy = false;
    std::vector<Call> calls;

    bool RealTimeMode() const override { return mode; }
    bool RealTimeBusy() const override { return busy; }
    void SendRealTimeValue(std::uint16_t parameter, std::uint8_t kind, double value) override {
        calls.push_back({Kind::Value, parameter, kind, {value, 0, 0, 0, 0}});
    }
    void SendRealTimeFive(std::uint8_t firstParameter,
                          const std::array<double, 5>& values) override {
        calls.push_back({Kind::Five, firstParameter, 0, values});
    }
    void SendRealTimeInteger(std::uint16_t parameter, std::uint16_t value) override {
        calls.push_back({Kind::Integer, parameter, 0, {static_cast<double>(value), 0, 0, 0, 0}});
    }
};

} // namespace veld23::testing
