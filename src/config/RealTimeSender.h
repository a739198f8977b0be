#pragma once

#include <array>
#include <cstdint>

namespace veld23 {

// What editors and topology commands call to mirror an edit on the running
// processor. The link layer implements it; while Real Time mode is off (or a
// message is still going out) callers simply skip the send, the edit stays in
// the configuration and the next memory write carries it.
class RealTimeSender {
  public:
    virtual ~RealTimeSender() = default;

    virtual bool RealTimeMode() const = 0;
    virtual bool RealTimeBusy() const = 0;
    bool CanSend() const { return RealTimeMode() && !RealTimeBusy(); }

    // Every send names the parameter first, then what goes to it.
    // One Coef22 value; kind 2 normally, kind 1 for the RMS coefficient.
    virtual void SendRealTimeValue(std::uint16_t parameter, std::uint8_t kind, double value) = 0;
    // Five Coef22 values from a first parameter below 256 (a section's b0 b1 b2 a1 a2,
    // or five consecutive dynamics table entries).
    virtual void SendRealTimeFive(std::uint8_t firstParameter,
                                  const std::array<double, 5>& values) = 0;
    // One whole number (a delay word, a hold or decay code, the look-ahead).
    virtual void SendRealTimeInteger(std::uint16_t parameter, std::uint16_t value) = 0;
};

// Real Time mode never on: for editors that run without a processor (the command-line
// tool, a restore that sends only what changed, fuzzing, benchmarks).
class SilentRealTimeSender final : public RealTimeSender {
  public:
    bool RealTimeMode() const override { return false; }
    bool RealTimeBusy() const override { return false; }
    void SendRealTimeValue(std::uint16_t, std::uint8_t, double) override {}
    void SendRealTimeFive(std::uint8_t, const std::array<double, 5>&) override {}
    void SendRealTimeInteger(std::uint16_t, std::uint16_t) override {}
};

} // namespace veld23
